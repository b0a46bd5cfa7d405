// SPDX-License-Identifier: MIT
// One-deck card choice: follows by led suit, discards, leads and suit scores.
#include <gtest/gtest.h>

#include <vector>

#include "players/players.h"
#include "tests/support/table.h"

namespace gub {
namespace {

using testing::C;
using testing::Table;

// The card seat 1 chooses; checks the slot names a card of its hand.
int32_t Choice(Table& t, int32_t seat = 1) {
  int32_t slot = ChooseCard(t.game, seat);
  EXPECT_GE(slot, 0);
  EXPECT_LT(slot, OneDeckHandSize);
  return t.OneDeckCard(seat, slot);
}

// One rule per case: seat 1 of the table chooses the named card.
struct ChoiceCase {
  const char* rule;
  Table table;
  const char* card;
};

void ExpectChoices(const std::vector<ChoiceCase>& cases) {
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.rule);
    Table t = c.table;
    EXPECT_EQ(Choice(t), C(c.card));
  }
}

TEST(OneDeckFollow, ChoosesByTheRule) {
  ExpectChoices({
      {"only card of led suit is played even when restricted / gub",
       Table().DeclareGub().Hand(1, "QS AH KH 2D").Trick("3S"), "QS"},
      {"only card of led suit is played even when restricted / sheep",
       Table().DeclareSheep().Hand(1, "AS JD").Trick("9D"), "JD"},
      {"only card of led suit is played even when restricted / dbl",
       Table().DeclareDouble().Hand(1, "10C 5H").Trick("KC 2C 3C"), "10C"},
  });
}

TEST(OneDeckSpades, ChoosesByTheRule) {
  ExpectChoices({
      {"gub holder drops gub on king or ace only when released / free",
       Table().Hand(1, "QS 5S").Trick("KS"), "QS"},
      {"gub holder drops gub on king or ace only when released / declared (the highest spade is "
       "the gub card: the next one)",
       Table().DeclareGub().Hand(1, "QS 5S").Trick("KS"), "5S"},
      {"gub holder drops gub on king or ace only when released / opened",
       Table().DeclareGub().Led("2S").Hand(1, "QS 5S").Trick("9S AS"), "QS"},
      {"gub holder drops gub on king or ace only when released / jack top (a jack on top is not "
       "high enough to drop the queen)",
       Table().Hand(1, "QS 5S").Trick("JS"), "5S"},
      {"gub holder otherwise leads highest non gub spade", Table().Hand(1, "KS QS 4S").Trick("9S"),
       "KS"},
      {"gub holder otherwise leads highest non gub spade / last",
       Table().Hand(1, "QS 7S 3S").Trick("2S 4S 9S"), "7S"},
      {"gub in trick means standard follow", Table().Hand(1, "10S 7S 3S").Trick("QS KS"), "10S"},
      {"gub in trick means standard follow / declared (Declared and unopened, but lying in the "
       "trick: duck, not the highest.)",
       Table().DeclareGub().Hand(1, "AS 5S").Trick("9S QS"), "5S"},
      {"restricted gub elsewhere plays highest",
       Table().DeclareGub().Hand(1, "AS 5S").Hand(2, "QS 2S").Trick("9S"), "AS"},
      {"restricted gub elsewhere plays highest / released (same cards, nothing declared: duck)",
       Table().Hand(1, "AS 5S").Hand(2, "QS 2S").Trick("9S"), "5S"},
      {"last with king or ace takes the trick / king", Table().Hand(1, "KS 3S").Trick("9S 2S 4S"),
       "KS"},
      {"last with king or ace takes the trick / not last", Table().Hand(1, "KS 3S").Trick("9S"),
       "3S"},
      {"last with king or ace takes the trick / jack (below 13: standard follow ducks)",
       Table().Hand(1, "JS 3S").Trick("9S 2S 4S"), "3S"},
      {"standard follow / above (all above the top, not last: lowest)",
       Table().Hand(1, "KS 10S").Trick("9S"), "10S"},
      {"standard follow / above last (all above the top, last: highest)",
       Table().Hand(1, "JS 10S").Trick("9S 2S 3S"), "JS"},
      {"standard follow / duck", Table().Hand(1, "KS 8S 6S 2S").Trick("9S"), "8S"},
  });
}

