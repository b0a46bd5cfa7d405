// SPDX-License-Identifier: MIT
// The screen layout. Positions are written in design pixels times the unit,
// anchored to the window's edges or middle as each picture belongs; press
// areas are the pixels the pictures cover.
#include "layout/screen_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace gub::layout {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double OverlayPlaneDistance = 3.0;

// The pixels glDrawPixels fills for the part [left, right) x [bottom, top)
// (window pixels, counted from the picture's corner) of a picture whose lower
// left corner is at `at`: GL rounds the raster position to the nearest pixel
// corner and fills the pixels whose centres the zoomed picture covers. As a
// press area the whole of it acts.
PressArea covered(int32_t windowHeight, Spot at, double left, double bottom, double right,
                  double top) {
  const double x = std::floor(at.x + EdgeNudgePixels + 0.5);
  const double y = std::floor(at.y + EdgeNudgePixels + 0.5);
  // A pixel whose centre lies exactly on an edge inside the picture may show
  // either side's colour (the texture lookup decides): count it outside.
  auto firstAfter = [](double edge) { return static_cast<int32_t>(std::floor(edge - 0.5)) + 1; };
  auto firstFrom = [](double edge) { return static_cast<int32_t>(std::ceil(edge - 0.5)); };
  const int32_t firstColumn = firstAfter(x + left), endColumn = firstFrom(x + right);
  const int32_t firstRow = firstAfter(y + bottom), endRow = firstFrom(y + top);  // from below
  return {firstColumn - 1, windowHeight - endRow - 1, endColumn, windowHeight - firstRow};
}

}  // namespace

Spot ScreenLayout::icon(int32_t k) const {
  const double u = unit;
  return {92 * u + 69 * u * k, stripHead.y};
}

ScreenLayout computeScreenLayout(int32_t width, int32_t height) {
  ScreenLayout l;
  l.width = width;
  l.height = height;
  const int64_t W = width;
  const int64_t H = height;
  // Up to 4:3 the unit is W / 1024; wider, the width a 4:3 screen of this
  // height would have, over 1024. A 4:3 screen gets the same unit either way.
  const double designWidth = W * 3 <= H * 4 ? static_cast<double>(W) : H * 4.0 / 3.0;
  l.unit = static_cast<float>(designWidth) * 0.0009765625f;
  // Single precision may round a third up: never let the design outgrow the
  // window, or the title picture would lose its top row.
  if (W * 3 > H * 4 && 768.0 * static_cast<double>(l.unit) > static_cast<double>(H)) {
    l.unit = std::nextafter(l.unit, 0.0f);
  }

  const double w = width;
  const double h = height;
  const double u = l.unit;

  l.titleZoom = static_cast<float>(2.0 * u);
  const double zoom = l.titleZoom;
  l.title = {std::max(0.0, (w - TitleSize.width * zoom) / 2),
             std::max(0.0, (h - TitleSize.height * zoom) / 2)};
  l.titleFillsWindow = l.title.x == 0.0 && l.title.y == 0.0;

  l.stripHead = {0, h - 46 * u};
  l.menu = {w - 92 * u, h - 46 * u};
  l.start = {w / 2 - 92 * u, h / 2 - 46 * u};

  l.totals[0] = {0, 0};
  l.totals[1] = {w - 69 * u, h - 130 * u};
  l.totals[2] = {w / 2 + 46 * u, h - 96 * u};
  l.totals[3] = {161 * u, h - 130 * u};
  l.portraits[1] = {w - 130 * u, h - 288 * u};
  l.portraits[2] = {w / 2 + 69 * u, h - 168 * u};
  l.portraits[3] = {0, h - 288 * u};

  l.dealOver = {w / 2 - 276 * u, h - 240 * u};
  l.dealScores[0] = {0, 48 * u};
  l.dealScores[1] = {w - 23 * u, h - 336 * u};
  l.dealScores[2] = {w / 2 + 46 * u, h - 144 * u};
  l.dealScores[3] = {109 * u, h - 336 * u};
  l.matchOver = l.dealOver;

  if (W * 3 == H * 4) {
    // A 4:3 screen keeps the press areas it has always had, whole-pixel
    // proportions of the client size; they differ from the drawn pixels by
    // at most the one or two rows and columns the rounding gives.
    const int64_t menuW = W * 92 / 1024, menuH = H * 46 / 768;
    l.menuPress = {static_cast<int32_t>(W - menuW), std::numeric_limits<int32_t>::min(),
                   std::numeric_limits<int32_t>::max(), static_cast<int32_t>(menuH)};
    l.startPress = {static_cast<int32_t>(W / 2 - menuW), static_cast<int32_t>(H / 2 - menuH),
                    static_cast<int32_t>(W / 2 + menuW), static_cast<int32_t>(H / 2 + menuH)};
    for (int32_t i = 0; i < 3; ++i) {
      const PictureRect& r = TitleButtonRects[i];
      l.titleButtons[i] = {static_cast<int32_t>(W * r.left / TitleSize.width),
                           static_cast<int32_t>(H * r.top / TitleSize.height),
                           static_cast<int32_t>(W * r.right / TitleSize.width),
                           static_cast<int32_t>(H * r.bottom / TitleSize.height)};
    }
  } else {
    l.menuPress = covered(height, l.menu, 0, 0, l.units(MenuSize.width), l.units(MenuSize.height));
    // The corner reaches the window's edges: a press on the last row or
    // column, or beyond, is on it too.
    l.menuPress.top = std::numeric_limits<int32_t>::min();
    l.menuPress.right = std::numeric_limits<int32_t>::max();
    l.startPress =
        covered(height, l.start, 0, 0, l.units(StartSize.width), l.units(StartSize.height));
    for (int32_t i = 0; i < 3; ++i) {
      const PictureRect& r = TitleButtonRects[i];
      l.titleButtons[i] =
          covered(height, l.title, r.left * zoom, (TitleSize.height - r.bottom) * zoom,
                  r.right * zoom, (TitleSize.height - r.top) * zoom);
    }
  }
  return l;
}

double windowXOfEyeX(int32_t width, int32_t height, double eyeX) {
  const double aspect = height == 0 ? static_cast<double>(width)
                                    : static_cast<double>(width) / static_cast<double>(height);
  const double halfWidth = aspect * OverlayPlaneDistance * std::tan(22.5 * Pi / 180.0);
  return (eyeX + halfWidth) / (2.0 * halfWidth) * width;
}

}  // namespace gub::layout
