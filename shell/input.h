// SPDX-License-Identifier: MIT
// What a press or a key means on each screen: the title buttons, the table's
// corner button, the hand-over to the turn drivers and the keypad zoom. No wx
// here, so the dispatch can be tested without a window.
#pragma once

#include <cstdint>

#include "engine/game_state.h"
#include "engine/random_source.h"
#include "engine/settings.h"
#include "engine/table_view.h"
#include "engine/view_state.h"

namespace gub {

enum class TitleButton { None, NewGame, Options, Exit };

// The press areas of the title buttons and the Menu corner: where the screen
// layout draws them for the client size at the moment of the press.
TitleButton titleButtonAt(int32_t width, int32_t height, int32_t x, int32_t y);
bool isOnCornerButton(int32_t width, int32_t height, int32_t x, int32_t y);

// Keypad plus and minus scale the scene; the factors are single precision and
// minus is deliberately not the exact inverse of plus.
inline constexpr float ZoomInFactor = 1.1f;
inline constexpr float ZoomOutFactor = 0.9090909f;
void zoomView(ViewState& view, float factor);

// The window-side actions the dispatch can ask for.
class ShellCommands {
 public:
  virtual ~ShellCommands() = default;
  // Runs the options dialog modally and returns when it has closed.
  virtual void runOptionsDialog() = 0;
  // Ends the modal loop of the main window: the program ends.
  virtual void endProgram() = 0;
};

struct InputContext {
  GameState& game;
  Settings& settings;
  ViewState& view;
  TableView& table;
  RandomSource& random;
  int32_t& screenMode;
  ShellCommands& shell;
};

void handleLeftPress(InputContext& context, int32_t x, int32_t y);
// The right press and the left double click of the two-deck game.
void handleRaisedPlayGesture(InputContext& context);

}  // namespace gub
