// SPDX-License-Identifier: MIT
// The deal driven by the player's clicks, for one deck and two decks: declare,
// start, play (two decks: raise, then play the raised card or pair), let the
// computer seats answer and lead, close the deal, leave a finished match.
#include "play/turn_driver.h"

#include <algorithm>
#include <iterator>

#include "engine/rules.h"
#include "play/deal_loop.h"

namespace gub {

namespace {

// What differs between the two games; the phases around it are shared.
struct OneDeck {
  static constexpr int32_t Slots = OneDeckHandSize;
  static constexpr bool TwoDeckDriver = false;
  static const int32_t* Hand(const GameState& game) { return game.oneDeckHands[0]; }
  static bool Declare(GameState& game, int32_t slot) { return DeclareHumanCard(game, slot); }
};

struct TwoDecks {
  static constexpr int32_t Slots = TwoDeckHandSize;
  static constexpr bool TwoDeckDriver = true;
  static const int32_t* Hand(const GameState& game) { return game.twoDeckHands[0]; }
  static bool Declare(GameState& game, int32_t slot) {
    return DeclareHumanCardTwoDecks(game, slot);
  }
};

// The computer seats play in turn until the player is to play; nothing is
// drawn in between, the player sees the trick as it stands when the turn comes.
template <class Deck>
void ComputersUpToPlayer(GameState& game) {
  while (game.turnSeat % 4 != 0) PlayComputerTurn(game, Deck::TwoDeckDriver);
}

// A negative pause read from a damaged settings file means no pause.
int32_t PauseMs(const Settings& settings) { return std::max(0, settings.speedDelayMs); }

// After the player's play: the rest of the trick, shown and paused, resolved;
// then either the end of the deal or the computers up to the player's turn.
template <class Deck>
void FinishTrick(DriverContext& context) {
  GameState& game = context.game;
  while (game.trickCount < 4) PlayComputerTurn(game, Deck::TwoDeckDriver);
  context.table.showTrickAndPause(PauseMs(context.settings));
  if (ResolveTrickAndCheckLast(game, Deck::TwoDeckDriver)) {
    FinishDeal(game, Deck::TwoDeckDriver);
  } else {
    ComputersUpToPlayer<Deck>(game);
  }
  context.table.redrawNow();
}

void PlayingClick(DriverContext& context, OneDeck, int32_t slot) {
  GameState& game = context.game;
  if (!CanPlayOneDeck(game, slot)) return;  // refused silently
  AddPlay(game, 0, slot);
  ++game.trickCount;
  ++game.turnSeat;
  FinishTrick<OneDeck>(context);
}

void PlayingClick(DriverContext& context, TwoDecks, int32_t slot) {
  GameState& game = context.game;
  if (game.raised[slot] == 0) {
    game.raised[slot] = 1;
    context.table.redrawNow();
  } else if (!PlayRaisedCards(context)) {
    // Only the clicked card drops back; any other raised card stays up.
    game.raised[slot] = 0;
    context.table.redrawNow();
  }
}

template <class Deck>
void Drive(DriverContext& context, int32_t x, int32_t y) {
  GameState& game = context.game;
  switch (game.phase) {
    case PhaseDeclaring: {
      if (IsOnStartButton(context.view.clientWidth, context.view.clientHeight, x, y)) {
        game.phase = PhasePlaying;
        ComputersUpToPlayer<Deck>(game);
        context.table.redrawNow();
        return;
      }
      const int32_t slot = HandHitTest(context.view, Deck::Hand(game), Deck::Slots, x, y);
      if (slot == -1 || Deck::Hand(game)[slot] == -1) return;
      if (Deck::Declare(game, slot)) context.table.redrawNow();
      return;
    }
    case PhasePlaying: {
      const int32_t slot = HandHitTest(context.view, Deck::Hand(game), Deck::Slots, x, y);
      if (slot == -1 || Deck::Hand(game)[slot] == -1) return;
      PlayingClick(context, Deck{}, slot);
      return;
    }
    case PhaseDealOver:
      CloseDeal(game, context.settings, context.random, context.table, Deck::TwoDeckDriver);
      context.table.redrawNow();
      return;
    case PhaseMatchOver:
      context.table.leaveForTitle();
      return;
    default:
      return;
  }
}

}  // namespace

void TurnDriverOneDeck(DriverContext& context, int32_t x, int32_t y) {
  Drive<OneDeck>(context, x, y);
}

void TurnDriverTwoDecks(DriverContext& context, int32_t x, int32_t y) {
  Drive<TwoDecks>(context, x, y);
}

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
  ++game.trickCount;
  ++game.turnSeat;
  std::fill(std::begin(game.raised), std::end(game.raised), 0);
  FinishTrick<TwoDecks>(context);
  return true;
}

}  // namespace gub
