// SPDX-License-Identifier: MIT
// What the turn drivers need from the window. The shell implements it on the
// real window; tests give the drivers a fake that records the calls.
#pragma once

#include <cstdint>

namespace gub {

class TableView {
 public:
  virtual ~TableView() = default;
  // Draw the whole scene now and present it (wait cursor around the drawing).
  virtual void redrawNow() = 0;
  // Draw and present the complete trick, then block for `delayMs` (never
  // negative) with the wait cursor on, so the player sees every trick.
  virtual void showTrickAndPause(int32_t delayMs) = 0;
  // Play a wave file by name, without waiting for it.
  virtual void playEffect(const char* fileName) = 0;
  // The match is over and acknowledged: show the title screen.
  virtual void leaveForTitle() = 0;
};

}  // namespace gub
