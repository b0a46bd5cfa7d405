// The computer seats' card choice in the two-deck game: pair leads, answers
// to a led pair, and single cards by the one-deck follow rules. These write
// their play into the current trick themselves.
#include <initializer_list>

#include "players/choice_rules.h"
#include "players/players.h"

namespace gub {

namespace {

// Writes the play at the trick's next place and takes the cards out of the
// hand. The second card's slot is the one it had before the first left, so it
// drops by one when it lay after the first.
void WritePlay(GameState& game, int32_t seat, int32_t slot, int32_t secondSlot) {
  int32_t* hand = game.twoDeckHands[seat];
  const int32_t card = hand[slot];
  const int32_t second = secondSlot < 0 ? -1 : hand[secondSlot];
  game.currentTrick[game.trickCount] = TrickPlay{seat, card, second};
  RemoveFromHand(hand, TwoDeckHandSize, slot);
  if (secondSlot >= 0)
    RemoveFromHand(hand, TwoDeckHandSize, secondSlot > slot ? secondSlot - 1 : secondSlot);
}

// First slot of the lowest pair of each suit (the last pair in hand order), -1
// where the suit holds none.
void LowestPairs(const GameState& game, const int32_t* hand, int32_t (&pairs)[4]) {
  for (int32_t& p : pairs) p = -1;
  for (int32_t i = 0; i + 1 < TwoDeckHandSize && hand[i + 1] >= 0; ++i)
    if (hand[i] == hand[i + 1]) pairs[game.cards[hand[i]].suit] = i;
}

}  // namespace

int32_t SuitLeadScoreTwoDecks(const GameState& game, int32_t seat, int32_t suit, int32_t& slot) {
  choice::SuitScores scores;
  choice::ScoreSuits(game, choice::ReadHands<TwoDeckHandSize>(game, game.twoDeckHands, seat), 26,
                     30, scores);
  slot = scores.slot[suit];
  return scores.score[suit];
}

// The one-deck spade rule GubLeadCard is not consulted here: it reads the
// one-deck hands, which after a one-deck deal abandoned for the title screen
// still hold that deal's cards, and those must not steer a two-deck lead.
int32_t LeadTwoDecks(GameState& game, int32_t seat) {
  const int32_t* hand = game.twoDeckHands[seat];
  int32_t pairs[4];
  LowestPairs(game, hand, pairs);
  // Diamond pairs are kept: a led diamond pair only loses to a higher pair.
  for (int32_t suit : {SuitSpades, SuitHearts, SuitClubs}) {
    if (pairs[suit] < 0) continue;
    game.leadSuit = suit;
    WritePlay(game, seat, pairs[suit], pairs[suit] + 1);
    return -2;
  }

  choice::SuitScores scores;
  choice::ScoreSuits(game, choice::ReadHands<TwoDeckHandSize>(game, game.twoDeckHands, seat), 26,
                     30, scores);
  int32_t slot = choice::BestLeadSlot(scores, 60);
  if (slot >= 0) {
    game.leadSuit = game.cards[hand[slot]].suit;
    WritePlay(game, seat, slot, -1);
  }
  return -1;
}

int32_t AnswerPair(GameState& game, int32_t seat) {
  const int32_t* hand = game.twoDeckHands[seat];
  const int32_t led = game.leadSuit;
  int32_t pairs[4];
  LowestPairs(game, hand, pairs);

  int32_t first = -1;
  int32_t second = -1;
  if (led >= 0 && led < 4 && pairs[led] >= 0) {
    first = pairs[led];
    second = first + 1;
  } else {
    int32_t ledSlots[TwoDeckHandSize];  // L1 ... Lm
    int32_t m = 0;
    for (int32_t i = 0; i < TwoDeckHandSize && hand[i] >= 0; ++i)
      if (game.cards[hand[i]].suit == led) ledSlots[m++] = i;
    if (m >= 3) {
      first = ledSlots[m - 2];
      second = ledSlots[m - 1];
    } else if (m == 2) {
      first = ledSlots[0];
      second = ledSlots[1];
    } else {
      first = m == 1 ? ledSlots[0] : choice::LowestValueSlot<TwoDeckHandSize>(game, hand, -1);
      second = choice::LowestValueSlot<TwoDeckHandSize>(game, hand, first);
    }
  }
  if (first >= 0) WritePlay(game, seat, first, second);
  return -1;
}

int32_t PlayCardTwoDecks(GameState& game, int32_t seat) {
  if (game.leadSuit == -1) {
    LeadTwoDecks(game, seat);
    return -2;
  }
  if (game.currentTrick[0].second != -1) {
    AnswerPair(game, seat);
    return -2;
  }
  int32_t slot = choice::FollowSlot<TwoDeckHandSize>(game, game.twoDeckHands[seat], true);
  if (slot >= 0) WritePlay(game, seat, slot, -1);
  return slot;
}

}  // namespace gub
