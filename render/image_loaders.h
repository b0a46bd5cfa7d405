// SPDX-License-Identifier: MIT
// The two picture loaders: `Texture` for the card and table textures and
// `OverlayImage` for the flat pictures drawn with glDrawPixels. Plain C++ with
// no GL, so the sanitizer and fuzz builds can take them alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace gub {

namespace detail {
class ByteSource;
}

// Where the loaders' messages go: the shell shows a message box, tests record
// them. Without a hook the messages go to standard error.
using LoaderMessageHook = void (*)(const char* text);
void setLoaderMessageHook(LoaderMessageHook hook);

// Neither loader takes a picture wider or taller than this: no picture of the
// game comes near it, and it keeps a damaged header from asking for gigabytes.
inline constexpr int32_t MaxPictureSide = 16384;

// A 24-bit BMP kept as its rows (bottom row first, each row padded to 4 bytes),
// red-green-blue once `swapRedBlue` has run, ready for glTexImage2D.
class Texture {
 public:
  Texture() = default;
  virtual ~Texture();
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;

  // 1 on success, 0 on failure (after its message). A failed load leaves the
  // texture empty, so it draws as a missing picture does.
  int32_t load(const char* name);
  // The same rules for a file already in memory (the fuzz targets use it);
  // `name` is kept as `fileName`.
  int32_t loadFromMemory(const uint8_t* data, size_t size, const char* name);
  int32_t swapRedBlue();
  bool isValid() const;
  void release();

  std::unique_ptr<uint8_t[]> pixels;
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 0;
  std::string fileName;
  uint8_t infoHeader[40] = {};
  int32_t rowStride = 0;
  // Size of `pixels` in bytes: always `height` x `rowStride` after a load.
  size_t pixelBytes = 0;

 private:
  int32_t loadFrom(detail::ByteSource& source);
};

// A 24-bit BMP converted to red-green-blue-alpha rows (bottom row first, no
// padding, alpha 128) for glDrawPixels.
class OverlayImage {
 public:
  OverlayImage() = default;
  virtual ~OverlayImage();
  OverlayImage(const OverlayImage&) = delete;
  OverlayImage& operator=(const OverlayImage&) = delete;

  // False when the file is missing or refused; the image is then empty
  // (0 x 0, no pixels) and draws nothing.
  bool load(const char* name);
  bool loadFromMemory(const uint8_t* data, size_t size);
  void release();

  std::unique_ptr<uint8_t[]> pixels;
  int32_t width = 0;
  int32_t height = 0;

 private:
  bool loadFrom(detail::ByteSource& source);
};

}  // namespace gub
