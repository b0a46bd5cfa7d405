// SPDX-License-Identifier: MIT
// Picture surfaces, shared drawing helpers and the BMP encoding.
#include "picture.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "render/bmp_writer.h"

namespace gub::assets {

Picture::Picture(std::string fileName, int width, int height)
    : fileName_(std::move(fileName)),
      width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)) {
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot create a surface for " + fileName_);
  }
}

Picture::~Picture() {
  if (surface_ != nullptr) cairo_surface_destroy(surface_);
}

Picture::Picture(Picture&& other) noexcept
    : fileName_(std::move(other.fileName_)),
      width_(other.width_),
      height_(other.height_),
      surface_(std::exchange(other.surface_, nullptr)) {}

Picture& Picture::operator=(Picture&& other) noexcept {
  if (this != &other) {
    if (surface_ != nullptr) cairo_surface_destroy(surface_);
    fileName_ = std::move(other.fileName_);
    width_ = other.width_;
    height_ = other.height_;
    surface_ = std::exchange(other.surface_, nullptr);
  }
  return *this;
}

void Picture::pixel(int x, int y, uint8_t& r, uint8_t& g, uint8_t& b) const {
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  // RGB24 keeps each pixel as a native 32-bit word 0x00RRGGBB.
  const uint32_t word = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
  r = static_cast<uint8_t>(word >> 16);
  g = static_cast<uint8_t>(word >> 8);
  b = static_cast<uint8_t>(word);
}

std::vector<uint8_t> encodeBmp24(const Picture& picture) {
  // The encoder the tests use too, so the game's pictures and the tests'
  // pictures share one layout.
  const int32_t h = picture.height();
  return bmp::make(picture.width(), h, [&picture, h](int32_t x, int32_t y) {
    bmp::Rgb c{};
    picture.pixel(x, h - 1 - y, c.r, c.g, c.b);  // the first stored row is the bottom
    return c;
  });
}

void setColour(cairo_t* cr, Rgb c) { cairo_set_source_rgb(cr, c.r, c.g, c.b); }

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
  const double r = std::min(radius, std::min(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void setVerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

namespace {

// A pango layout for one line of text in the given style. Hinting is kept
// slight so that small labels stay crisp without shifting from run to run.
PangoLayout* makeLayout(cairo_t* cr, const std::string& text, const TextStyle& style) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
  cairo_font_options_destroy(options);
  pango_layout_context_changed(layout);

  PangoFontDescription* font = pango_font_description_new();
  switch (style.family) {
    case FontFamily::Sans:
      pango_font_description_set_family(font, "DejaVu Sans");
      break;
    case FontFamily::SansCondensed:
      pango_font_description_set_family(font, "DejaVu Sans");
      pango_font_description_set_stretch(font, PANGO_STRETCH_CONDENSED);
      break;
    case FontFamily::Serif:
      pango_font_description_set_family(font, "DejaVu Serif");
      break;
  }
  pango_font_description_set_weight(font, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_absolute_size(font, style.sizePx * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  pango_layout_set_text(layout, text.c_str(), -1);
  return layout;
}

}  // namespace

void measureText(cairo_t* cr, const std::string& text, const TextStyle& style, double& width,
                 double& height) {
  PangoLayout* layout = makeLayout(cr, text, style);
  PangoRectangle ink;
  pango_layout_get_extents(layout, &ink, nullptr);
  width = static_cast<double>(ink.width) / PANGO_SCALE;
  height = static_cast<double>(ink.height) / PANGO_SCALE;
  g_object_unref(layout);
}

double drawTextCentred(cairo_t* cr, const std::string& text, const TextStyle& style, double cx,
                       double cy) {
  PangoLayout* layout = makeLayout(cr, text, style);
  PangoRectangle ink;
  pango_layout_get_extents(layout, &ink, nullptr);
  const double inkX = static_cast<double>(ink.x) / PANGO_SCALE;
  const double inkY = static_cast<double>(ink.y) / PANGO_SCALE;
  const double inkW = static_cast<double>(ink.width) / PANGO_SCALE;
  const double inkH = static_cast<double>(ink.height) / PANGO_SCALE;
  const double limit = style.maxWidth - style.outlineWidth;
  const double sx = (style.maxWidth > 0 && inkW > limit) ? limit / inkW : 1.0;

  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, sx, 1.0);
  cairo_translate(cr, -(inkX + inkW / 2), -(inkY + inkH / 2));
  if (style.outlineWidth > 0) {
    cairo_move_to(cr, 0, 0);
    pango_cairo_layout_path(cr, layout);
    setColour(cr, style.outlineColour);
    cairo_set_line_width(cr, style.outlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
  }
  cairo_move_to(cr, 0, 0);
  setColour(cr, style.colour);
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);
  g_object_unref(layout);
  return inkW * sx;
}

}  // namespace gub::assets