TEST(OneDeckHearts, ChoosesByTheRule) {
  ExpectChoices({
      {"duck else lowest else highest up to ten when last / duck",
       Table().Hand(1, "KH 8H 3H").Trick("10H"), "8H"},
      {"duck else lowest else highest up to ten when last / not last",
       Table().Hand(1, "KH 8H").Trick("5H"), "8H"},
      {"duck else lowest else highest up to ten when last / last",
       Table().Hand(1, "AH JH 7H 3H").Trick("2H 5S 9C"), "7H"},
      {"duck else lowest else highest up to ten when last / ten (rank 10 is still under the cap)",
       Table().Hand(1, "AH 10H 6H").Trick("5H 2H 4H"), "10H"},
      {"duck else lowest else highest up to ten when last / all high",
       Table().Hand(1, "AH QH").Trick("5H 2H 4H"), "QH"},
  });
}

TEST(OneDeckClubs, ChoosesByTheRule) {
  ExpectChoices({
      {"restricted double plays highest club",
       Table().DeclareDouble().Hand(1, "AC 10C 4C").Trick("5C"), "AC"},
      {"restricted double plays highest club / without (whether or not the seat holds the double)",
       Table().DeclareDouble().Hand(1, "KC 4C").Trick("2C"), "KC"},
      {"restricted double plays highest club / opened",
       Table().DeclareDouble().Led("3C").Hand(1, "KC 4C").Trick("2C"), "4C"},
      {"double holder / released", Table().Hand(1, "10C 6C").Trick("QC"), "10C"},
      {"double holder / jack top",
       Table().DeclareDouble().Led("2C").Hand(1, "AC 10C 4C").Trick("JC"), "10C"},
      {"double holder / restricted (Restricted double on top: its neighbour, the next lower club.)",
       Table().DeclareDouble().Hand(1, "10C 4C").Trick("QC"), "4C"},
      {"double holder / last above (last, all above the top, the double highest: the next club)",
       Table().Hand(1, "10C 6C").Trick("5C 2H 3C"), "6C"},
      {"double holder / last above high", Table().Hand(1, "KC 10C 6C").Trick("5C 2H 3C"), "KC"},
      {"double holder / not last above (the released double may be the lowest)",
       Table().Hand(1, "AC 10C").Trick("5C"), "10C"},
      {"double holder / duck", Table().Hand(1, "AC 10C 3C").Trick("5C"), "3C"},
      {"without double standard follow", Table().Hand(1, "KC 7C").Trick("9C"), "7C"},
      {"without double standard follow / last", Table().Hand(1, "KC JC").Trick("9C 2C 3C"), "KC"},
  });
}

