// SPDX-License-Identifier: MIT
// Builds 24-bit BMP files in memory: the pictures of the pixel tests, the
// loader tests and the benchmark's stand-in art. Header-only and GL-free.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "render/little_endian.h"

namespace gub::bmp {

struct Rgb {
  uint8_t r;
  uint8_t g;
  uint8_t b;
};

inline void putU16(std::vector<uint8_t>& out, size_t at, uint32_t v) { le::Write16(&out[at], v); }
inline void putU32(std::vector<uint8_t>& out, size_t at, uint32_t v) { le::Write32(&out[at], v); }

// A well-formed 24-bit picture; `colourAt(x, y)` counts y from the bottom row,
// the first row stored.
template <typename ColourAt>
std::vector<uint8_t> make(int32_t width, int32_t height, ColourAt colourAt) {
  const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
  const uint32_t imageBytes = stride * static_cast<uint32_t>(height);
  std::vector<uint8_t> out(54 + imageBytes, 0);
  out[0] = 'B';
  out[1] = 'M';
  putU32(out, 2, static_cast<uint32_t>(out.size()));
  putU32(out, 10, 54);
  putU32(out, 14, 40);
  putU32(out, 18, static_cast<uint32_t>(width));
  putU32(out, 22, static_cast<uint32_t>(height));
  putU16(out, 26, 1);
  putU16(out, 28, 24);
  putU32(out, 34, imageBytes);
  putU32(out, 38, 2835);
  putU32(out, 42, 2835);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const Rgb c = colourAt(x, y);
      uint8_t* p = &out[54 + static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
      p[0] = c.b;
      p[1] = c.g;
      p[2] = c.r;
    }
  }
  return out;
}

inline std::vector<uint8_t> solid(int32_t width, int32_t height, Rgb colour) {
  return make(width, height, [colour](int32_t, int32_t) { return colour; });
}

inline bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  // An empty vector may have no storage at all, and fwrite takes no null.
  const bool written =
      bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace gub::bmp
