// SPDX-License-Identifier: MIT
// Pictures of the run-time folder: an RGB cairo surface with its file name, the
// drawing helpers every picture shares, and the 24-bit BMP encoding the game reads.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gub::assets {

struct Rgb {
  double r, g, b;  // 0 … 1
};

// Colours given as 0 … 255 byte values, as one thinks of them.
constexpr Rgb rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

// One picture of the run-time folder, owning its cairo image surface.
class Picture {
 public:
  Picture(std::string fileName, int width, int height);
  ~Picture();
  Picture(Picture&& other) noexcept;
  Picture& operator=(Picture&& other) noexcept;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  const std::string& fileName() const { return fileName_; }
  int width() const { return width_; }
  int height() const { return height_; }
  cairo_surface_t* surface() const { return surface_; }

  // Red, green and blue of the pixel at (x, y), y counted from the top.
  void pixel(int x, int y, uint8_t& r, uint8_t& g, uint8_t& b) const;

 private:
  std::string fileName_;
  int width_ = 0;
  int height_ = 0;
  cairo_surface_t* surface_ = nullptr;
};

// A cairo context on a picture or surface, destroyed with the scope.
class Canvas {
 public:
  explicit Canvas(const Picture& picture) : Canvas(picture.surface()) {}
  explicit Canvas(cairo_surface_t* surface) : cr_(cairo_create(surface)) {}
  ~Canvas() { cairo_destroy(cr_); }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  operator cairo_t*() const { return cr_; }

 private:
  cairo_t* cr_;
};

// The file bytes of a bottom-up 24-bit BMP: one plane, no compression, no colour
// table, biSizeImage equal to the padded rows. Both picture loaders of the game
// read exactly this layout.
std::vector<uint8_t> encodeBmp24(const Picture& picture);

void setColour(cairo_t* cr, Rgb c);
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
// A vertical two-colour gradient from top to bottom over [y0, y1].
void setVerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom);

enum class FontFamily { Sans, SansCondensed, Serif };

struct TextStyle {
  FontFamily family = FontFamily::Sans;
  bool bold = true;
  double sizePx = 12;       // absolute font size in pixels
  double maxWidth = 0;      // > 0: the text is narrowed to fit this ink width
  double outlineWidth = 0;  // > 0: a stroke of this width in outlineColour
  Rgb colour = {0, 0, 0};
  Rgb outlineColour = {0, 0, 0};
};

// Draws text with its ink box centred on (cx, cy). Returns the ink width drawn.
double drawTextCentred(cairo_t* cr, const std::string& text, const TextStyle& style, double cx,
                       double cy);
// Ink extents of text as drawTextCentred would lay it out before any narrowing.
void measureText(cairo_t* cr, const std::string& text, const TextStyle& style, double& width,
                 double& height);

// A small deterministic generator for textures: the same seed gives the same
// pictures on every run.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed) {}
  // Uniform in [0, 1).
  double next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) * (1.0 / 16777216.0);
  }

 private:
  uint32_t state_;
};

}  // namespace gub::assets
