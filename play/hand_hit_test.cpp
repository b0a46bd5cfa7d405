// SPDX-License-Identifier: MIT
// Which card of the player's hand lies under the pointer, and the start
// button's press area. Both follow the drawing of the table exactly.
#include <cmath>
#include <cstdint>

#include "engine/table_geometry.h"
#include "layout/screen_layout.h"
#include "play/turn_driver.h"

namespace gub {

namespace {

constexpr double Pi = 3.14159265358979323846;

// A horizontal line of the row (constant height and depth in the table frame)
// as the camera sees it: half the visible height and width at its depth, and
// how far below the eye's axis it lies. Positions are in client pixels from
// the top left corner of the window, not rounded: a press counts by its
// pixel's centre, as the rasteriser decides which pixels a polygon covers.
struct ProjectedLine {
  double height;
  double width;
  double offset;

  double row(double clientHeight) const {
    return clientHeight * (offset + height) / (2.0 * height);
  }
  double column(double clientWidth, double x0) const {
    return clientWidth * (x0 + width) / (2.0 * width);
  }
};

// (y, z) already scaled by the zoom, then tilted by theta and pushed back.
ProjectedLine Project(double y, double z, double theta, double t, double aspect) {
  ProjectedLine line;
  line.height = (geometry::HitTableDistance - (y * std::sin(theta) + z * std::cos(theta))) * t;
  line.width = line.height * aspect;
  line.offset = z * std::sin(theta) - y * std::cos(theta);
  return line;
}

int32_t ClampToHand(int32_t result, const int32_t* hand, int32_t slots) {
  if (result < 0) result = 0;
  int32_t held = 0;
  while (held < slots && hand[held] != -1) ++held;
  if (result >= held) result = held - 1;
  if (result < 0 || result >= slots || hand[result] == -1) return -1;
  return result;
}

}  // namespace

int32_t HandHitTest(const ViewState& view, const int32_t* hand, int32_t slots, int32_t x,
                    int32_t y) {
  using namespace geometry;
  const double w = view.clientWidth;
  const double h = view.clientHeight;
  const double theta = view.viewTiltDegrees * Pi / 180.0;
  const double t = std::tan(Pi / 8.0);
  const double a = view.aspectRatio;
  const double spacing = slots == TwoDeckHandSize ? HitTwoDeckCardSpacing : HitCardSpacing;
  const float* zoom = view.zoomScale;

  // The faces stand a card's thickness in front of the row's back plane, a
  // few pixels on a tall window, so the slot edges and the bottom edge are
  // those of the face plane. Above the faces' top edge each card shows the
  // top of its box; there a card's left edge runs from its face's top corner
  // to its back's top corner. The 1 degree turn moves the right end of each
  // card back, and so higher on screen: the row reaches up to the back top
  // corner of a whole card's width. The zoom scales the table about its
  // centre before the tilt.
  const double faceDepth = zoom[2] * (HitRowDepth + CardThickness);
  const ProjectedLine front = Project(0.0, faceDepth, theta, t, a);
  const ProjectedLine faceTop = Project(zoom[1], faceDepth, theta, t, a);
  const ProjectedLine back = Project(zoom[1], zoom[2] * HitRowDepth, theta, t, a);
  const double turnedBack =
      CardWidth * std::sin(RowCardTurnDegrees * Pi / 180.0);  // how far the right end goes back
  const ProjectedLine highest = Project(zoom[1], zoom[2] * (HitRowDepth - turnedBack), theta, t, a);

  const double px = x + 0.5;
  const double py = y + 0.5;
  const double yFront = front.row(h);
  const double yBack = back.row(h);
  if (py >= yFront || py <= highest.row(h)) return -1;
  const double yTop = faceTop.row(h);
  const bool onFace = py >= yTop;
  int32_t result = slots - 1;
  for (int32_t i = 0; i < slots; ++i) {
    const double x0 = zoom[0] * (HitFirstEdge + spacing * i);
    const double xTop = faceTop.column(w, x0);
    // The edge's x on the pointer's row: stop at the first edge at or right of it.
    const double edgeX = onFace
                             ? xTop + (front.column(w, x0) - xTop) * (py - yTop) / (yFront - yTop)
                             : xTop + (back.column(w, x0) - xTop) * (py - yTop) / (yBack - yTop);
    if (px <= edgeX) {
      result = i - 1;
      break;
    }
  }
  return ClampToHand(result, hand, slots);
}

bool IsOnStartButton(int32_t width, int32_t height, int32_t x, int32_t y) {
  return layout::computeScreenLayout(width, height).startPress.contains(x, y);
}

}  // namespace gub
