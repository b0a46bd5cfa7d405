// SPDX-License-Identifier: MIT
// The whole-deal loop: the steps of a deal the click drivers and the simulator
// share (a computer seat's play, the end of a trick, the end of the deal), and
// whole matches with every seat on the computer rules for the simulator and
// the randomised tests, which watch every play through a hook.
#pragma once

#include <cstdint>

#include "engine/game_state.h"
#include "engine/random_source.h"
#include "engine/rules.h"
#include "engine/settings.h"
#include "engine/table_view.h"
#include "players/players.h"

namespace gub {

// The computer seat whose turn it is plays, and the turn passes on.
inline void PlayComputerTurn(GameState& game, bool twoDecks) {
  const int32_t seat = game.turnSeat % 4;
  if (twoDecks) {
    PlayCardTwoDecks(game, seat);
  } else {
    AddPlay(game, seat, ChooseCard(game, seat));
  }
  ++game.trickCount;
  ++game.turnSeat;
}

// The same with the deal's card sets, which follow the play.
template <bool TwoDecks>
void PlayComputerTurnOf(GameState& game, DealCards& deal, int32_t seat) {
  if constexpr (TwoDecks) {
    PlayCardTwoDecks(game, deal, seat);
  } else {
    PlayCard(game, deal, seat);
  }
  ++game.trickCount;
  ++game.turnSeat;
}

// Resolves the full trick; true when it was the last of the deal. One deck
// has 13 tricks; with two decks every seat plays as many cards as the leader,
// so all hands run out together.
template <bool TwoDecks>
bool ResolveTrickAndCheckLastOf(GameState& game) {
  if constexpr (TwoDecks) {
    ResolveTrickTwoDecks(game);
    return game.twoDeckHands[0][0] == -1;
  } else {
    ResolveTrick(game);
    return game.trickNumber == OneDeckHandSize;
  }
}

inline bool ResolveTrickAndCheckLast(GameState& game, bool twoDecks) {
  return twoDecks ? ResolveTrickAndCheckLastOf<true>(game)
                  : ResolveTrickAndCheckLastOf<false>(game);
}

inline void FinishDeal(GameState& game, bool twoDecks) {
  if (twoDecks) {
    FinishDealTwoDecks(game);
  } else {
    FinishDealOneDeck(game);
  }
}

namespace sim {

// Nothing to show: the simulator has no window and no sound.
class SilentTable final : public TableView {
 public:
  void redrawNow() override {}
  void showTrickAndPause(int32_t) override {}
  void playEffect(const char*) override {}
  void leaveForTitle() override {}
};

// A hook that watches nothing. Hooks are template parameters so that the
// simulator's loop has no indirect calls.
struct NoHook {
  void afterDeal(const GameState&) {}
  void beforePlay(const GameState&, int32_t /*seat*/) {}
  void afterPlay(const GameState&, int32_t /*seat*/, const DealCards&) {}
  void beforeFinish(const GameState&) {}
};

// Seat 0 declares by the computer seats' rules too (which never declare its
// sheep); the deal has already done so under "declare except sheep".
inline void DeclareForSeatZero(GameState& game, const Settings& settings) {
  if (settings.declareExceptSheep) return;
  if (settings.twoDecks) {
    DeclareForSeatTwoDecks(game, settings, 0);
  } else {
    DeclareForSeat(game, settings, 0);
  }
}

// Plays the current deal from the declaring phase to the end-of-deal scores,
// one deck or two: a loop for each, so that no play asks which.
template <bool TwoDecks, class Hook>
void PlayDealOf(GameState& game, Hook& hook) {
  game.phase = PhasePlaying;
  constexpr int32_t handSize = TwoDecks ? TwoDeckHandSize : OneDeckHandSize;
  DealCards deal = ReadDealCards<handSize>(game);
  for (;;) {
    // Every trick has four plays, from the leader on; unrolled, so that the
    // end of a trick costs no mispredicted loop test.
#pragma GCC unroll 4
    for (int32_t k = 0; k < 4; ++k) {
      // The turn counts on from the leader's seat, never from below 0.
      const int32_t seat = static_cast<int32_t>(static_cast<uint32_t>(game.turnSeat) % 4);
      hook.beforePlay(game, seat);
      PlayComputerTurnOf<TwoDecks>(game, deal, seat);
      hook.afterPlay(game, seat, deal);
    }
    deal.CloseTrick(game.currentTrick[0].card);
    if (ResolveTrickAndCheckLastOf<TwoDecks>(game)) {
      hook.beforeFinish(game);
      FinishDeal(game, TwoDecks);
      return;
    }
  }
}

template <class Hook>
void PlayDeal(GameState& game, bool twoDecks, Hook& hook) {
  if (twoDecks) {
    PlayDealOf<true>(game, hook);
  } else {
    PlayDealOf<false>(game, hook);
  }
}

struct MatchResult {
  int32_t deals = 0;
};

// One match from New game to the end, each deal played by `playDeal` from
// the declaring phase to its scores; `dealDone` sees every finished deal.
template <class PlayOneDeal, class DealDone>
MatchResult PlayMatchBy(GameState& game, const Settings& settings, RandomSource& random,
                        PlayOneDeal&& playDeal, DealDone&& dealDone) {
  SilentTable table;
  MatchResult result;
  const bool twoDecks = settings.twoDecks != 0;
  StartNewMatch(game, settings, random);
  for (;;) {
    DeclareForSeatZero(game, settings);
    playDeal(game, twoDecks);
    ++result.deals;
    dealDone(game);
    CloseDeal(game, settings, random, table, twoDecks);
    if (game.phase == PhaseMatchOver) return result;
  }
}

// One match with every seat on the computer rules; every deal reaches
// `hook`. Stats are the caller's business: it reads `game` through the hook.
template <class Hook, class DealDone>
MatchResult PlayMatch(GameState& game, const Settings& settings, RandomSource& random, Hook& hook,
                      DealDone&& dealDone) {
  return PlayMatchBy(
      game, settings, random,
      [&hook](GameState& g, bool twoDecks) {
        hook.afterDeal(g);
        PlayDeal(g, twoDecks, hook);
      },
      dealDone);
}

}  // namespace sim
}  // namespace gub
