// SPDX-License-Identifier: MIT
// Card-choice rules the one-deck and the two-deck computer seats share: how a
// seat follows a single led card, which card it throws away, and how it
// scores the suits it could lead. Written once over the card sets of a deal
// (one copy of each card or two). Internal to players/.
#pragma once

#include <algorithm>
#include <cstdint>

#include "engine/card_set.h"
#include "engine/game_state.h"
#include "engine/rules.h"
#include "engine/rules_util.h"

namespace gub::choice {

inline constexpr int32_t Jack = 11;
inline constexpr int32_t Queen = 12;
inline constexpr int32_t King = 13;

// A declared card may be played freely once its suit has led a trick; an
// undeclared one always.
inline bool IsFree(const DealCards& deal, int32_t card) { return !deal.heldBack.Holds(card); }

// The cards a seat gives away first, in groups taken in turn, of a group its
// highest card first: the gub card; the hearts from the five up (the higher,
// the less they are worth: the ace -50 down to -10 for the five to the ten);
// the cards worth nothing; the sheep. `upTo` holds each group with those
// before it.
inline constexpr struct GiveAwayOrder {
  static constexpr int32_t count = 4;
  CardSet groups[count];
  CardSet upTo[count];
  constexpr GiveAwayOrder() {
    const CardSet everyCard = CardSet::WholeSuit(SuitDiamonds) | CardSet::WholeSuit(SuitClubs) |
                              CardSet::WholeSuit(SuitHearts) | CardSet::WholeSuit(SuitSpades);
    groups[0] = CardSet::Of(CardGub);
    groups[1] = CardSet::SuitAbove(SuitHearts, 4);
    groups[3] = CardSet::Of(CardSheep);
    groups[2] = everyCard.Without(groups[0] | groups[1] | groups[3]);
    for (int32_t k = 0; k < count; ++k) upTo[k] = groups[k] | (k > 0 ? upTo[k - 1] : CardSet());
  }
  // Which card goes first, as a number: higher goes first.
  constexpr int32_t Key(int32_t card) const {
    int32_t group = 0;
    while (!groups[group].Holds(card)) ++group;
    return (count - group) * 64 + CardRank(card) * 4 + CardSuit(card);
  }
} kGiveAwayOrder{};

// The groups agree with the cards' worth: of two cards the one worth less
// goes first, of equal worth the higher rank, then the higher suit.
constexpr bool GiveAwayOrderFollowsWorth() {
  for (int32_t a = 0; a < 52; ++a) {
    for (int32_t b = 0; b < 52; ++b) {
      const bool byWorth = CardValue(a) != CardValue(b)
                               ? CardValue(a) < CardValue(b)
                               : CardRank(a) * 4 + CardSuit(a) > CardRank(b) * 4 + CardSuit(b);
      if (a != b && byWorth != (kGiveAwayOrder.Key(a) > kGiveAwayOrder.Key(b))) return false;
    }
  }
  return true;
}
static_assert(GiveAwayOrderFollowsWorth());

// The cards of `held` in the first group of the give-away order that holds
// one of them, found by counting how many of the first group, the first two
// and the first three hold none: a search stopping at the first group held
// mispredicts where it stops, which changes from play to play. (All four
// groups hold every card.)
inline CardSet CheapestGroup(CardSet held) {
  int32_t first = 0;
  for (int32_t k = 0; k + 1 < GiveAwayOrder::count; ++k)
    first += (held & kGiveAwayOrder.upTo[k]).Empty();
  return held & kGiveAwayOrder.groups[first];
}

// The card to give away when nothing better applies: the one worth least to
// whoever takes it (lowest value), of equal value the highest, of equal cards
// the first in hand order; as a set of its own, empty when `held` is. Kept as
// a set from choice to slot, with no card number in between.
inline CardSet CheapestCard(CardSet held) { return CheapestGroup(held).HighestCardAlone(); }

// How many cards of `within` a hand holds, copies included. A one-deck hand
// never holds a card twice, so its counts leave the second copies out.
template <int32_t Size>
int32_t CountOf(const HandCards& cards, CardSet within) {
  const int32_t once = (cards.once & within).Count();
  if constexpr (Size == TwoDeckHandSize) return once + (cards.twice & within).Count();
  return once;
}

// The slot of the first copy of `card` in the sorted hand.
template <int32_t Size>
int32_t SlotOf(const HandCards& cards, int32_t card) {
  return CountOf<Size>(cards, cards.once.Before(card));
}

// The same for a card given as a set of its own.
template <int32_t Size>
int32_t SlotOf(const HandCards& cards, CardSet card) {
  return CountOf<Size>(cards, cards.once.Before(card));
}

// The slot of the cheapest card of a hand, -1 when it is empty.
template <int32_t Size>
int32_t CheapestSlot(const HandCards& cards) {
  if (cards.once.Empty()) return -1;
  return SlotOf<Size>(cards, CheapestCard(cards.once));
}

// The slot of the cheapest card but the one in `takenSlot` (holding `taken`):
// the twin of that card when the hand holds two.
inline int32_t CheapestSlotBut(const HandCards& cards, int32_t takenSlot, int32_t taken) {
  HandCards rest = cards;
  rest.RemoveOne(taken);
  if (rest.once.Empty()) return -1;
  const CardSet card = CheapestCard(rest.once);
  return card == CardSet::Of(taken) ? takenSlot + 1 : SlotOf<TwoDeckHandSize>(cards, card);
}

// The seat's cards of one suit: a run of slots of a sorted hand, highest
// first (with two decks twins lie side by side). Positions count from 0 at
// the highest card.
template <int32_t Size>
class SuitCards {
 public:
  static SuitCards Of(const int32_t* hand, const HandCards& cards, int32_t suit) {
    const int32_t first = CountOf<Size>(cards, CardSet::SuitsAbove(suit));
    return SuitCards(hand, suit, first, {cards.once.OfSuit(suit), cards.twice.OfSuit(suit)});
  }

