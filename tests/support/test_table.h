// A TableView for tests: records what the turn drivers ask of the window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/game_state.h"
#include "engine/table_view.h"
#include "play/turn_driver.h"
#include "engine/view_state.h"

namespace gub::testing {

class RecordingTable : public TableView {
 public:
  void redrawNow() override { calls.push_back("redraw"); }
  void showTrickAndPause(int32_t delayMs) override {
    calls.push_back("pause " + std::to_string(delayMs));
  }
  void playEffect(const char* fileName) override {
    calls.push_back(std::string("effect ") + fileName);
  }
  void leaveForTitle() override { calls.push_back("title"); }

  std::vector<std::string> calls;
};

// A pixel inside the drawn card of `slot` (0..slots-1) of seat 0's row, found
// by asking the hit test itself along a line through the middle of the row.
inline bool FindClickPoint(const ViewState& view, int32_t slots, int32_t slot, int32_t& x,
                           int32_t& y) {
  int32_t full[26];
  for (int32_t i = 0; i < 26; ++i) full[i] = i;  // any cards: only occupancy matters
  int32_t top = -1;
  int32_t bottom = -1;
  const int32_t probeX = view.clientWidth / 2;
  for (int32_t py = 0; py < view.clientHeight; ++py) {
    if (HandHitTest(view, full, slots, probeX, py) != -1) {
      if (top == -1) top = py;
      bottom = py;
    }
  }
  if (top == -1) return false;
  y = (top + bottom) / 2;
  int32_t first = -1;
  int32_t last = -1;
  for (int32_t px = 0; px < view.clientWidth; ++px) {
    if (HandHitTest(view, full, slots, px, y) == slot) {
      if (first == -1) first = px;
      last = px;
    }
  }
  if (first == -1) return false;
  x = (first + last) / 2;
  return true;
}

}  // namespace gub::testing
