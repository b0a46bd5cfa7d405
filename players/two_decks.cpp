// The computer seats' card choice in the two-deck game: pair leads, answers
// to a led pair, and single cards by the one-deck follow rules. These write
// their play into the current trick themselves.
#include <initializer_list>

#include "engine/rules.h"
#include "players/choice_rules.h"
#include "players/players.h"

namespace gub {

int32_t SuitLeadScoreTwoDecks(const GameState& game, int32_t seat, int32_t suit, int32_t& slot) {
  if (suit < SuitDiamonds || suit > SuitSpades) {
    slot = -1;
    return 0;
  }
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
  const choice::LeadView view = choice::ReadHands<TwoDeckHandSize>(game, game.twoDeckHands, seat);
  // Diamond pairs are kept: a led diamond pair only loses to a higher pair.
  for (int32_t suit : {SuitSpades, SuitHearts, SuitClubs}) {
    if (choice::Field(view.ownTwice, suit) == 0) continue;
    const int32_t pair =
        choice::LowestPairSlot(hand, choice::SuitRun{view.start[suit], view.count[suit]});
    game.leadSuit = suit;
    AddPlayTwoDecks(game, seat, pair, pair + 1);
    return -2;
  }

  choice::SuitScores scores;
  choice::ScoreSuits(game, view, 26, 30, scores);
  int32_t slot = choice::BestLeadSlot(scores, 60);
  if (slot >= 0) {
    game.leadSuit = game.cards[hand[slot]].suit;
    AddPlayTwoDecks(game, seat, slot, -1);
  }
  return -1;
}

int32_t AnswerPair(GameState& game, int32_t seat) {
  const int32_t* hand = game.twoDeckHands[seat];
  // L1 ... Lm are the slots run.first ... run.first + m - 1.
  const choice::SuitRun run = choice::FindSuitRun<TwoDeckHandSize>(game, hand, game.leadSuit);
  const int32_t m = run.count;
  const int32_t pair = choice::LowestPairSlot(hand, run);

  int32_t first = -1;
  int32_t second = -1;
  if (pair >= 0) {
    first = pair;
    second = pair + 1;
  } else if (m >= 3) {
    first = run.first + m - 2;
    second = run.first + m - 1;
  } else if (m == 2) {
    first = run.first;
    second = run.first + 1;
  } else {
    first = m == 1 ? run.first : choice::LowestValueSlot<TwoDeckHandSize>(game, hand, -1);
    second = choice::LowestValueSlot<TwoDeckHandSize>(game, hand, first);
  }
  if (first >= 0) AddPlayTwoDecks(game, seat, first, second);
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
  if (slot >= 0) AddPlayTwoDecks(game, seat, slot, -1);
  return slot;
}

}  // namespace gub
