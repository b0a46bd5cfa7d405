// SPDX-License-Identifier: MIT
// Test helper: where the user's cards are on a W x H window, by the game's own
// hit test. Prints "band TOP BOTTOM" (the rows where a click reaches the hand)
// and "slot I LEFT RIGHT" for each slot of a full hand of 13 or 26 cards.
#include <cstdio>
#include <cstdlib>

#include "engine/view_state.h"
#include "play/turn_driver.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT 13|26\n", argv[0]);
    return 2;
  }
  const int32_t width = std::atoi(argv[1]), height = std::atoi(argv[2]);
  const int32_t slots = std::atoi(argv[3]);
  if (width <= 0 || height <= 0 || (slots != 13 && slots != 26)) return 2;
  gub::ViewState view;
  view.resize(width, height);
  int32_t hand[26];
  for (int32_t i = 0; i < 26; ++i) hand[i] = i < slots ? 51 - i : -1;

  int32_t top = -1, bottom = -1;
  for (int32_t y = 0; y < height; ++y) {
    if (gub::HandHitTest(view, hand, slots, width / 2, y) >= 0) {
      if (top < 0) top = y;
      bottom = y;
    }
  }
  if (top < 0) return 1;
  std::printf("band %d %d\n", top, bottom);
  const int32_t y = (top + bottom) / 2;
  for (int32_t slot = 0; slot < slots; ++slot) {
    int32_t left = -1, right = -1;
    for (int32_t x = 0; x < width; ++x) {
      if (gub::HandHitTest(view, hand, slots, x, y) == slot) {
        if (left < 0) left = x;
        right = x;
      }
    }
    std::printf("slot %d %d %d\n", slot, left, right);
  }
  return 0;
}
