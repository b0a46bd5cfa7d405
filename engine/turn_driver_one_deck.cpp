// The one-deck game driven by the player's clicks: declare, start, play a card
// and let the computer seats answer, close the deal, leave a finished match.
#include <algorithm>

#include "engine/rules.h"
#include "engine/turn_driver.h"
#include "players/players.h"

namespace gub {

namespace {

void PlayComputerCard(GameState& game) {
  const int32_t seat = game.turnSeat % 4;
  AddPlay(game, seat, ChooseCard(game, seat));
  ++game.trickCount;
  ++game.turnSeat;
}

// The computer seats play in turn until the player is to play; nothing is drawn
// in between, the player sees the trick as it stands when the turn comes.
void ComputersUpToPlayer(GameState& game) {
  while (game.turnSeat % 4 != 0) PlayComputerCard(game);
}

}  // namespace

void TurnDriverOneDeck(DriverContext& context, int32_t x, int32_t y) {
  GameState& game = context.game;
  switch (game.phase) {
    case PhaseDeclaring: {
      if (IsOnStartButton(context.view.clientWidth, context.view.clientHeight, x, y)) {
        game.phase = PhasePlaying;
        ComputersUpToPlayer(game);
        context.table.redrawNow();
        return;
      }
      const int32_t slot = HandHitTest(context.view, game.oneDeckHands[0], OneDeckHandSize, x, y);
      if (slot == -1 || game.oneDeckHands[0][slot] == -1) return;
      if (DeclareHumanCard(game, slot)) context.table.redrawNow();
      return;
    }
    case PhasePlaying: {
      const int32_t slot = HandHitTest(context.view, game.oneDeckHands[0], OneDeckHandSize, x, y);
      if (slot == -1 || game.oneDeckHands[0][slot] == -1 || !CanPlayOneDeck(game, slot)) return;
      AddPlay(game, 0, slot);
      ++game.trickCount;
      ++game.turnSeat;
      while (game.trickCount < 4) PlayComputerCard(game);
      // A negative pause read from a damaged settings file means no pause.
      context.table.showTrickAndPause(std::max(0, context.settings.speedDelayMs));
      ResolveTrick(game);
      if (game.trickNumber == 13) {
        FinishDealOneDeck(game);
      } else {
        ComputersUpToPlayer(game);
      }
      context.table.redrawNow();
      return;
    }
    case PhaseDealOver:
      CloseDeal(game, context.settings, context.random, context.table, false);
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