TEST(OneDeckDiamonds, ChoosesByTheRule) {
  ExpectChoices({
      {"sheep holder keeps sheep under higher top / king", Table().Hand(1, "KD JD").Trick("QD"),
       "KD"},
      {"sheep holder keeps sheep under higher top / five", Table().Hand(1, "JD 5D").Trick("QD"),
       "5D"},
      {"sheep holder keeps sheep under higher top / released (released or not, the sheep is never "
       "the duck card)",
       Table().Led("2D").Hand(1, "AD JD").Trick("KD"), "AD"},
      {"sheep holder takes low trick when last and released",
       Table().Hand(1, "AD JD 3D").Trick("10D 2D 4D"), "JD"},
      {"sheep holder takes low trick when last and released / restricted (declared and unopened: "
       "duck instead)",
       Table().DeclareSheep().Hand(1, "AD JD 3D").Trick("10D 2D 4D"), "3D"},
      {"sheep holder takes low trick when last and released / restricted above (all above the top, "
       "last: the highest)",
       Table().DeclareSheep().Hand(1, "AD JD 9D").Trick("5D 2D 4D"), "AD"},
      {"sheep holder takes low trick when last and released / not last",
       Table().Hand(1, "AD JD 3D").Trick("10D"), "3D"},
      {"sheep holder not last above top / released", Table().Hand(1, "AD JD").Trick("5D"), "JD"},
      {"sheep holder not last above top / restricted",
       Table().DeclareSheep().Hand(1, "AD JD").Trick("5D"), "AD"},
      {"without sheep / sheep in trick", Table().Hand(1, "KD 5D").Trick("8D JD"), "KD"},
      {"without sheep / duck", Table().Hand(1, "KD 9D 4D").Trick("QD"), "9D"},
      {"without sheep / last", Table().Hand(1, "AD KD 9D 8D").Trick("6D 2D 3D"), "9D"},
      {"without sheep / last high", Table().Hand(1, "AD KD").Trick("6D 2D 3D"), "KD"},
      {"without sheep / second lowest", Table().Hand(1, "KD 9D 8D").Trick("6D"), "9D"},
      {"without sheep / two", Table().Hand(1, "KD 8D").Trick("6D"), "KD"},
  });
}

TEST(OneDeckDiscard, ChoosesByTheRule) {
  ExpectChoices({
      {"costliest card first sheep last / gub", Table().Hand(1, "AS QS AH 2H JD").Trick("5C"),
       "QS"},
      {"costliest card first sheep last / hearts", Table().Hand(1, "AS JH 5H 9H").Trick("5C"),
       "JH"},
      {"costliest card first sheep last / tens (equal value: the higher heart)",
       Table().Hand(1, "AS 9H 5H").Trick("5C"), "9H"},
      {"costliest card first sheep last / zero (sheep kept, highest zero-value card thrown)",
       Table().Hand(1, "7S JD 9D").Trick("5C"), "9D"},
      {"costliest card first sheep last / equal rank (same value and rank: first in hand order)",
       Table().Hand(1, "4H 4S 4D JD").Trick("5C"), "4S"},
      {"costliest card first sheep last / low hearts (the hearts four to two are worth nothing)",
       Table().Hand(1, "4H 3H 10C JD").Trick("5S"), "10C"},
      {"costliest card first sheep last / only sheep", Table().Hand(1, "JD").Trick("5C"), "JD"},
  });
}

TEST(OneDeckLead, ChoosesByTheRule) {
  ExpectChoices({
      {"high spade score loses to a cheaper suit (Spades would count 3 below the 5S, but the ace "
       "makes them 13; hearts 7.)",
       Table().Hand(1, "AS 5S 9H").Hand(0, "2S 3S KS 2H 3H 4H 5H 6H 7H 8H 10H").Hand(2, "4S"),
       "9H"},
  });
}

TEST(OneDeckFollow, ReturnsSlotAndLeavesLeadSuitAndHandAlone) {
  Table t;
  t.Hand(1, "AS JH 8H 3H 2C").Trick("10H");
  int32_t slot = ChooseCard(t.game, 1);
  EXPECT_EQ(slot, 2);  // 8H, the duck card under the ten
  EXPECT_EQ(t.game.leadSuit, SuitHearts);
  EXPECT_EQ(t.game.oneDeckHands[1][2], C("8H"));
  EXPECT_EQ(t.game.trickCount, 1);

  Table discard;
  discard.Hand(1, "AS 9H").Trick("4D");
  EXPECT_EQ(ChooseCard(discard.game, 1), 1);
  EXPECT_EQ(discard.game.leadSuit, SuitDiamonds);
}

