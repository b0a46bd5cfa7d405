// SPDX-License-Identifier: MIT
// The computer seats' card choice in the one-deck game: the lead (spade play
// around the gub card, then suit scores) and the follow rules shared with two
// decks.
#include "engine/play_append.h"
#include "players/choice_rules.h"
#include "players/players.h"

namespace gub {

namespace {

// The spade to lead around the gub card, or -1. Spades are the first suit of
// a hand, so slot 0 holds the seat's highest spade when it has one.
int32_t GubLeadSlot(const DealCards& deal, const choice::LeadView<OneDeckHandSize>& view) {
  const CardSet mySpades = view.own.once.OfSuit(SuitSpades);
  const CardSet theirSpades = view.others.once.OfSuit(SuitSpades);
  const CardSet underQueen = CardSet::SuitBelow(SuitSpades, choice::Queen);
  const CardSet overQueen = CardSet::SuitAbove(SuitSpades, choice::Queen);
  const bool holdsGub = mySpades.Holds(CardGub);

  // Only higher spades are out: lead the gub card, it must fall to one of them.
  if (holdsGub && (theirSpades & underQueen).Empty() && !(theirSpades & overQueen).Empty())
    return (mySpades & overQueen).Count();  // its slot, after the king and ace
  if (mySpades.Empty()) return -1;
  const int32_t highest = mySpades.HighestRank(SuitSpades);
  if (highest == choice::Queen) return -1;  // the gub card is the top spade: keep it
  if (highest >= choice::King) {
    // Drive out a declared gub card held elsewhere while it may not be thrown.
    return !holdsGub && !choice::IsFree(deal, CardGub) ? 0 : -1;
  }
  // Only spades under the queen: lead one while another seat holds it.
  return theirSpades.Holds(CardGub) ? 0 : -1;
}

}  // namespace

int32_t GubLeadCard(const GameState& game, int32_t seat) {
  if (seat < 0 || seat > 3) return -1;
  const DealCards deal = ReadDealCards<OneDeckHandSize>(game);
  return GubLeadSlot(deal, choice::ViewOf<OneDeckHandSize>(deal, seat));
}

int32_t SuitLeadScore(const GameState& game, int32_t seat, int32_t suit, int32_t& slot) {
  return choice::SuitLeadScore<OneDeckHandSize>(game, seat, suit, slot);
}

namespace {

// The lead is kept out of line, as the two-deck seat's parts are: the
// follows, three plays in four, then run through a shorter function, which
// measured a few per cent quicker.
GUB_COUNTING_PART int32_t LeadSlot(GameState& game, const DealCards& deal, int32_t seat) {
  const choice::LeadView<OneDeckHandSize> view = choice::ViewOf<OneDeckHandSize>(deal, seat);
  int32_t slot = GubLeadSlot(deal, view);
  if (slot < 0) {
    slot = choice::BestLeadSlot(deal, view);
  }
  if (slot >= 0) game.leadSuit = CardSuit(game.oneDeckHands[seat][slot]);
  return slot;
}

int32_t ChooseSlot(GameState& game, const DealCards& deal, int32_t seat) {
  const int32_t* own = game.oneDeckHands[seat];
  if (game.leadSuit != -1) return choice::FollowSlot<OneDeckHandSize>(game, deal, own, seat, false);
  return LeadSlot(game, deal, seat);
}

}  // namespace

GUB_COUNTING_ENTRY void PlayCard(GameState& game, DealCards& deal, int32_t seat) {
  if (const TrickPlay* play = play_append::AddPlayOneDeck(game, seat, ChooseSlot(game, deal, seat)))
    deal.PlayedOneDeck(seat, play->card);
}

GUB_COUNTING_ENTRY int32_t ChooseCard(GameState& game, int32_t seat) {
  return ChooseSlot(game, ReadDealCards<OneDeckHandSize>(game), seat);
}

}  // namespace gub
