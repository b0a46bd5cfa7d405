// SPDX-License-Identifier: MIT
// A GL context without a window: an EGL pbuffer on Mesa's surfaceless
// platform with the software renderer. The pixel tests and the frame
// benchmark draw into it exactly as the game draws into its window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gub {

class OffscreenContext {
 public:
  OffscreenContext() = default;
  ~OffscreenContext();
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  // A compatibility-profile context with a `width` x `height` pbuffer (RGB 888,
  // depth 32 where offered, else 24) made current. False with `error` set
  // when EGL cannot give one.
  bool create(int32_t width, int32_t height, std::string& error);
  // A new pbuffer of another size for the same context (lists and textures
  // stay), made current.
  bool resizeSurface(int32_t width, int32_t height, std::string& error);

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

  // The whole surface as RGB bytes, bottom row first (GL's order).
  std::vector<uint8_t> readPixels() const;
  // Writes the surface as a binary PPM (top row first), for looking at a frame.
  bool savePpm(const std::string& path) const;

 private:
  void* display_ = nullptr;
  void* config_ = nullptr;
  void* context_ = nullptr;
  void* surface_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

}  // namespace gub
