// SPDX-License-Identifier: MIT
// Keyboard play: every card of the hand has a press point the hit test maps
// back to it, marks stay on their own card, and the last trick comes back with
// its seats in order.
#include "shell/keyboard_play.h"

#include <gtest/gtest.h>

#include "engine/rules.h"
#include "play/turn_driver.h"

namespace gub {
namespace {

TEST(KeyboardPlayTest, EveryHeldCardHasItsOwnPressPoint) {
  const int32_t sizes[][2] = {{1024, 768}, {1920, 1080}, {800, 600}};
  for (const auto& size : sizes) {
    for (const int32_t slots : {OneDeckHandSize, TwoDeckHandSize}) {
      for (int32_t held = 1; held <= slots; ++held) {
        ViewState view;
        view.resize(size[0], size[1]);
        int32_t hand[TwoDeckHandSize];
        for (int32_t i = 0; i < slots; ++i) hand[i] = i < held ? i : -1;
        int32_t previousRight = -1;
        for (int32_t slot = 0; slot < held; ++slot) {
          SlotSpot spot;
          ASSERT_TRUE(FindSlotSpot(view, hand, slots, slot, spot))
              << size[0] << "x" << size[1] << " slots " << slots << " held " << held << " slot "
              << slot;
          EXPECT_EQ(HandHitTest(view, hand, slots, spot.x, spot.y), slot);
          EXPECT_GT(spot.left, previousRight) << "marks of two cards overlap";
          EXPECT_LE(spot.top, spot.y);
          EXPECT_GE(spot.bottom, spot.y);
          previousRight = spot.right;
        }
        SlotSpot none;
        EXPECT_FALSE(FindSlotSpot(view, hand, slots, held, none)) << "an empty slot";
      }
    }
  }
}

TEST(KeyboardPlayTest, LastTrickLiesAsPlayedWithItsLeaders) {
  GameState game;
  Settings settings;
  GameState view;
  game.phase = PhasePlaying;
  game.trickNumber = 0;
  EXPECT_FALSE(LastTrickView(game, settings, 2, view)) << "no trick completed yet";

  // Seat 2 led the first trick, seat 3 won it and led the second.
  game.trickHistory[0] = TrickRecord{3, {10, 11, 12, 13}, {-1, -1, -1, -1}};
  game.trickHistory[1] = TrickRecord{0, {20, 21, 22, 23}, {-1, -1, -1, -1}};
  game.trickNumber = 1;
  ASSERT_TRUE(LastTrickView(game, settings, 2, view));
  EXPECT_EQ(view.currentTrick[0].seat, 2);
  EXPECT_EQ(view.currentTrick[0].card, 10);
  EXPECT_EQ(view.currentTrick[3].seat, 1);
  EXPECT_EQ(view.trickNumber, 0) << "the trick is not yet taken in the view";
  EXPECT_EQ(view.trickHistory[0].winner, -1) << "nor in its winner's row";
  EXPECT_EQ(game.trickHistory[0].winner, 3);
  EXPECT_FALSE(LastTrickView(game, settings, -1, view)) << "first leader unknown";

  game.trickNumber = 2;
  game.phase = PhaseDealOver;
  ASSERT_TRUE(LastTrickView(game, settings, 2, view));
  EXPECT_EQ(view.currentTrick[0].seat, 3);
  EXPECT_EQ(view.currentTrick[1].seat, 0);
  EXPECT_EQ(view.currentTrick[1].card, 21);
  EXPECT_EQ(view.phase, PhasePlaying);
  EXPECT_EQ(game.trickNumber, 2) << "the record itself is untouched";
}

}  // namespace
}  // namespace gub
