// The two-deck game driven by the player's clicks: a click raises a card, a
// second click on a raised card (or a double click, or the right button) plays
// the raised card or pair.
#include <algorithm>
#include <iterator>

#include "engine/rules.h"
#include "engine/turn_driver.h"
#include "players/players.h"

namespace gub {

namespace {

void PlayComputerTurn(GameState& game) {
  PlayCardTwoDecks(game, game.turnSeat % 4);
  ++game.trickCount;
  ++game.turnSeat;
}

void ComputersUpToPlayer(GameState& game) {
  while (game.turnSeat % 4 != 0) PlayComputerTurn(game);
}

}  // namespace

bool PlayRaisedCards(DriverContext& context) {
  GameState& game = context.game;
  if (game.phase != PhasePlaying || game.turnSeat % 4 != 0) return false;

  int32_t first = -1;
  int32_t second = -1;
  for (int32_t slot = 0; slot < TwoDeckHandSize; ++slot) {
    if (game.raised[slot] == 0) continue;
    if (first == -1) {
      first = slot;
    } else if (second == -1) {
      second = slot;
    } else {
      return false;  // three raised cards are never played
    }
  }
  if (first == -1 || !CanPlayTwoDecks(game, first, second)) return false;

  AddPlayTwoDecks(game, 0, first, second);
  for (;;) {
    ++game.trickCount;
    ++game.turnSeat;
    if (game.trickCount == 4) break;
    PlayCardTwoDecks(game, game.turnSeat % 4);
  }
  std::fill(std::begin(game.raised), std::end(game.raised), 0);
  context.table.showTrickAndPause(std::max(0, context.settings.speedDelayMs));
  ResolveTrickTwoDecks(game);
  // Every seat plays as many cards as the leader, so all hands run out together.
  if (game.twoDeckHands[0][0] == -1) {
    FinishDealTwoDecks(game);
  } else {
    ComputersUpToPlayer(game);
  }
  context.table.redrawNow();
  return true;
}

void TurnDriverTwoDecks(DriverContext& context, int32_t x, int32_t y) {
  GameState& game = context.game;
  switch (game.phase) {
    case PhaseDeclaring: {
      if (IsOnStartButton(context.view.clientWidth, context.view.clientHeight, x, y)) {
        game.phase = PhasePlaying;
        ComputersUpToPlayer(game);
        context.table.redrawNow();
        return;
      }
      const int32_t slot = HandHitTest(context.view, game.twoDeckHands[0], TwoDeckHandSize, x, y);
      if (slot == -1 || game.twoDeckHands[0][slot] == -1) return;
      if (DeclareHumanCardTwoDecks(game, slot)) context.table.redrawNow();
      return;
    }
    case PhasePlaying: {
      const int32_t slot = HandHitTest(context.view, game.twoDeckHands[0], TwoDeckHandSize, x, y);
      if (slot == -1 || game.twoDeckHands[0][slot] == -1) return;
      if (game.raised[slot] == 0) {
        game.raised[slot] = 1;
        context.table.redrawNow();
      } else if (!PlayRaisedCards(context)) {
        // Only the clicked card drops back; any other raised card stays up.
        game.raised[slot] = 0;
        context.table.redrawNow();
      }
      return;
    }
    case PhaseDealOver:
      CloseDeal(game, context.settings, context.random, context.table, true);
      context.table.redrawNow();
      return;
    case PhaseMatchOver:
      context.table.leaveForTitle();
      return;
    default:
      return;
  }
}

}  // namespace gub
