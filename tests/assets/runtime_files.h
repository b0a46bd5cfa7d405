// SPDX-License-Identifier: MIT
// Test-side access to the generated run-time folder: the list of its pictures
// and a small BMP reader written independently of the generator.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace gub::asset_tests {

inline std::string runtimePath(const std::string& name) {
  return std::string(GUB_RUNTIME_DIR) + "/" + name;
}

inline std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The overlay pictures in the order the game loads them.
inline const std::vector<std::string>& overlayNames() {
  static const std::vector<std::string> names = {
      "bg/menu.bg",   "bg/east.bg", "bg/north.bg", "bg/west.bg",    "bg/0.bg",    "bg/1.bg",
      "bg/2.bg",      "bg/3.bg",    "bg/4.bg",     "bg/5.bg",       "bg/6.bg",    "bg/7.bg",
      "bg/8.bg",      "bg/9.bg",    "bg/you.bg",   "bg/hu.bg",      "bg/plus.bg", "bg/minus.bg",
      "bg/cancel.bg", "bg/end.bg",  "bg/back.bg",  "bg/display.bg", "bg/gub.bg",  "bg/sheep.bg",
      "bg/double.bg", "bg/redT.bg", "bg/meast.bg", "bg/mnorth.bg",  "bg/mwest.bg"};
  return names;
}

// The table and the 53 card files: the pictures read as textures.
inline std::vector<std::string> textureNames() {
  std::vector<std::string> names = {"bg/table.bg"};
  for (int n = 1; n <= 53; ++n) names.push_back("crd/" + std::to_string(n) + ".crd");
  return names;
}

inline uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
inline uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

struct Rgb8 {
  int r, g, b;
  int luminance() const { return (299 * r + 587 * g + 114 * b) / 1000; }
};

// A bottom-up 24-bit BMP as the generator writes it; pixels addressed from the
// top of the picture, as one looks at it.
class Bmp {
 public:
  explicit Bmp(const std::string& name) : bytes_(readFile(runtimePath(name))) {
    if (bytes_.size() < 54) return;
    width_ = static_cast<int32_t>(le32(bytes_, 18));
    height_ = static_cast<int32_t>(le32(bytes_, 22));
    stride_ = (width_ * 3 + 3) / 4 * 4;
  }
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  int width() const { return width_; }
  int height() const { return height_; }
  bool hasPixels() const {
    return width_ > 0 && height_ > 0 &&
           bytes_.size() >= 54 + static_cast<size_t>(stride_) * static_cast<size_t>(height_);
  }
  Rgb8 at(int x, int yFromTop) const {
    const size_t row = static_cast<size_t>(height_ - 1 - yFromTop);
    const size_t o = 54 + row * stride_ + static_cast<size_t>(x) * 3;
    return {bytes_[o + 2], bytes_[o + 1], bytes_[o]};
  }

 private:
  std::vector<uint8_t> bytes_;
  int32_t width_ = 0, height_ = 0, stride_ = 0;
};

}  // namespace gub::asset_tests
