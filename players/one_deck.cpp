// The computer seats' card choice in the one-deck game: the lead (spade play
// around the gub card, then suit scores) and the follow rules shared with two
// decks.
#include <bit>

#include "players/choice_rules.h"
#include "players/players.h"

namespace gub {

namespace {

// The spade to lead around the gub card, or -1. Spades are the first suit of
// a hand, so slot 0 holds the seat's highest spade when it has one.
int32_t GubLeadSlot(const GameState& game, const choice::LeadView& view) {
  const uint32_t own = static_cast<uint32_t>(choice::Field(view.own, SuitSpades));
  const uint32_t others = static_cast<uint32_t>(choice::Field(view.others, SuitSpades));
  constexpr uint32_t queen = 1u << 12;
  const bool holdsGub = (own & queen) != 0;

  // Only higher spades are out: the gub card must fall to one of them.
  if (holdsGub && (others & (queen - 1)) == 0 && (others >> 13) != 0)
    return std::popcount(own >> 13);  // the king and ace before it
  if (own == 0) return -1;
  const int32_t highest = std::bit_width(own) - 1;
  if (highest == 12) return -1;
  if (highest >= 13) {
    // Drive out a declared gub card held elsewhere while it cannot be thrown.
    return !holdsGub && !choice::IsReleased(game, game.gubMult, SuitSpades) ? 0 : -1;
  }
  return (others & queen) != 0 ? 0 : -1;
}

}  // namespace

int32_t GubLeadCard(const GameState& game, int32_t seat) {
  return GubLeadSlot(game, choice::ReadHands<OneDeckHandSize>(game, game.oneDeckHands, seat));
}

int32_t SuitLeadScore(const GameState& game, int32_t seat, int32_t suit, int32_t& slot) {
  if (suit < SuitDiamonds || suit > SuitSpades) {
    slot = -1;
    return 0;
  }
  choice::SuitScores scores;
  choice::ScoreSuits(game, choice::ReadHands<OneDeckHandSize>(game, game.oneDeckHands, seat), 13,
                     15, scores);
  slot = scores.slot[suit];
  return scores.score[suit];
}

int32_t ChooseCard(GameState& game, int32_t seat) {
  const int32_t* own = game.oneDeckHands[seat];
  if (game.leadSuit != -1) return choice::FollowSlot<OneDeckHandSize>(game, own, false);

  const choice::LeadView view = choice::ReadHands<OneDeckHandSize>(game, game.oneDeckHands, seat);
  int32_t slot = GubLeadSlot(game, view);
  if (slot < 0) {
    choice::SuitScores scores;
    choice::ScoreSuits(game, view, 13, 15, scores);
    slot = choice::BestLeadSlot(scores, 30);
  }
  if (slot >= 0) game.leadSuit = game.cards[own[slot]].suit;
  return slot;
}

}  // namespace gub
