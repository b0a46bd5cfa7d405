// SPDX-License-Identifier: MIT
// libFuzzer target: any bytes as a card or table texture file. The load, the
// red/blue swap and a walk over every row the upload would read must stay
// inside the pixel buffer.
#include <cstddef>
#include <cstdint>

#include "render/image_loaders.h"

namespace {
void ignoreMessage(const char*) {}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gub::setLoaderMessageHook(ignoreMessage);
  gub::Texture texture;
  if (texture.loadFromMemory(data, size, "fuzz") == 0) return 0;
  texture.swapRedBlue();
  // What glTexImage2D reads: height rows of width x 3 bytes, rowStride apart.
  unsigned sum = 0;
  for (int32_t y = 0; y < texture.height; ++y) {
    const uint8_t* row = texture.pixels.get() + static_cast<size_t>(y) * texture.rowStride;
    for (int32_t x = 0; x < texture.width * 3; ++x) sum += row[x];
  }
  volatile unsigned keep = sum;
  (void)keep;
  return 0;
}
