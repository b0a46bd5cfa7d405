// SPDX-License-Identifier: MIT
// Test helper: the screen layout of a W x H window, as the game computes it.
// Prints "unit U", "title X Y ZOOM" and "picture NAME X Y" (the pixel where a
// picture's lower left corner lands, counted from the bottom left; pictures
// other than the title are zoomed by the unit), "press NAME LEFT TOP RIGHT
// BOTTOM" (client pixels from the top left, bounds exclusive, clipped to the
// window) and "total SEAT X Y" (where each seat's units digit stands).
#include "layout/screen_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// GL rounds a picture's raster position to the nearest pixel corner.
long cornerPixel(double position) {
  return std::lround(std::floor(position + gub::layout::EdgeNudgePixels + 0.5));
}

void printPicture(const char* name, gub::layout::Spot spot) {
  std::printf("picture %s %ld %ld\n", name, cornerPixel(spot.x), cornerPixel(spot.y));
}

void printPress(const char* name, const gub::layout::PressArea& p, int32_t w, int32_t h) {
  std::printf("press %s %d %d %d %d\n", name, std::max(p.left, -1), std::max(p.top, -1),
              std::min(p.right, w), std::min(p.bottom, h));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT\n", argv[0]);
    return 2;
  }
  const int32_t w = std::atoi(argv[1]), h = std::atoi(argv[2]);
  if (w <= 0 || h <= 0) return 2;
  const gub::layout::ScreenLayout l = gub::layout::computeScreenLayout(w, h);
  std::printf("unit %.9g\n", static_cast<double>(l.unit));
  std::printf("title %ld %ld %.9g\n", cornerPixel(l.title.x), cornerPixel(l.title.y),
              static_cast<double>(l.titleZoom));
  printPicture("menu", l.menu);
  printPicture("start", l.start);
  printPicture("dealover", l.dealOver);
  printPicture("matchover", l.matchOver);
  const char* buttons[3] = {"newgame", "options", "exit"};
  for (int32_t i = 0; i < 3; ++i) printPress(buttons[i], l.titleButtons[i], w, h);
  printPress("menu", l.menuPress, w, h);
  printPress("start", l.startPress, w, h);
  const double southX = gub::layout::windowXOfEyeX(w, h, gub::layout::SouthNumberEyeX);
  std::printf("total 0 %ld %ld\n", cornerPixel(southX), cornerPixel(l.totals[0].y));
  for (int32_t seat = 1; seat < 4; ++seat) {
    std::printf("total %d %ld %ld\n", seat, cornerPixel(l.totals[seat].x),
                cornerPixel(l.totals[seat].y));
  }
  return 0;
}