  int32_t count() const { return count_; }
  int32_t Slot(int32_t position) const { return first_ + position; }
  int32_t CardAt(int32_t position) const { return hand_[first_ + position]; }
  int32_t RankAt(int32_t position) const { return CardRank(CardAt(position)); }
  int32_t Highest() const { return 0; }
  int32_t Lowest() const { return count_ - 1; }
  // How many of the cards rank above `rank`: the position of the first card
  // ranked `rank` or lower.
  int32_t CountAbove(int32_t rank) const {
    return CountOf<Size>(cards_, CardSet::SuitAbove(suit_, rank));
  }
  // The position of `card`, -1 when the seat does not hold it.
  int32_t Find(int32_t card) const {
    const int32_t position = CountAbove(CardRank(card));
    return position | -static_cast<int32_t>(!cards_.once.Holds(card));
  }
  // The highest card ranked strictly below `rank` (the caller knows there is one).
  int32_t HighestBelow(int32_t rank) const { return CountAbove(rank - 1); }
  // The next lower card, or the next higher one from the lowest.
  int32_t Neighbour(int32_t position) const {
    return position < count_ - 1 ? position + 1 : count_ - 2;
  }
  // The first position of the lowest pair (twins), or -1.
  int32_t LowestPair() const {
    const CardSet pairs = cards_.twice;
    return pairs.Empty() ? -1 : CountAbove(pairs.LowestRank(suit_));
  }

 private:
  SuitCards(const int32_t* hand, int32_t suit, int32_t first, HandCards cards)
      : hand_(hand),
        suit_(suit),
        first_(first),
        count_(CountOf<Size>(cards, cards.once)),
        cards_(cards) {}

  const int32_t* hand_;
  int32_t suit_;
  int32_t first_;
  int32_t count_;
  HandCards cards_;  // of this suit only
};

// What a follower sees of the single cards already played to the trick.
struct TrickSoFar {
  int32_t topRank = 0;  // highest rank of the led suit, 0 when none
  bool gubPlayed = false;
  bool sheepPlayed = false;
  bool lastToPlay = false;

