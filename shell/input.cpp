// SPDX-License-Identifier: MIT
// Screen dispatch of presses and the keypad zoom.
#include "shell/input.h"

#include "engine/rules.h"
#include "layout/screen_layout.h"
#include "play/turn_driver.h"

namespace gub {

static_assert(static_cast<double>(ZoomInFactor) == 1.10000002384185791015625);
static_assert(static_cast<double>(ZoomOutFactor) == 0.90909087657928466796875);

TitleButton titleButtonAt(int32_t width, int32_t height, int32_t x, int32_t y) {
  const layout::ScreenLayout screen = layout::computeScreenLayout(width, height);
  constexpr TitleButton Buttons[3] = {TitleButton::NewGame, TitleButton::Options,
                                      TitleButton::Exit};
  for (int32_t i = 0; i < 3; ++i) {
    if (screen.titleButtons[i].contains(x, y)) return Buttons[i];
  }
  return TitleButton::None;
}

bool isOnCornerButton(int32_t width, int32_t height, int32_t x, int32_t y) {
  return layout::computeScreenLayout(width, height).menuPress.contains(x, y);
}

void zoomView(ViewState& view, float factor) {
  for (float& scale : view.zoomScale) scale *= factor;
}

void handleLeftPress(InputContext& context, int32_t x, int32_t y) {
  const int32_t w = context.view.clientWidth, h = context.view.clientHeight;
  if (context.screenMode == ScreenGame) {
    if (isOnCornerButton(w, h, x, y)) {
      // The deal stays in the record but can't be resumed: the title leads
      // back to the table only through New game.
      context.screenMode = ScreenTitle;
      context.table.redrawNow();
      return;
    }
    DriverContext driver{context.game, context.settings, context.view, context.table,
                         context.random};
    // The setting is read at every press: it can't change during a deal, but
    // the driver that closes a deal decides the next one by it.
    if (context.settings.twoDecks != 0) {
      TurnDriverTwoDecks(driver, x, y);
    } else {
      TurnDriverOneDeck(driver, x, y);
    }
    return;
  }

  switch (titleButtonAt(w, h, x, y)) {
    case TitleButton::NewGame:
      StartNewMatch(context.game, context.settings, context.random);
      context.screenMode = ScreenGame;
      context.table.redrawNow();
      break;
    case TitleButton::Options:
      context.shell.runOptionsDialog();
      context.table.redrawNow();
      break;
    case TitleButton::Exit:
      context.shell.endProgram();
      break;
    case TitleButton::None:
      break;
  }
}

void handleRaisedPlayGesture(InputContext& context) {
  // Only on the table: the record may still hold an abandoned two-deck deal
  // behind the title screen, and playing it there would be invisible.
  if (context.screenMode != ScreenGame) return;
  if (context.settings.twoDecks == 0 || context.game.phase != PhasePlaying) return;
  DriverContext driver{context.game, context.settings, context.view, context.table, context.random};
  PlayRaisedCards(driver);
}

}  // namespace gub
