// Which card of the player's hand lies under the pointer, and the start
// button's press area. Both follow the drawing of the table exactly.
#include <cmath>
#include <cstdint>

#include "engine/table_geometry.h"
#include "engine/turn_driver.h"

namespace gub {

namespace {

constexpr double Pi = 3.14159265358979323846;

struct ProjectedEdge {
  double height;  // half the visible height at the edge's depth
  double width;   // half the visible width there
  double offset;  // how far below the eye's axis the edge lies
};

}  // namespace

int32_t HandHitTest(const ViewState& view, const int32_t* hand, int32_t slots, int32_t x,
                    int32_t y) {
  using namespace geometry;
  const double w = view.clientWidth;
  const double h = view.clientHeight;
  const double theta = view.viewTiltDegrees * Pi / 180.0;
  const double t = std::tan(Pi / 8.0);
  const double a = view.aspectRatio;
  // The keypad zoom scales the whole table about its centre before the tilt,
  // so the card edges move with it; at zoom 1 every product below is exact
  // and the result is the unzoomed projection.
  const double zx = view.zoomScale[0];
  const double zy = view.zoomScale[1];
  const double zz = view.zoomScale[2];

  // Front edge of the row: (x0, 0, 3.9) in the table frame.
  ProjectedEdge front;
  front.height = (HitTableDistance - zz * HitRowDepth * std::cos(theta)) * t;
  front.width = front.height * a;
  front.offset = zz * HitRowDepth * std::sin(theta);

  // Top edge: (x0, 1, 3.9), at distance r from the table's centre line.
  ProjectedEdge back;
  if (zy == zz) {
    const double r = std::sqrt(16.21);
    const double phi = theta - std::atan(0.25641025641025644);
    back.height = (HitTableDistance - zz * r * std::cos(phi)) * t;
    back.offset = zz * r * std::sin(phi);
  } else {
    back.height = (HitTableDistance - (zy * std::sin(theta) + zz * HitRowDepth * std::cos(theta))) * t;
    back.offset = zz * HitRowDepth * std::sin(theta) - zy * std::cos(theta);
  }
  back.width = back.height * a;

  const int32_t yFront =
      static_cast<int32_t>(h * (front.offset + front.height) / (2.0 * front.height) + 0.5);
  if (y >= yFront) return -1;
  const int32_t yBack =
      static_cast<int32_t>(h * (back.offset + back.height) / (2.0 * back.height) + 0.5);
  if (y <= yBack) return -1;

  const double spacing = slots == TwoDeckHandSize ? HitTwoDeckCardSpacing : HitCardSpacing;
  int32_t result = slots - 1;
  for (int32_t i = 0; i < slots; ++i) {
    const double x0 = zx * (HitFirstEdge + spacing * i);
    const int32_t xFront =
        static_cast<int32_t>(w * (x0 + front.width) / (2.0 * front.width) + 0.05);
    const int32_t xBack = static_cast<int32_t>(w * (x0 + back.width) / (2.0 * back.width) + 0.05);
    const double pointer = static_cast<double>(x - xBack) / static_cast<double>(y - yBack);
    const double edge =
        static_cast<double>(xFront - xBack) / static_cast<double>(yFront - yBack);
    if (pointer <= edge) {
      result = i - 1;
      break;
    }
  }
  if (result < 0) result = 0;

  int32_t held = 0;
  while (held < slots && hand[held] != -1) ++held;
  if (result >= held) result = held - 1;
  if (result < 0 || result >= slots || hand[result] == -1) return -1;
  return result;
}

bool IsOnStartButton(int32_t width, int32_t height, int32_t x, int32_t y) {
  // 64-bit products: the same truncating arithmetic as 32 bits for every real
  // window, without overflow for absurd ones.
  const int64_t w = width;
  const int64_t h = height;
  const int64_t halfH = h * 46 / 768;
  const int64_t halfW = w * 92 / 1024;
  return h / 2 - halfH < y && y < h / 2 + halfH && w / 2 - halfW < x && x < w / 2 + halfW;
}

}  // namespace gub
