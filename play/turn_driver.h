// SPDX-License-Identifier: MIT
// Click-by-click play of a deal: the handlers of a left click on the table.
#pragma once

#include <cstdint>

#include "engine/game_state.h"
#include "engine/random_source.h"
#include "engine/settings.h"
#include "engine/table_view.h"
#include "engine/view_state.h"

namespace gub {

struct DriverContext {
  GameState& game;
  const Settings& settings;
  const ViewState& view;
  TableView& table;
  RandomSource& random;
};

// The slot of seat 0's hand under the pointer (client pixels, y down), or -1.
// `slots` is 13 for one deck and 26 for two decks.
int32_t HandHitTest(const ViewState& view, const int32_t* hand, int32_t slots, int32_t x,
                    int32_t y);

// True when (x, y) lies on the start button shown while declaring.
bool IsOnStartButton(int32_t width, int32_t height, int32_t x, int32_t y);

void TurnDriverOneDeck(DriverContext& context, int32_t x, int32_t y);
void TurnDriverTwoDecks(DriverContext& context, int32_t x, int32_t y);
// Plays the human's raised card or pair; false (and nothing changed) when the
// selection is refused.
bool PlayRaisedCards(DriverContext& context);

}  // namespace gub
