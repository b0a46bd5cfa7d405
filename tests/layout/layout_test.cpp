// SPDX-License-Identifier: MIT
// The screen layout: on a 4:3 screen every place and press area is the one the
// game has always used; on any screen the pictures stay whole and apart.
#include <gtest/gtest.h>

#include <string>

#include "layout/screen_layout.h"

namespace gub::layout {
namespace {

struct ScreenSize {
  int32_t width;
  int32_t height;
};

constexpr ScreenSize FourByThree[] = {{800, 600}, {1024, 768}, {1600, 1200}};

// The places of the flat pictures as a 4:3 screen has always had them, in
// window pixels from the lower left, with u = W / 1024 in single precision.
TEST(FourByThreeLayout, PlacesAreTheLongStandingOnesBitForBit) {
  for (const ScreenSize size : FourByThree) {
    SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
    const ScreenLayout l = computeScreenLayout(size.width, size.height);
    const double w = size.width, h = size.height;
    const float unit = static_cast<float>(size.width) * 0.0009765625f;
    const double u = unit;
    EXPECT_EQ(l.unit, unit);
    EXPECT_EQ(l.titleZoom, static_cast<float>(2.0 * u));
    EXPECT_TRUE(l.titleFillsWindow);
    auto same = [](Spot got, double x, double y) { return got.x == x && got.y == y; };
    EXPECT_TRUE(same(l.title, 0, 0));
    EXPECT_TRUE(same(l.stripHead, 0, h - 46 * u));
    for (int32_t k = 1; k <= 4; ++k) EXPECT_TRUE(same(l.icon(k), 92 * u + 69 * u * k, h - 46 * u));
    EXPECT_TRUE(same(l.menu, w - 92 * u, h - 46 * u));
    EXPECT_TRUE(same(l.start, w / 2 - 92 * u, h / 2 - 46 * u));
    EXPECT_EQ(l.totals[0].y, 0.0);
    EXPECT_TRUE(same(l.totals[1], w - 69 * u, h - 130 * u));
    EXPECT_TRUE(same(l.totals[2], w / 2 + 46 * u, h - 96 * u));
    EXPECT_TRUE(same(l.totals[3], 161 * u, h - 130 * u));
    EXPECT_TRUE(same(l.portraits[1], w - 130 * u, h - 288 * u));
    EXPECT_TRUE(same(l.portraits[2], w / 2 + 69 * u, h - 168 * u));
    EXPECT_TRUE(same(l.portraits[3], 0, h - 288 * u));
    EXPECT_TRUE(same(l.dealOver, w / 2 - 276 * u, h - 240 * u));
    EXPECT_EQ(l.dealScores[0].y, 48 * u);
    EXPECT_TRUE(same(l.dealScores[1], w - 23 * u, h - 336 * u));
    EXPECT_TRUE(same(l.dealScores[2], w / 2 + 46 * u, h - 144 * u));
    EXPECT_TRUE(same(l.dealScores[3], 109 * u, h - 336 * u));
    EXPECT_TRUE(same(l.matchOver, w / 2 - 276 * u, h - 240 * u));
    EXPECT_EQ(l.units(69), 69 * u);
  }
}

// Every pixel of a 4:3 screen presses what it always pressed: the title
// buttons at W*122/512 < x < W*378/512 and H*131/384 < y < H*171/384 (183 ...
// 223, 236 ... 276), the Menu corner at y < H*46/768 and x > W - W*92/1024,
// Start at W/2 +- W*92/1024 by H/2 +- H*46/768, all in truncating integers.
TEST(FourByThreeLayout, EveryPixelPressesWhatItAlwaysPressed) {
  for (const ScreenSize size : FourByThree) {
    SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
    const int32_t W = size.width, H = size.height;
    const ScreenLayout l = computeScreenLayout(W, H);
    const int32_t bands[3][2] = {{131, 171}, {183, 223}, {236, 276}};
    int32_t differences = 0;
    for (int32_t y = -2; y < H + 2; ++y) {
      for (int32_t x = -2; x < W + 2; ++x) {
        const bool column = W * 122 / 512 < x && x < W * 378 / 512;
        for (int32_t i = 0; i < 3; ++i) {
          const bool was = column && H * bands[i][0] / 384 < y && y < H * bands[i][1] / 384;
          differences += was != l.titleButtons[i].contains(x, y) ? 1 : 0;
        }
        const bool menu = y < H * 46 / 768 && x > W - W * 92 / 1024;
        differences += menu != l.menuPress.contains(x, y) ? 1 : 0;
        const bool start = H / 2 - H * 46 / 768 < y && y < H / 2 + H * 46 / 768 &&
                           W / 2 - W * 92 / 1024 < x && x < W / 2 + W * 92 / 1024;
        differences += start != l.startPress.contains(x, y) ? 1 : 0;
      }
    }
    EXPECT_EQ(differences, 0);
  }
}

// Window rectangle of a picture of `size` design pixels at `spot`.
struct Box {
  double left, bottom, right, top;
};
Box boxOf(const ScreenLayout& l, Spot spot, Size size) {
  return {spot.x, spot.y, spot.x + l.units(size.width), spot.y + l.units(size.height)};
}
bool overlap(Box a, Box b) {
  return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

TEST(AnyScreen, TitleIsWholeAndThePanelIsUncoveredAndEveryPictureOnScreen) {
  const ScreenSize sizes[] = {{640, 480},   {800, 600},   {1024, 768},  {1280, 1024}, {1366, 768},
                              {1280, 800},  {1920, 1080}, {1920, 1200}, {2560, 1440}, {3440, 1440},
                              {3840, 2160}, {5120, 1440}, {1080, 1920}, {1000, 700},  {1921, 1081}};
  for (const ScreenSize size : sizes) {
    SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
    const ScreenLayout l = computeScreenLayout(size.width, size.height);
    const double w = size.width, h = size.height, slack = 1e-6;
    // The title picture fits and fills the window one way.
    const Box title{l.title.x, l.title.y, l.title.x + TitleSize.width * double(l.titleZoom),
                    l.title.y + TitleSize.height * double(l.titleZoom)};
    EXPECT_GE(title.left, 0.0);
    EXPECT_GE(title.bottom, 0.0);
    EXPECT_LE(title.right, w + slack);
    EXPECT_LE(title.top, h + slack);
    EXPECT_TRUE(title.right - title.left > w - 1 || title.top - title.bottom > h - 1);
    EXPECT_NEAR(title.left, w - title.right, 1e-6) << "centred";
    EXPECT_NEAR(title.bottom, h - title.top, 1e-6) << "centred";

    const Box panel = boxOf(l, l.dealOver, DealOverSize);
    for (int32_t seat = 1; seat <= 3; ++seat) {
      const Box portrait = boxOf(l, l.portraits[seat], PortraitSize);
      EXPECT_FALSE(overlap(panel, portrait)) << "seat " << seat;
      EXPECT_GE(portrait.left, 0.0);
      EXPECT_LE(portrait.right, w + slack);
      EXPECT_LE(portrait.top, h + slack);
    }
    const Box menu = boxOf(l, l.menu, MenuSize);
    const Box start = boxOf(l, l.start, StartSize);
    EXPECT_NEAR(menu.right, w, slack);
    EXPECT_NEAR(menu.top, h, slack);
    EXPECT_FALSE(overlap(menu, boxOf(l, l.icon(4), IconSize)));
    EXPECT_GE(start.left, 0.0);
    EXPECT_LE(start.right, w);
    EXPECT_GE(panel.left, 0.0);
    EXPECT_LE(panel.right, w);
  }
}

}  // namespace
}  // namespace gub::layout