  TrickSoFar(const GameState& game, const DealCards& deal)
      : topRank(deal.trick.HighestRank(game.leadSuit)),
        gubPlayed(deal.trick.Holds(CardGub)),
        sheepPlayed(deal.trick.Holds(CardSheep)),
        lastToPlay(game.trickCount == 3) {}
};

// A follower's cards of the led suit against the single cards played so far,
// with the follow rules of each suit. Positions count from the highest card.
template <int32_t Size>
class Follower {
 public:
  Follower(const GameState& game, const DealCards& deal, SuitCards<Size> mine)
      : game_(game),
        deal_(deal),
        mine_(mine),
        trick_(game, deal),
        lowest_(mine.Lowest()),
        canDuck_(mine.RankAt(lowest_) < trick_.topRank),
        duck_(mine.HighestBelow(trick_.topRank)) {}

  // `lowSpadesWithGub` is the two-deck difference: a gub holder that does not
  // drop the gub card on a king or ace plays its lowest spades, not its highest.
  int32_t Spades(bool lowSpadesWithGub) const {
    const bool gubFree = IsFree(deal_, CardGub);
    const int32_t gub = mine_.Find(CardGub);
    if (gub >= 0) {
      // Drop the gub card on a king or ace when it may go.
      if (trick_.topRank >= King && gubFree) return mine_.Slot(gub);
      // Otherwise keep it and play another spade around it.
      if (lowSpadesWithGub) return Slot(lowest_, CardGub, lowest_ - 1);
      return Slot(highest_, CardGub, highest_ + 1);
    }
    if (trick_.gubPlayed) return Usual();
    // Drive out a declared gub card that may not be played yet.
    if (!gubFree) return mine_.Slot(highest_);
    if (trick_.lastToPlay && mine_.RankAt(highest_) >= King) return mine_.Slot(highest_);
    return Usual();
  }

  int32_t Hearts() const {
    // Last to play and taking the trick anyway: take it with a heart worth
    // little (ten or lower) when there is one.
    const int32_t noDuck = trick_.lastToPlay ? HighestUpTo(10) : lowest_;
    return mine_.Slot(canDuck_ ? duck_ : noDuck);
  }

  int32_t Clubs() const {
    const bool doubleFree = IsFree(deal_, CardDouble);
    if (!doubleFree && mine_.CardAt(highest_) != CardDouble) return mine_.Slot(highest_);
    const int32_t dbl = mine_.Find(CardDouble);
    if (dbl < 0) return Usual();
    // The double goes on a trick topped by a jack or higher.
    if (trick_.topRank >= Jack && doubleFree) return mine_.Slot(dbl);
    // Otherwise a declared double that may not go yet is kept back.
    const int32_t keptBack = doubleFree ? -1 : CardDouble;
    if (!canDuck_) {
      if (trick_.lastToPlay) return Slot(highest_, CardDouble, highest_ + 1);
      return Slot(lowest_, keptBack, lowest_ - 1);
    }
    return Slot(duck_, keptBack, mine_.Neighbour(duck_));
  }

  int32_t Diamonds() const {
    const bool sheepFree = IsFree(deal_, CardSheep);
    const int32_t sheep = mine_.Find(CardSheep);
    if (sheep >= 0) {
      // Take the trick with the sheep when nothing above a ten can beat it.
      if (trick_.lastToPlay && trick_.topRank <= 10 && sheepFree) return mine_.Slot(sheep);
      if (!canDuck_) {
        if (trick_.lastToPlay) return mine_.Slot(highest_);
        return Slot(lowest_, sheepFree ? -1 : CardSheep, lowest_ - 1);
      }
      // Keep the sheep, free or not: duck with the card next to it.
      return Slot(duck_, CardSheep, mine_.Neighbour(duck_));
    }
    // The sheep is in the trick: take it with the highest diamond.
    if (trick_.sheepPlayed) return mine_.Slot(highest_);
    if (canDuck_) return mine_.Slot(duck_);
    if (trick_.lastToPlay) return mine_.Slot(HighestUpTo(Jack));
    return mine_.Slot(lowest_ - 1);
  }

