// Which card of the player's hand lies under the pointer, and the start
// button's press area. Both follow the drawing of the table exactly.
#include <cmath>
#include <cstdint>

#include "engine/table_geometry.h"
#include "play/turn_driver.h"
#include "layout/screen_layout.h"

namespace gub {

namespace {

constexpr double Pi = 3.14159265358979323846;

// A horizontal line of the row (constant height and depth in the table frame)
// as the camera sees it: half the visible height and width at its depth, and
// how far below the eye's axis it lies.
struct ProjectedLine {
  double height;
  double width;
  double offset;

  int32_t row(double clientHeight) const {
    return static_cast<int32_t>(clientHeight * (offset + height) / (2.0 * height) + 0.5);
  }
  int32_t column(double clientWidth, double x0) const {
    return static_cast<int32_t>(clientWidth * (x0 + width) / (2.0 * width) + 0.05);
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

  if (zoom[0] == 1.0f && zoom[1] == 1.0f && zoom[2] == 1.0f) {
    // Unzoomed, the game has always projected the edges of the row's back
    // plane (z 3.9): the front edge at height 0 and the top edge at height 1,
    // at distance r from the table's centre line. Clicks keep behaving exactly
    // so; the faces stand only 2/115 nearer, two or three pixels at the bottom.
    const ProjectedLine front = Project(0.0, HitRowDepth, theta, t, a);
    ProjectedLine back;
    const double r = std::sqrt(16.21);
    const double phi = theta - std::atan(0.25641025641025644);
    back.height = (HitTableDistance - r * std::cos(phi)) * t;
    back.width = back.height * a;
    back.offset = r * std::sin(phi);

    const int32_t yFront = front.row(h);
    if (y >= yFront) return -1;
    const int32_t yBack = back.row(h);
    if (y <= yBack) return -1;
    int32_t result = slots - 1;
    for (int32_t i = 0; i < slots; ++i) {
      const double x0 = HitFirstEdge + spacing * i;
      const int32_t xFront = front.column(w, x0);
      const int32_t xBack = back.column(w, x0);
      // The first card edge at or right of the pointer, compared as slopes
      // from the top edge so that integer pixels divide in floating point.
      if (static_cast<double>(x - xBack) / static_cast<double>(y - yBack) <=
          static_cast<double>(xFront - xBack) / static_cast<double>(yFront - yBack)) {
        result = i - 1;
        break;
      }
    }
    return ClampToHand(result, hand, slots);
  }

  // Zoomed, the table is scaled about its centre before the tilt and the
  // cards grow on screen, so the faces' distance in front of the back plane
  // matters: the slot edges and the bottom edge are projected on the face
  // plane, the top limit on the back plane's top edge, the highest drawn part
  // of the row (the 1 degree turn only moves a face backwards).
  const double faceDepth = zoom[2] * (HitRowDepth + CardThickness);
  const ProjectedLine front = Project(0.0, faceDepth, theta, t, a);
  const ProjectedLine faceTop = Project(zoom[1], faceDepth, theta, t, a);
  const ProjectedLine back = Project(zoom[1], zoom[2] * HitRowDepth, theta, t, a);

  const int32_t yFront = front.row(h);
  if (y >= yFront) return -1;
  if (y <= back.row(h)) return -1;
  const int32_t yTop = faceTop.row(h);
  int32_t result = slots - 1;
  for (int32_t i = 0; i < slots; ++i) {
    const double x0 = zoom[0] * (HitFirstEdge + spacing * i);
    const int32_t xFront = front.column(w, x0);
    const int32_t xTop = faceTop.column(w, x0);
    // The edge's x on the pointer's row: stop at the first edge at or right of it.
    const double edgeX =
        xTop + static_cast<double>(xFront - xTop) * (y - yTop) / static_cast<double>(yFront - yTop);
    if (x <= edgeX) {
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
