// The computer seats' card choice in the one-deck game: the lead (spade play
// around the gub card, then suit scores) and the follow rules shared with two
// decks.
#include "players/choice_rules.h"
#include "players/players.h"

namespace gub {

int32_t GubLeadCard(const GameState& game, int32_t seat) {
  const int32_t* own = game.oneDeckHands[seat];
  bool othersLowSpade = false;   // a spade below the queen
  bool othersHighSpade = false;  // the king or ace of spades
  bool othersGub = false;
  for (int32_t other = 0; other < 4; ++other) {
    if (other == seat) continue;
    for (int32_t c : game.oneDeckHands[other]) {
      if (c < 0) break;
      if (game.cards[c].suit != SuitSpades) continue;
      int32_t rank = game.cards[c].rank;
      if (rank < 12) othersLowSpade = true;
      if (rank >= 13) othersHighSpade = true;
      if (c == CardGub) othersGub = true;
    }
  }

  int32_t gubSlot = -1;
  int32_t highest = -1;
  for (int32_t i = 0; i < OneDeckHandSize && own[i] >= 0; ++i) {
    if (game.cards[own[i]].suit != SuitSpades) continue;
    if (highest < 0) highest = i;
    if (own[i] == CardGub) gubSlot = i;
  }

  // Only higher spades are out: the gub card must fall to one of them.
  if (gubSlot >= 0 && !othersLowSpade && othersHighSpade) return gubSlot;
  if (highest < 0 || own[highest] == CardGub) return -1;
  if (game.cards[own[highest]].rank >= 13) {
    // Drive out a declared gub card held elsewhere while it cannot be thrown.
    bool spadesOpened = (choice::OpenedSuits(game) & choice::SuitBit(SuitSpades)) != 0;
    return gubSlot < 0 && game.gubMult == 2 && !spadesOpened ? highest : -1;
  }
  return othersGub ? highest : -1;
}

int32_t SuitLeadScore(const GameState& game, int32_t seat, int32_t suit, int32_t& slot) {
  choice::SuitScores scores;
  choice::ScoreSuits<OneDeckHandSize>(game, game.oneDeckHands, seat, 13, 15, scores);
  slot = scores.slot[suit];
  return scores.score[suit];
}

int32_t ChooseCard(GameState& game, int32_t seat) {
  const int32_t* hand = game.oneDeckHands[seat];
  if (game.leadSuit != -1) return choice::FollowSlot<OneDeckHandSize>(game, hand, false);

  int32_t slot = GubLeadCard(game, seat);
  if (slot < 0) {
    choice::SuitScores scores;
    choice::ScoreSuits<OneDeckHandSize>(game, game.oneDeckHands, seat, 13, 15, scores);
    slot = choice::BestLeadSlot(scores, 30);
  }
  if (slot >= 0) game.leadSuit = game.cards[hand[slot]].suit;
  return slot;
}

}  // namespace gub