 private:
  // Without a special card at stake: duck when possible; otherwise the last
  // player takes the trick with its highest card, an earlier one plays low.
  int32_t Usual() const {
    const int32_t noDuck = trick_.lastToPlay ? highest_ : lowest_;
    return mine_.Slot(canDuck_ ? duck_ : noDuck);
  }
  // The card at `position`, unless it is `kept`: then the one at `instead`.
  int32_t Slot(int32_t position, int32_t kept, int32_t instead) const {
    return mine_.Slot(mine_.CardAt(position) == kept ? instead : position);
  }
  // The highest card ranked `rank` or lower, else the lowest card.
  int32_t HighestUpTo(int32_t rank) const {
    const int32_t position = mine_.CountAbove(rank);
    return position < lowest_ ? position : lowest_;
  }

  const GameState& game_;
  const DealCards& deal_;
  const SuitCards<Size> mine_;
  const TrickSoFar trick_;
  const int32_t highest_ = 0;
  const int32_t lowest_;
  // Ducking: playing under the trick's top card, with the highest card that
  // stays under it (an equal rank does not duck); `duck_` means nothing
  // when the seat cannot duck.
  const bool canDuck_;
  const int32_t duck_;
};

// The slot of a non-leading seat's single card: the cheapest card when void,
// the only card of the led suit, or the rules of the led suit.
template <int32_t Size>
int32_t FollowSlot(const GameState& game, const DealCards& deal, const int32_t* hand, int32_t seat,
                   bool lowSpadesWithGub) {
  const HandCards& cards = deal.hands[seat];
  const int32_t led = game.leadSuit;
  if (led < SuitDiamonds || led > SuitSpades) return CheapestSlot<Size>(cards);
  const SuitCards<Size> mine = SuitCards<Size>::Of(hand, cards, led);
  if (mine.count() == 0) return CheapestSlot<Size>(cards);
  if (mine.count() == 1) return mine.Slot(0);
  const Follower<Size> follower(game, deal, mine);
  switch (led) {
    case SuitSpades:
      return follower.Spades(lowSpadesWithGub);
    case SuitHearts:
      return follower.Hearts();
    case SuitClubs:
      return follower.Clubs();
    default:
      return follower.Diamonds();
  }
}

// --- Leading ---------------------------------------------------------------

// What a leading seat reads of the four hands.
template <int32_t Size>
struct LeadView {
  HandCards own;     // the seat's cards (and, with two decks, its pairs)
  HandCards others;  // the other three seats' cards; `twice` also holds
                     // a card that two of them hold once each

