// SPDX-License-Identifier: MIT
// Suit symbols drawn in a unit box (−0.5 … 0.5 both ways, y downwards) and
// scaled to the pip size. Each part is filled on its own so overlapping parts
// merge without seams.
#include "suits.h"

#include <cmath>

namespace gub::assets {

namespace {

void heart(cairo_t* cr) {
  cairo_move_to(cr, 0, 0.5);
  cairo_curve_to(cr, -0.14, 0.3, -0.5, 0.1, -0.5, -0.19);
  cairo_curve_to(cr, -0.5, -0.39, -0.37, -0.5, -0.24, -0.5);
  cairo_curve_to(cr, -0.11, -0.5, -0.03, -0.41, 0, -0.3);
  cairo_curve_to(cr, 0.03, -0.41, 0.11, -0.5, 0.24, -0.5);
  cairo_curve_to(cr, 0.37, -0.5, 0.5, -0.39, 0.5, -0.19);
  cairo_curve_to(cr, 0.5, 0.1, 0.14, 0.3, 0, 0.5);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void diamond(cairo_t* cr) {
  cairo_move_to(cr, 0, -0.5);
  cairo_curve_to(cr, 0.12, -0.3, 0.26, -0.14, 0.4, 0);
  cairo_curve_to(cr, 0.26, 0.14, 0.12, 0.3, 0, 0.5);
  cairo_curve_to(cr, -0.12, 0.3, -0.26, 0.14, -0.4, 0);
  cairo_curve_to(cr, -0.26, -0.14, -0.12, -0.3, 0, -0.5);
  cairo_close_path(cr);
  cairo_fill(cr);
}

// The flared stem shared by clubs and spades.
void stem(cairo_t* cr) {
  cairo_move_to(cr, -0.05, 0.1);
  cairo_line_to(cr, 0.05, 0.1);
  cairo_curve_to(cr, 0.06, 0.3, 0.12, 0.44, 0.24, 0.5);
  cairo_line_to(cr, -0.24, 0.5);
  cairo_curve_to(cr, -0.12, 0.44, -0.06, 0.3, -0.05, 0.1);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void club(cairo_t* cr) {
  const double r = 0.215;
  cairo_arc(cr, 0, -0.27, r, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_arc(cr, -0.265, 0.08, r, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_arc(cr, 0.265, 0.08, r, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_move_to(cr, 0, -0.2);
  cairo_line_to(cr, 0.2, 0.1);
  cairo_line_to(cr, -0.2, 0.1);
  cairo_close_path(cr);
  cairo_fill(cr);
  stem(cr);
}

void spade(cairo_t* cr) {
  cairo_move_to(cr, 0, -0.5);
  cairo_curve_to(cr, 0.14, -0.3, 0.5, -0.12, 0.5, 0.13);
  cairo_curve_to(cr, 0.5, 0.3, 0.38, 0.38, 0.26, 0.38);
  cairo_curve_to(cr, 0.13, 0.38, 0.04, 0.3, 0, 0.2);
  cairo_curve_to(cr, -0.04, 0.3, -0.13, 0.38, -0.26, 0.38);
  cairo_curve_to(cr, -0.38, 0.38, -0.5, 0.3, -0.5, 0.13);
  cairo_curve_to(cr, -0.5, -0.12, -0.14, -0.3, 0, -0.5);
  cairo_close_path(cr);
  cairo_fill(cr);
  stem(cr);
}

}  // namespace

void drawSuit(cairo_t* cr, int suit, double cx, double cy, double size, bool upsideDown,
              Rgb colour) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  if (upsideDown) cairo_rotate(cr, M_PI);
  cairo_scale(cr, size, size);
  setColour(cr, colour);
  switch (suit) {
    case Clubs:
      club(cr);
      break;
    case Diamonds:
      diamond(cr);
      break;
    case Hearts:
      heart(cr);
      break;
    default:
      spade(cr);
      break;
  }
  cairo_restore(cr);
}

}  // namespace gub::assets
