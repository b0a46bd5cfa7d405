// Screen dispatch of presses and the keypad zoom.
#include "shell/input.h"

#include "engine/rules.h"
#include "play/turn_driver.h"

namespace gub {

static_assert(static_cast<double>(ZoomInFactor) == 1.10000002384185791015625);
static_assert(static_cast<double>(ZoomOutFactor) == 0.90909087657928466796875);

TitleButton titleButtonAt(int32_t width, int32_t height, int32_t x, int32_t y) {
  const int32_t w = width, h = height;
  if (!(w * 122 / 512 < x && x < w * 378 / 512)) return TitleButton::None;
  if (h * 131 / 384 < y && y < h * 171 / 384) return TitleButton::NewGame;
  if (h * 183 / 384 < y && y < h * 223 / 384) return TitleButton::Options;
  if (h * 236 / 384 < y && y < h * 276 / 384) return TitleButton::Exit;
  return TitleButton::None;
}

bool isOnCornerButton(int32_t width, int32_t height, int32_t x, int32_t y) {
  return y < height * 46 / 768 && x > width - width * 92 / 1024;
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
