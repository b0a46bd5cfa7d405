// SPDX-License-Identifier: MIT
// The floor under gub-sim's throughput: whole deals with the same shuffle,
// declarations, trick resolution and scoring, but every seat simply plays its
// last card (single cards only), so no time goes into choosing and none into
// closing the gap in the hand. Prints deals per second of CPU
// time, one deck and two decks.
#include <cstdio>
#include <ctime>

#include "engine/random_source.h"
#include "engine/rules.h"

namespace {

double DealsPerCpuSecond(bool twoDecks, int32_t deals) {
  static gub::GameState game;
  gub::Settings settings;
  gub::SeededRandom random(1);
  const std::clock_t start = std::clock();
  for (int32_t d = 0; d < deals; ++d) {
    if (twoDecks) {
      gub::DealTwoDecks(game, settings, random);
    } else {
      gub::DealOneDeck(game, settings, random);
    }
    game.phase = gub::PhasePlaying;
    for (int32_t trick = 0; trick < (twoDecks ? 26 : 13); ++trick) {
      for (int32_t k = 0; k < 4; ++k) {
        const int32_t seat = game.turnSeat % 4;
        if (twoDecks) {
          gub::AddPlayTwoDecks(game, seat, gub::TwoDeckHandSize - 1 - trick, -1);
        } else {
          gub::AddPlay(game, seat, gub::OneDeckHandSize - 1 - trick);
        }
        ++game.trickCount;
        ++game.turnSeat;
      }
      if (twoDecks) {
        gub::ResolveTrickTwoDecks(game);
      } else {
        gub::ResolveTrick(game);
      }
    }
    if (twoDecks) {
      gub::FinishDealTwoDecks(game);
    } else {
      gub::FinishDealOneDeck(game);
    }
  }
  return deals / (static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
}

}  // namespace

int main() {
  std::printf("bare deal loop: one deck %.0f deals/s, two decks %.0f deals/s CPU time\n",
              DealsPerCpuSecond(false, 200000), DealsPerCpuSecond(true, 100000));
  return 0;
}
