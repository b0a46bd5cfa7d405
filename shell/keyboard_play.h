// SPDX-License-Identifier: MIT
// Play without a mouse: a cursor over the player's hand, keys that press where
// the mouse would (so the turn drivers decide everything exactly as for a
// click), the hint mark and the look back at the last trick. No wx here.
#pragma once

#include <cstdint>

#include "engine/game_state.h"
#include "shell/input.h"

namespace gub {

enum class TableKey {
  Left,
  Right,
  Select,      // Space
  PlayRaised,  // Up
  Start,       // S
  NewGame,     // N
  Options,     // O
};

// Where a card of the player's hand can be pressed, in client pixels, and the
// rows its face spans on the screen.
struct SlotSpot {
  int32_t x = -1;
  int32_t y = -1;
  int32_t top = -1;
  int32_t bottom = -1;
  int32_t left = -1;
  int32_t right = -1;
};

// The press point of `slot` found through the hit test itself, so a key press
// lands on the card the mouse would pick there; false when no pixel of the
// client area maps to that slot.
bool FindSlotSpot(const ViewState& view, const int32_t* hand, int32_t slots, int32_t slot,
                  SlotSpot& spot);

// The player's hand of the variant being played, and its size.
const int32_t* PlayerHand(const GameState& game, const Settings& settings, int32_t& slots);
int32_t CardsHeld(const int32_t* hand, int32_t slots);

struct KeyboardState {
  // The hand slot under the cursor; shown only once a key has moved it.
  int32_t cursor = 0;
  bool cursorShown = false;
  // The advised slots (two decks: a pair), shown until the next press.
  int32_t hintSlot = -1;
  int32_t hintSecond = -1;
  // Seat that led the first trick of the current deal; the record keeps only
  // the winners, from which the later leaders follow.
  int32_t firstLeader = -1;
  bool lastTrickShown = false;

  void clearHint() { hintSlot = hintSecond = -1; }
};

// Keeps the cursor on a card after the hand has shrunk, and notes the first
// leader while a deal is still being declared. Call after every action.
void FollowGame(KeyboardState& keys, const GameState& game, const Settings& settings);

// Runs one key on the current screen; true when the key meant something there.
bool HandleTableKey(InputContext& context, KeyboardState& keys, TableKey key);

// The trick last completed in this deal as it lay before it was taken: a copy
// of the record with that trick back on the table. False when no trick has
// been completed yet.
bool LastTrickView(const GameState& game, const Settings& settings, int32_t firstLeader,
                   GameState& view);

}  // namespace gub
