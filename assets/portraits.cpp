// SPDX-License-Identifier: MIT
// The computer players' portraits: three characters drawn from simple shapes
// in a gold frame, each holding a small fan of cards.
#include "portraits.h"

#include <cmath>

namespace gub::assets {

namespace {

constexpr Rgb kGold = rgb(222, 176, 64);
constexpr Rgb kDarkLine = rgb(44, 22, 4);
constexpr Rgb kInk = rgb(40, 28, 24);
constexpr Rgb kWhite = rgb(250, 248, 242);

struct Look {
  Rgb backdropTop, backdropBottom;
  Rgb skin, hair, clothes, trim;
  bool longHair, bald, cap, moustache, beard, glasses, earrings;
};

Look lookOf(Portrait who) {
  switch (who) {
    case Portrait::East:  // a cheerful man in a flat cap and waistcoat
      return {rgb(226, 186, 106),
              rgb(172, 118, 56),
              rgb(240, 196, 160),
              rgb(96, 58, 30),
              rgb(40, 110, 70),
              rgb(196, 40, 44),
              false,
              false,
              true,
              true,
              false,
              false,
              false};
    case Portrait::North:  // a sharp-eyed woman with auburn hair
      return {rgb(120, 176, 190),
              rgb(52, 100, 124),
              rgb(246, 210, 184),
              rgb(160, 66, 30),
              rgb(44, 76, 170),
              rgb(250, 246, 236),
              true,
              false,
              false,
              false,
              false,
              false,
              true};
    case Portrait::West:  // an old hand with spectacles and a white beard
    default:
      return {rgb(168, 178, 108),
              rgb(100, 112, 56),
              rgb(232, 190, 156),
              rgb(214, 214, 208),
              rgb(110, 56, 130),
              rgb(196, 40, 44),
              false,
              true,
              false,
              false,
              true,
              true,
              false};
  }
}

void fillOutline(cairo_t* cr, Rgb fill, double width = 1.0) {
  setColour(cr, fill);
  cairo_fill_preserve(cr);
  setColour(cr, kInk);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

Rgb shade(Rgb c, double k) { return {c.r * k, c.g * k, c.b * k}; }

constexpr double kHeadX = 56, kHeadY = 62, kHeadRx = 18, kHeadRy = 22;

void drawTorso(cairo_t* cr, const Look& look) {
  // Neck first, then the shoulders over its foot.
  cairo_rectangle(cr, kHeadX - 7, kHeadY + 14, 14, 18);
  fillOutline(cr, shade(look.skin, 0.9));

  cairo_move_to(cr, 8, 135);
  cairo_curve_to(cr, 10, 112, 22, 101, 44, 97);
  cairo_line_to(cr, 68, 97);
  cairo_curve_to(cr, 90, 101, 102, 112, 104, 135);
  cairo_close_path(cr);
  fillOutline(cr, look.clothes, 1.2);

  if (look.earrings) {
    // A low neckline with a string of pearls.
    cairo_move_to(cr, 44, 97.5);
    cairo_curve_to(cr, 47, 108, 65, 108, 68, 97.5);
    cairo_close_path(cr);
    fillOutline(cr, shade(look.skin, 0.95), 0.8);
    for (int i = 0; i <= 8; ++i) {
      const double t = i / 8.0;
      const double x = 45.5 + 21 * t;
      const double y = 99 + 7 * std::sin(M_PI * t);
      cairo_arc(cr, x, y, 1.5, 0, 2 * M_PI);
      fillOutline(cr, look.trim, 0.4);
    }
    return;
  }
  // A white shirt front with a tie or a bow.
  cairo_move_to(cr, 46, 97.5);
  cairo_line_to(cr, 56, 122);
  cairo_line_to(cr, 66, 97.5);
  cairo_close_path(cr);
  fillOutline(cr, kWhite, 0.8);
  if (look.beard) {
    cairo_move_to(cr, 56, 104);
    cairo_line_to(cr, 47, 99);
    cairo_line_to(cr, 47, 109);
    cairo_close_path(cr);
    cairo_move_to(cr, 56, 104);
    cairo_line_to(cr, 65, 99);
    cairo_line_to(cr, 65, 109);
    cairo_close_path(cr);
    fillOutline(cr, look.trim, 0.8);
  } else {
    cairo_move_to(cr, 53.5, 99);
    cairo_line_to(cr, 58.5, 99);
    cairo_line_to(cr, 60, 116);
    cairo_line_to(cr, 56, 121);
    cairo_line_to(cr, 52, 116);
    cairo_close_path(cr);
    fillOutline(cr, look.trim, 0.8);
    // Waistcoat lapels.
    cairo_move_to(cr, 40, 98);
    cairo_line_to(cr, 52, 126);
    cairo_line_to(cr, 40, 135);
    cairo_close_path(cr);
    cairo_move_to(cr, 72, 98);
    cairo_line_to(cr, 60, 126);
    cairo_line_to(cr, 72, 135);
    cairo_close_path(cr);
    fillOutline(cr, shade(look.clothes, 0.75), 0.8);
  }
}

// Long hair falls behind the shoulders, so it is drawn before the torso.
void drawBackHair(cairo_t* cr, const Look& look) {
  if (!look.longHair) return;
  cairo_move_to(cr, kHeadX - 24, 104);
  cairo_curve_to(cr, kHeadX - 30, 70, kHeadX - 28, 34, kHeadX, 34);
  cairo_curve_to(cr, kHeadX + 28, 34, kHeadX + 30, 70, kHeadX + 24, 104);
  cairo_curve_to(cr, kHeadX + 12, 108, kHeadX - 12, 108, kHeadX - 24, 104);
  cairo_close_path(cr);
  fillOutline(cr, look.hair, 1);
}

void drawHead(cairo_t* cr, const Look& look) {
  // Ears, then the face.
  ellipse(cr, kHeadX - kHeadRx, kHeadY + 2, 3.5, 5.5);
  fillOutline(cr, look.skin, 0.9);
  ellipse(cr, kHeadX + kHeadRx, kHeadY + 2, 3.5, 5.5);
  fillOutline(cr, look.skin, 0.9);
  ellipse(cr, kHeadX, kHeadY, kHeadRx, kHeadRy);
  fillOutline(cr, look.skin, 1.1);

  if (look.earrings) {
    for (double side : {-1.0, 1.0}) {
      cairo_arc(cr, kHeadX + side * kHeadRx, kHeadY + 10, 2.2, 0, 2 * M_PI);
      fillOutline(cr, kGold, 0.5);
    }
    // A fringe swept across the brow.
    cairo_move_to(cr, kHeadX - 19, kHeadY - 2);
    cairo_curve_to(cr, kHeadX - 20, kHeadY - 26, kHeadX + 20, kHeadY - 28, kHeadX + 19, kHeadY - 2);
    cairo_curve_to(cr, kHeadX + 12, kHeadY - 16, kHeadX - 4, kHeadY - 12, kHeadX - 19, kHeadY - 2);
    cairo_close_path(cr);
    fillOutline(cr, look.hair, 0.9);
  } else if (look.bald) {
    // Grey hair round the sides only.
    for (double side : {-1.0, 1.0}) {
      cairo_move_to(cr, kHeadX + side * 18.5, kHeadY + 6);
      cairo_curve_to(cr, kHeadX + side * 22, kHeadY - 4, kHeadX + side * 20, kHeadY - 14,
                     kHeadX + side * 13, kHeadY - 17);
      cairo_curve_to(cr, kHeadX + side * 15, kHeadY - 8, kHeadX + side * 15, kHeadY,
                     kHeadX + side * 16, kHeadY + 6);
      cairo_close_path(cr);
      fillOutline(cr, look.hair, 0.8);
    }
  } else {
    // Short hair under the cap.
    cairo_move_to(cr, kHeadX - 18.5, kHeadY + 2);
    cairo_curve_to(cr, kHeadX - 20, kHeadY - 20, kHeadX + 20, kHeadY - 20, kHeadX + 18.5,
                   kHeadY + 2);
    cairo_curve_to(cr, kHeadX + 14, kHeadY - 8, kHeadX - 14, kHeadY - 8, kHeadX - 18.5, kHeadY + 2);
    cairo_close_path(cr);
    fillOutline(cr, look.hair, 0.9);
  }

  // Eyes with a glint, and brows.
  for (double side : {-1.0, 1.0}) {
    const double ex = kHeadX + side * 7, ey = kHeadY - 1;
    ellipse(cr, ex, ey, 3.6, 2.6);
    fillOutline(cr, kWhite, 0.7);
    cairo_arc(cr, ex + 0.4, ey + 0.2, 1.7, 0, 2 * M_PI);
    setColour(cr, look.earrings ? rgb(40, 110, 60) : rgb(70, 50, 30));
    cairo_fill(cr);
    cairo_arc(cr, ex + 0.4, ey + 0.2, 0.8, 0, 2 * M_PI);
    setColour(cr, kInk);
    cairo_fill(cr);
    cairo_arc(cr, ex + 1.1, ey - 0.6, 0.45, 0, 2 * M_PI);
    setColour(cr, kWhite);
    cairo_fill(cr);
    cairo_move_to(cr, ex - 4, ey - 4.5 - (look.earrings ? 0.5 : 0));
    cairo_curve_to(cr, ex - 1.5, ey - 6.5, ex + 1.5, ey - 6.5, ex + 4, ey - 5);
    setColour(cr, look.bald ? shade(look.hair, 0.7) : shade(look.hair, 0.8));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
  }

  // Nose.
  cairo_move_to(cr, kHeadX, kHeadY + 1);
  cairo_curve_to(cr, kHeadX - 1, kHeadY + 5, kHeadX - 3.5, kHeadY + 8, kHeadX - 1.5, kHeadY + 9);
  cairo_line_to(cr, kHeadX + 1.5, kHeadY + 9);
  setColour(cr, shade(look.skin, 0.65));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);

  if (look.beard) {
    cairo_move_to(cr, kHeadX - 17, kHeadY + 4);
    cairo_curve_to(cr, kHeadX - 18, kHeadY + 26, kHeadX - 8, kHeadY + 34, kHeadX, kHeadY + 34);
    cairo_curve_to(cr, kHeadX + 8, kHeadY + 34, kHeadX + 18, kHeadY + 26, kHeadX + 17, kHeadY + 4);
    cairo_curve_to(cr, kHeadX + 12, kHeadY + 12, kHeadX + 6, kHeadY + 10, kHeadX, kHeadY + 11);
    cairo_curve_to(cr, kHeadX - 6, kHeadY + 10, kHeadX - 12, kHeadY + 12, kHeadX - 17, kHeadY + 4);
    cairo_close_path(cr);
    fillOutline(cr, look.hair, 0.9);
    cairo_move_to(cr, kHeadX - 4, kHeadY + 15);
    cairo_curve_to(cr, kHeadX - 1.5, kHeadY + 17, kHeadX + 1.5, kHeadY + 17, kHeadX + 4,
                   kHeadY + 15);
    setColour(cr, rgb(150, 60, 60));
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
  } else {
    // A smile.
    cairo_move_to(cr, kHeadX - 5.5, kHeadY + 13);
    cairo_curve_to(cr, kHeadX - 2, kHeadY + 17, kHeadX + 2, kHeadY + 17, kHeadX + 5.5, kHeadY + 13);
    setColour(cr, look.earrings ? rgb(196, 40, 60) : rgb(150, 60, 60));
    cairo_set_line_width(cr, look.earrings ? 2 : 1.4);
    cairo_stroke(cr);
  }
  if (look.moustache) {
    cairo_move_to(cr, kHeadX, kHeadY + 9.5);
    cairo_curve_to(cr, kHeadX - 4, kHeadY + 8, kHeadX - 9, kHeadY + 9, kHeadX - 10, kHeadY + 13);
    cairo_curve_to(cr, kHeadX - 6, kHeadY + 11.5, kHeadX - 3, kHeadY + 12, kHeadX, kHeadY + 11.5);
    cairo_curve_to(cr, kHeadX + 3, kHeadY + 12, kHeadX + 6, kHeadY + 11.5, kHeadX + 10,
                   kHeadY + 13);
    cairo_curve_to(cr, kHeadX + 9, kHeadY + 9, kHeadX + 4, kHeadY + 8, kHeadX, kHeadY + 9.5);
    cairo_close_path(cr);
    fillOutline(cr, look.hair, 0.6);
  }
  if (look.glasses) {
    for (double side : {-1.0, 1.0}) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, kHeadX + side * 7, kHeadY - 0.5, 5, 0, 2 * M_PI);
    }
    cairo_move_to(cr, kHeadX - 2, kHeadY - 1);
    cairo_line_to(cr, kHeadX + 2, kHeadY - 1);
    setColour(cr, rgb(60, 40, 20));
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
  }
  if (look.cap) {
    // A flat cap: crown and a short peak.
    cairo_move_to(cr, kHeadX - 20, kHeadY - 9);
    cairo_curve_to(cr, kHeadX - 22, kHeadY - 30, kHeadX + 18, kHeadY - 32, kHeadX + 22,
                   kHeadY - 14);
    cairo_curve_to(cr, kHeadX + 10, kHeadY - 13, kHeadX - 8, kHeadY - 12, kHeadX - 20, kHeadY - 9);
    cairo_close_path(cr);
    fillOutline(cr, rgb(86, 84, 92), 1);
    cairo_move_to(cr, kHeadX + 4, kHeadY - 13);
    cairo_curve_to(cr, kHeadX + 14, kHeadY - 16, kHeadX + 24, kHeadY - 14, kHeadX + 27,
                   kHeadY - 10);
    cairo_curve_to(cr, kHeadX + 18, kHeadY - 9, kHeadX + 10, kHeadY - 10, kHeadX + 4, kHeadY - 13);
    cairo_close_path(cr);
    fillOutline(cr, rgb(64, 62, 70), 0.9);
  }
}

