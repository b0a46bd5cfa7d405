// SPDX-License-Identifier: MIT
// Draws the game's icon (two fanned cards, the front one with a spade) with
// cairo and writes it as PNG files: make_icon SIZE OUTPUT.png [SIZE OUTPUT.png ...]
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

// A spade of height about 1, centred at the origin.
void spade(cairo_t* cr) {
  cairo_move_to(cr, 0, -0.5);
  cairo_curve_to(cr, 0.15, -0.25, 0.5, -0.1, 0.45, 0.15);
  cairo_curve_to(cr, 0.4, 0.38, 0.12, 0.38, 0.04, 0.2);
  cairo_curve_to(cr, 0.06, 0.35, 0.12, 0.45, 0.22, 0.5);
  cairo_line_to(cr, -0.22, 0.5);
  cairo_curve_to(cr, -0.12, 0.45, -0.06, 0.35, -0.04, 0.2);
  cairo_curve_to(cr, -0.12, 0.38, -0.4, 0.38, -0.45, 0.15);
  cairo_curve_to(cr, -0.5, -0.1, -0.15, -0.25, 0, -0.5);
  cairo_close_path(cr);
}

void card(cairo_t* cr, double angle, bool face) {
  const double w = 0.5, h = 0.72;
  cairo_save(cr);
  cairo_translate(cr, 0.5, 0.56);
  cairo_rotate(cr, angle);
  roundedRect(cr, -w / 2, -h / 2, w, h, 0.05);
  if (face) {
    cairo_set_source_rgb(cr, 0.98, 0.97, 0.92);
  } else {
    cairo_set_source_rgb(cr, 0.62, 0.08, 0.1);
  }
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0.15, 0.1, 0.08);
  cairo_set_line_width(cr, 0.018);
  cairo_stroke(cr);
  if (face) {
    cairo_save(cr);
    cairo_scale(cr, 0.32, 0.32);
    spade(cr);
    cairo_set_source_rgb(cr, 0.08, 0.08, 0.1);
    cairo_fill(cr);
    cairo_restore(cr);
  } else {
    roundedRect(cr, -w / 2 + 0.05, -h / 2 + 0.05, w - 0.1, h - 0.1, 0.03);
    cairo_set_source_rgb(cr, 0.93, 0.78, 0.35);
    cairo_set_line_width(cr, 0.015);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

bool drawIcon(int size, const char* path) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, size, size);
  card(cr, -0.32, false);
  card(cr, 0.18, true);
  cairo_destroy(cr);
  bool ok = cairo_surface_write_to_png(surface, path) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc % 2 == 0) {
    std::fprintf(stderr, "usage: %s SIZE OUTPUT.png [SIZE OUTPUT.png ...]\n", argv[0]);
    return 2;
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    int size = std::atoi(argv[i]);
    if (size < 8 || size > 1024 || !drawIcon(size, argv[i + 1])) {
      std::fprintf(stderr, "%s: can't write %s\n", argv[0], argv[i + 1]);
      return 1;
    }
  }
  return 0;
}
