// SPDX-License-Identifier: MIT
// Keys that press where the mouse would, and the views they ask for.
#include "shell/keyboard_play.h"

#include <algorithm>

#include "engine/rules.h"
#include "layout/screen_layout.h"
#include "play/turn_driver.h"

namespace gub {

bool FindSlotSpot(const ViewState& view, const int32_t* hand, int32_t slots, int32_t slot,
                  SlotSpot& spot) {
  const int32_t w = view.clientWidth, h = view.clientHeight;
  if (w <= 0 || h <= 0 || slots > TwoDeckHandSize || slot < 0 || slot >= slots ||
      hand[slot] == -1) {
    return false;
  }
  // The strips of a full row: strip i starts at card i's left edge whatever
  // the hand holds, since the row is laid out from the left.
  int32_t full[TwoDeckHandSize];
  std::fill(full, full + slots, 0);
  int32_t top = -1, bottom = -1;
  for (int32_t y = 0; y < h; ++y) {
    if (HandHitTest(view, full, slots, w / 2, y) == -1) continue;
    if (top == -1) top = y;
    bottom = y;
  }
  if (top == -1) return false;
  const int32_t y = (top + bottom) / 2;
  int32_t left[TwoDeckHandSize], right[TwoDeckHandSize];
  std::fill(left, left + slots, -1);
  std::fill(right, right + slots, -1);
  for (int32_t x = 0; x < w; ++x) {
    const int32_t s = HandHitTest(view, full, slots, x, y);
    if (s < 0) continue;
    if (left[s] == -1) left[s] = x;
    right[s] = x;
  }
  // The outermost strips run on to the screen's edges; keep them a card's
  // step wide.
  const int32_t step = right[1] - left[1];
  if (left[0] == -1 || left[1] == -1 || step <= 0) return false;
  left[0] = std::max(left[0], right[0] - step);
  if (left[slots - 1] != -1) right[slots - 1] = std::min(right[slots - 1], left[slots - 1] + step);
  if (left[slot] == -1) return false;
  spot = SlotSpot{(left[slot] + right[slot]) / 2, y, top, bottom, left[slot], right[slot]};
  // A press there must pick the slot in the real hand too.
  return HandHitTest(view, hand, slots, spot.x, spot.y) == slot;
}

const int32_t* PlayerHand(const GameState& game, const Settings& settings, int32_t& slots) {
  if (settings.twoDecks != 0) {
    slots = TwoDeckHandSize;
    return game.twoDeckHands[0];
  }
  slots = OneDeckHandSize;
  return game.oneDeckHands[0];
}

int32_t CardsHeld(const int32_t* hand, int32_t slots) {
  int32_t held = 0;
  while (held < slots && hand[held] != -1) ++held;
  return held;
}

void FollowGame(KeyboardState& keys, const GameState& game, const Settings& settings) {
  int32_t slots = 0;
  const int32_t* hand = PlayerHand(game, settings, slots);
  const int32_t held = CardsHeld(hand, slots);
  keys.cursor = std::clamp(keys.cursor, 0, std::max(held - 1, 0));
  if (game.phase == PhaseDeclaring) keys.firstLeader = game.turnSeat;
}

namespace {

void pressAt(InputContext& context, int32_t x, int32_t y) { handleLeftPress(context, x, y); }

void pressCenter(InputContext& context) {
  pressAt(context, context.view.clientWidth / 2, context.view.clientHeight / 2);
}

bool pressSlot(InputContext& context, int32_t slot) {
  int32_t slots = 0;
  const int32_t* hand = PlayerHand(context.game, context.settings, slots);
  SlotSpot spot;
  if (!FindSlotSpot(context.view, hand, slots, slot, spot)) return false;
  pressAt(context, spot.x, spot.y);
  return true;
}

bool tableKey(InputContext& context, KeyboardState& keys, TableKey key) {
  GameState& game = context.game;
  int32_t slots = 0;
  const int32_t* hand = PlayerHand(game, context.settings, slots);
  const int32_t held = CardsHeld(hand, slots);
  const bool twoDecks = context.settings.twoDecks != 0;
  switch (key) {
    case TableKey::Left:
    case TableKey::Right:
      if (held == 0) return false;
      if (keys.cursorShown) {
        keys.cursor += key == TableKey::Left ? -1 : 1;
        keys.cursor = std::clamp(keys.cursor, 0, held - 1);
      }
      keys.cursorShown = true;
      context.table.redrawNow();
      return true;
    case TableKey::Select:
      if (game.phase == PhaseDealOver || game.phase == PhaseMatchOver) {
        // Any press on the table goes on from the scores.
        pressCenter(context);
        return true;
      }
      if (held == 0 || keys.cursor >= held) return false;
      keys.cursorShown = true;
      if (twoDecks && game.phase == PhasePlaying && context.game.raised[keys.cursor] != 0) {
        // A second press would play; the key only lowers the card again.
        game.raised[keys.cursor] = 0;
        context.table.redrawNow();
        return true;
      }
      return pressSlot(context, keys.cursor);
    case TableKey::PlayRaised:
      handleRaisedPlayGesture(context);
      return true;
    case TableKey::Start:
      if (game.phase != PhaseDeclaring) return false;
      pressCenter(context);
      return true;
    case TableKey::NewGame:
    case TableKey::Options:
      return false;
  }
  return false;
}

}  // namespace

bool HandleTableKey(InputContext& context, KeyboardState& keys, TableKey key) {
  bool handled = false;
  if (context.screenMode == ScreenTitle) {
    const layout::ScreenLayout screen =
        layout::computeScreenLayout(context.view.clientWidth, context.view.clientHeight);
    const int32_t button = key == TableKey::NewGame ? 0 : key == TableKey::Options ? 1 : -1;
    if (button < 0) return false;
    const layout::PressArea& area = screen.titleButtons[button];
    keys.clearHint();
    keys.lastTrickShown = false;
    pressAt(context, (area.left + area.right) / 2, (area.top + area.bottom) / 2);
    handled = true;
  } else {
    keys.clearHint();
    keys.lastTrickShown = false;
    handled = tableKey(context, keys, key);
  }
  FollowGame(keys, context.game, context.settings);
  return handled;
}

bool LastTrickView(const GameState& game, const Settings& settings, int32_t firstLeader,
                   GameState& view) {
  const int32_t played = game.trickNumber;
  if (game.phase != PhasePlaying && game.phase != PhaseDealOver) return false;
  if (played <= 0 || played > TwoDeckHandSize) return false;
  const int32_t t = played - 1;
  const int32_t leader = t == 0 ? firstLeader : game.trickHistory[t - 1].winner;
  if (leader < 0 || leader > 3) return false;
  view = game;
  const TrickRecord& record = game.trickHistory[t];
  for (int32_t k = 0; k < 4; ++k) {
    view.currentTrick[k].seat = (leader + k) % 4;
    view.currentTrick[k].card = record.cards[k];
    view.currentTrick[k].second = settings.twoDecks != 0 ? record.seconds[k] : -1;
  }
  // The trick lies on the table untaken: the taken rows (built from every
  // record with a winner) and the pile stop before it, and the table is
  // drawn as in play.
  view.trickHistory[t].winner = -1;
  view.trickNumber = t;
  view.trickCount = 4;
  view.phase = PhasePlaying;
  return true;
}

}  // namespace gub