// A hand holding three card backs, bottom right.
void drawFan(cairo_t* cr) {
  for (int i = 0; i < 3; ++i) {
    cairo_save(cr);
    cairo_translate(cr, 86, 134);
    cairo_rotate(cr, (-22 + 18 * i) * M_PI / 180);
    cairo_rectangle(cr, -8, -32, 16, 23);
    fillOutline(cr, kWhite, 0.8);
    cairo_rectangle(cr, -6, -30, 12, 19);
    setColour(cr, rgb(26, 50, 132));
    cairo_fill(cr);
    cairo_restore(cr);
  }
  ellipse(cr, 85, 127, 7, 5.5);
}

}  // namespace

Picture portraitPicture(const std::string& file, Portrait who) {
  const int w = kPortraitWidth, h = kPortraitHeight;
  const Look look = lookOf(who);
  Picture p(file, w, h);
  Canvas cr(p);
  setColour(cr, kDarkLine);
  cairo_paint(cr);
  cairo_rectangle(cr, 1, 1, w - 2, h - 2);
  setColour(cr, kGold);
  cairo_fill(cr);
  cairo_rectangle(cr, 5, 5, w - 10, h - 10);
  setColour(cr, kDarkLine);
  cairo_fill(cr);

  cairo_save(cr);
  cairo_rectangle(cr, 6, 6, w - 12, h - 12);
  cairo_clip(cr);
  cairo_pattern_t* backdrop = cairo_pattern_create_radial(w / 2.0, 50, 8, w / 2.0, 60, 90);
  cairo_pattern_add_color_stop_rgb(backdrop, 0, look.backdropTop.r, look.backdropTop.g,
                                   look.backdropTop.b);
  cairo_pattern_add_color_stop_rgb(backdrop, 1, look.backdropBottom.r, look.backdropBottom.g,
                                   look.backdropBottom.b);
  cairo_set_source(cr, backdrop);
  cairo_paint(cr);
  cairo_pattern_destroy(backdrop);

  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  drawBackHair(cr, look);
  drawTorso(cr, look);
  drawHead(cr, look);
  drawFan(cr);
  fillOutline(cr, look.skin, 0.9);
  cairo_restore(cr);
  return p;
}

}  // namespace gub::assets