TEST(GubLeadCard, GubHolderLeadsItWhenOnlyHigherSpadesAreOut) {
  Table t;
  t.Hand(1, "QS 3H").Hand(0, "KS 2D").Hand(2, "AS").Hand(3, "5H");
  EXPECT_EQ(GubLeadCard(t.game, 1), 0);
  EXPECT_EQ(Choice(t), C("QS"));

  Table underKing;  // the gub card behind the seat's own king
  underKing.Hand(1, "KS QS 3H").Hand(2, "AS 4H");
  EXPECT_EQ(GubLeadCard(underKing.game, 1), 1);

  Table lowOut;  // a lower spade could take it back: no gub lead
  lowOut.Hand(1, "QS 3H").Hand(0, "KS JS");
  EXPECT_EQ(GubLeadCard(lowOut.game, 1), -1);

  Table noneOut;  // no spade at all elsewhere
  noneOut.Hand(1, "QS 3H").Hand(0, "5H");
  EXPECT_EQ(GubLeadCard(noneOut.game, 1), -1);

  Table withAce;  // holding the gub card below the ace: step four never applies
  withAce.DeclareGub().Hand(1, "AS QS 3H").Hand(0, "KS 2S");
  EXPECT_EQ(GubLeadCard(withAce.game, 1), -1);
}

TEST(GubLeadCard, HighestSpade) {
  Table none;
  none.Hand(1, "AH 3D").Hand(0, "QS");
  EXPECT_EQ(GubLeadCard(none.game, 1), -1);

  Table king;  // drives out a restricted gub card held elsewhere
  king.DeclareGub().Hand(1, "5H KS 4S").Hand(2, "QS 2S");
  EXPECT_EQ(GubLeadCard(king.game, 1), 0);

  Table undeclared;
  undeclared.Hand(1, "KS 4S").Hand(2, "QS 2S");
  EXPECT_EQ(GubLeadCard(undeclared.game, 1), -1);

  Table opened;
  opened.DeclareGub().Led("3S").Hand(1, "AS 4S").Hand(2, "QS 2S");
  EXPECT_EQ(GubLeadCard(opened.game, 1), -1);

  Table low;  // below the queen while the gub card is out
  low.Hand(1, "9S 4S 2H").Hand(3, "QS");
  EXPECT_EQ(GubLeadCard(low.game, 1), 0);

  Table gone;
  gone.Hand(1, "9S 4S 2H").Hand(3, "KS");
  EXPECT_EQ(GubLeadCard(gone.game, 1), -1);
}

TEST(SuitLeadScore, CountsOtherCardsBelowTheLowest) {
  Table t;
  t.Hand(1, "9H 5H").Hand(0, "2H 10H").Hand(2, "3H").Hand(3, "4D");
  int32_t slot = 99;
  EXPECT_EQ(SuitLeadScore(t.game, 1, SuitHearts, slot), 2);
  EXPECT_EQ(slot, 1);

  EXPECT_EQ(SuitLeadScore(t.game, 1, SuitClubs, slot), 0);
  EXPECT_EQ(slot, -1);

  slot = 99;  // not a suit at all
  EXPECT_EQ(SuitLeadScore(t.game, 1, 4, slot), 0);
  EXPECT_EQ(slot, -1);
}

TEST(SuitLeadScore, HighSpadesAndUnbeatableSuits) {
  Table t;
  t.Hand(1, "AS 3S").Hand(0, "2S 5S");
  int32_t slot = -1;
  EXPECT_EQ(SuitLeadScore(t.game, 1, SuitSpades, slot), 13);
  EXPECT_EQ(slot, 1);

  Table top;
  top.Hand(1, "AS 3S").Hand(0, "2S");
  EXPECT_EQ(SuitLeadScore(top.game, 1, SuitSpades, slot), 18);

  Table aces;
  aces.Hand(1, "AH AC AD").Hand(0, "KH 2C 5D");
  EXPECT_EQ(SuitLeadScore(aces.game, 1, SuitHearts, slot), 17);
  EXPECT_EQ(SuitLeadScore(aces.game, 1, SuitClubs, slot), 16);
  EXPECT_EQ(SuitLeadScore(aces.game, 1, SuitDiamonds, slot), 15);
  EXPECT_EQ(slot, 2);
}

