// SPDX-License-Identifier: MIT
// The computer seats' card choice in the two-deck game: pair leads, answers
// to a led pair, and single cards by the one-deck follow rules. These write
// their play into the current trick themselves.
#include <initializer_list>

#include "engine/play_append.h"
#include "engine/rules.h"
#include "players/choice_rules.h"
#include "players/players.h"

namespace gub {

namespace {

// The seat's card in `slot` (and the one in `second`, -1 for none) goes on the
// trick and leaves the seat's hand and the deal's card sets.
void Play(GameState& game, DealCards& deal, int32_t seat, int32_t slot, int32_t second) {
  if (const TrickPlay* play = play_append::AddPlayOfTwoDecks(game, seat, slot, second))
    deal.Played(seat, play->card, play->second);
}

// The one-deck spade rule GubLeadCard is not consulted here: it reads the
// one-deck hands, which after a one-deck deal abandoned for the title screen
// still hold that deal's cards, and those must not steer a two-deck lead.
// -2 after a pair, -1 otherwise.
GUB_COUNTING_PART int32_t Lead(GameState& game, DealCards& deal, int32_t seat) {
  // Lead the lowest pair of spades, hearts or clubs. Diamond pairs are kept:
  // a led diamond pair only loses to a higher pair.
  const HandCards& own = deal.hands[seat];
  for (int32_t suit : {SuitSpades, SuitHearts, SuitClubs}) {
    const CardSet pairs = own.twice.OfSuit(suit);
    if (pairs.Empty()) continue;
    const int32_t slot = own.SlotOf(CardSet::CardAt(suit, pairs.LowestRank(suit)));
    game.leadSuit = suit;
    Play(game, deal, seat, slot, slot + 1);
    return -2;
  }

  const int32_t slot = choice::BestLeadSlot(deal, choice::ViewOf<TwoDeckHandSize>(deal, seat));
  if (slot >= 0) {
    game.leadSuit = CardSuit(game.twoDeckHands[seat][slot]);
    Play(game, deal, seat, slot, -1);
  }
  return -1;
}

// A led pair is answered with two cards: the lowest pair of the led suit;
// else its two lowest cards; else the two it holds; else its one card of the
// suit and the cheapest other card, or the two cheapest cards.
GUB_COUNTING_PART void Answer(GameState& game, DealCards& deal, int32_t seat) {
  const int32_t* hand = game.twoDeckHands[seat];
  const HandCards& cards = deal.hands[seat];
  const choice::SuitCards<TwoDeckHandSize> mine =
      choice::SuitCards<TwoDeckHandSize>::Of(hand, cards, game.leadSuit);
  const int32_t pair = mine.LowestPair();

  int32_t first = -1;
  int32_t second = -1;
  if (pair >= 0) {
    first = mine.Slot(pair);
    second = mine.Slot(pair + 1);
  } else if (mine.count() >= 3) {
    first = mine.Slot(mine.Lowest() - 1);
    second = mine.Slot(mine.Lowest());
  } else if (mine.count() == 2) {
    first = mine.Slot(0);
    second = mine.Slot(1);
  } else {
    first = mine.count() == 1 ? mine.Slot(0) : choice::CheapestSlot<TwoDeckHandSize>(cards);
    if (first >= 0) second = choice::CheapestSlotBut(cards, first, hand[first]);
  }
  if (first >= 0) Play(game, deal, seat, first, second);
}

// A single card on a led single card.
GUB_COUNTING_PART int32_t Follow(GameState& game, DealCards& deal, int32_t seat) {
  const int32_t slot =
      choice::FollowSlot<TwoDeckHandSize>(game, deal, game.twoDeckHands[seat], seat, true);
  if (slot >= 0) Play(game, deal, seat, slot, -1);
  return slot;
}

}  // namespace

int32_t SuitLeadScoreTwoDecks(const GameState& game, int32_t seat, int32_t suit, int32_t& slot) {
  return choice::SuitLeadScore<TwoDeckHandSize>(game, seat, suit, slot);
}

int32_t LeadTwoDecks(GameState& game, int32_t seat) {
  DealCards deal = ReadDealCards<TwoDeckHandSize>(game);
  return Lead(game, deal, seat);
}

int32_t AnswerPair(GameState& game, int32_t seat) {
  DealCards deal = ReadDealCards<TwoDeckHandSize>(game);
  Answer(game, deal, seat);
  return -1;
}

GUB_COUNTING_ENTRY int32_t PlayCardTwoDecks(GameState& game, DealCards& deal, int32_t seat) {
  if (game.leadSuit == -1) {
    Lead(game, deal, seat);
    return -2;
  }
  if (game.currentTrick[0].second != -1) {
    Answer(game, deal, seat);
    return -2;
  }
  return Follow(game, deal, seat);
}

int32_t PlayCardTwoDecks(GameState& game, int32_t seat) {
  DealCards deal = ReadDealCards<TwoDeckHandSize>(game);
  return PlayCardTwoDecks(game, deal, seat);
}

}  // namespace gub