  // Whether no other seat holds a card of `suit` above `rank` (a card held
  // twice is held once too).
  bool NoneAbove(int32_t suit, int32_t rank) const {
    return (others.once & CardSet::SuitAbove(suit, rank)).Empty();
  }
  int32_t CountBelow(int32_t suit, int32_t rank) const {
    return CountOf<Size>(others, CardSet::SuitBelow(suit, rank));
  }
};

template <int32_t Size>
LeadView<Size> ViewOf(const DealCards& deal, int32_t seat) {
  LeadView<Size> view{};
  view.own = deal.hands[seat];
  if constexpr (Size == OneDeckHandSize) {
    // Each card is in one hand: the others hold every card still out but the
    // seat's own.
    const CardSet out =
        deal.hands[0].once | deal.hands[1].once | deal.hands[2].once | deal.hands[3].once;
    view.others.once = out.Without(view.own.once);
  } else {
    for (int32_t later = 1; later < 4; ++later) {
      const HandCards& hand = deal.hands[(seat + later) & 3];
      view.others.twice = view.others.twice | hand.twice | (view.others.once & hand.once);
      view.others.once = view.others.once | hand.once;
    }
  }
  return view;
}

// `ifTrue` when `condition` holds, else `ifFalse`, worked out without a jump.
// For the lead's choices, which are as good as random from one lead to the
// next: written as plain choices, the compiler turns them into jumps that
// mispredict, and the lead was measured slower so.
constexpr int32_t PickWithoutJump(bool condition, int32_t ifTrue, int32_t ifFalse) {
  const int32_t all = -static_cast<int32_t>(condition);  // every bit set when it holds
  return ifFalse ^ ((ifTrue ^ ifFalse) & all);
}

// The lead scores of the two games, scaled to the hand: the score of spades
// while holding a high spade, the base of a suit whose lead would win, and
// the score every chosen suit must beat.
template <int32_t Size>
struct LeadScale;
template <>
struct LeadScale<OneDeckHandSize> {
  static constexpr int32_t highSpades = 13;
  static constexpr int32_t winningBase = 15;
  static constexpr int32_t worst = 30;
};
template <>
struct LeadScale<TwoDeckHandSize> {
  static constexpr int32_t highSpades = 26;
  static constexpr int32_t winningBase = 30;
  static constexpr int32_t worst = 60;
};

// The score of leading one suit, lower is better (only for a suit the seat
// holds). The score is how many cards the others hold below the seat's
// lowest card of the suit; the high-spade score while the seat holds the
// queen, king or ace of spades; the winning base + suit when no other hand
// holds a card above that lowest card (the lead would win the trick).
struct SuitScore {
  bool held;
  int32_t score;
};

template <int32_t Size>
SuitScore ScoreSuit(const LeadView<Size>& view, int32_t suit) {
  // Scored whether the seat holds the suit or not: whether it does is as
  // good as random.
  const int32_t lowRank = view.own.once.LowestRank(suit);
  const bool highSpades = suit == SuitSpades && view.own.once.HighestRank(suit) >= Queen;
  const int32_t below =
      PickWithoutJump(highSpades, LeadScale<Size>::highSpades, view.CountBelow(suit, lowRank));
  const int32_t score =
      PickWithoutJump(view.NoneAbove(suit, lowRank), LeadScale<Size>::winningBase + suit, below);
  return {!view.own.once.OfSuit(suit).Empty(), score};
}

// The slot of the card the seat leads in `suit`, which it holds: its lowest
// card. A declared double that may not be played yet (`doubleHeld`) should
// not be the card left to lead clubs later: then the highest club, unless
// that is the double.
template <int32_t Size>
int32_t LeadSlotIn(const HandCards& own, int32_t suit, bool doubleHeld) {
  const CardSet before = CardSet::SuitsAbove(suit);
  if (doubleHeld && suit == SuitClubs && own.once.HighestRank(suit) != 10)
    return CountOf<Size>(own, before);
  return CountOf<Size>(own, before | CardSet::WholeSuit(suit)) - 1;
}

// One suit's lead score for a seat (the public SuitLeadScore forms): no
// card, score 0, for a suit it does not hold.
template <int32_t Size>
int32_t SuitLeadScore(const GameState& game, int32_t seat, int32_t suit, int32_t& slot) {
  if (suit < SuitDiamonds || suit > SuitSpades || seat < 0 || seat > 3) {
    slot = -1;
    return 0;
  }
  const DealCards deal = ReadDealCards<Size>(game);
  const LeadView<Size> view = ViewOf<Size>(deal, seat);
  const SuitScore scored = ScoreSuit<Size>(view, suit);
  slot = scored.held ? LeadSlotIn<Size>(view.own, suit, !IsFree(deal, CardDouble)) : -1;
  return scored.held ? scored.score : 0;
}

// The slot of the card to lead by the suit scores: the suit of the lowest
// score below the worst, spades, hearts, clubs, diamonds in that order, so
// ties go to the suit looked at first; -1 when the seat holds no card. Each
// suit held is ranked by one number, its score, then its place in that
// order, and the lowest rank is taken: a running minimum needs no jump.
template <int32_t Size>
int32_t BestLeadSlot(const DealCards& deal, const LeadView<Size>& view) {
  constexpr int32_t places = 4;
  constexpr int32_t none = LeadScale<Size>::worst * places;  // not chosen
  int32_t best = none;
  for (int32_t suit = SuitSpades; suit >= SuitDiamonds; --suit) {
    const SuitScore scored = ScoreSuit<Size>(view, suit);
    const int32_t place = SuitSpades - suit;
    best = std::min(best, PickWithoutJump(scored.held, scored.score * places + place, none));
  }
  if (best >= none) return -1;
  return LeadSlotIn<Size>(view.own, SuitSpades - best % places, !IsFree(deal, CardDouble));
}

}  // namespace gub::choice