TEST(SuitLeadScore, RestrictedDoubleMovesLeadToHighestClub) {
  Table t;
  t.DeclareDouble().Hand(1, "KC 7C 4C").Hand(0, "2C AC");
  int32_t slot = -1;
  EXPECT_EQ(SuitLeadScore(t.game, 1, SuitClubs, slot), 1);
  EXPECT_EQ(slot, 0);

  Table topIsDouble;
  topIsDouble.DeclareDouble().Hand(1, "10C 4C").Hand(0, "2C AC");
  EXPECT_EQ(SuitLeadScore(topIsDouble.game, 1, SuitClubs, slot), 1);
  EXPECT_EQ(slot, 1);

  Table opened;
  opened.DeclareDouble().Led("3C").Hand(1, "KC 7C 4C").Hand(0, "2C AC");
  SuitLeadScore(opened.game, 1, SuitClubs, slot);
  EXPECT_EQ(slot, 2);
}

TEST(OneDeckLead, GubLeadComesBeforeSuitScores) {
  Table t;
  // The suit scores alone would lead the 2D (score 0 against spades 1).
  t.Hand(1, "9S 2D").Hand(0, "QS 2S 3D AD");
  EXPECT_EQ(Choice(t), C("9S"));
  EXPECT_EQ(t.game.leadSuit, SuitSpades);
}

TEST(OneDeckLead, LowestScoreWinsTiesToEarlierSuit) {
  Table tie;  // spades and hearts both score 1
  tie.Hand(1, "5S 5H 9C").Hand(0, "2S 8S 2H KH 2C 3C");
  EXPECT_EQ(Choice(tie), C("5S"));
  EXPECT_EQ(tie.game.leadSuit, SuitSpades);

  Table diamonds;  // the 2D scores 0: led when the others score more
  diamonds.Hand(1, "5S 5H 9C 2D").Hand(0, "2S 8S 2H KH 2C 3C 3D");
  EXPECT_EQ(Choice(diamonds), C("2D"));
  EXPECT_EQ(diamonds.game.leadSuit, SuitDiamonds);

  Table clubsZero;  // clubs also score 0 and are looked at first
  clubsZero.Hand(1, "5S 5H 2C 2D").Hand(0, "2S 8S 2H KH 3C 3D");
  EXPECT_EQ(Choice(clubsZero), C("2C"));

  Table unbeatable;  // every suit 15..18: diamonds
  unbeatable.Hand(1, "AS AH AC AD").Hand(0, "2S 2H 2C 2D");
  EXPECT_EQ(Choice(unbeatable), C("AD"));
}

// States built by hand need not hold 13 - trickNumber cards per seat; the
// choice must still see every card of the hand.
TEST(OneDeckHandBuiltStates, FullHandsLateInTheDealAreReadToTheEnd) {
  Table follow;
  for (const char* led : {"2S", "3S", "4S", "5S", "6S", "7S", "8S", "9S", "10S", "JS"})
    follow.Led(led);
  follow.Hand(1, "AS KS AH KH QH JH AC KC QC JC 9C 9D 4D").Trick("10D");
  EXPECT_EQ(Choice(follow), C("9D"));  // the duck card, not a discard

  Table discard;
  for (const char* led : {"2S", "3S", "4S", "5S", "6S", "7S", "8S", "9S", "10S", "JS"})
    discard.Led(led);
  discard.Hand(1, "2S 3S 4S 2H 3H 4H 2D 3D 4D 5D 6D 7D AD").Trick("10C");
  EXPECT_EQ(Choice(discard), C("AD"));

  Table lead;  // only the 2D scores 0, and it sits in the last slot
  for (const char* led : {"2H", "3H", "4H", "5H", "6H", "7H", "8H", "9H", "10H", "JH", "QH"})
    lead.Led(led);
  lead.Hand(1, "AS KS QS JS 10S 9S 8S AH KH AC KC QC 2D").Hand(0, "2S 2C 3D 4D");
  EXPECT_EQ(Choice(lead), C("2D"));
}

}  // namespace
}  // namespace gub
