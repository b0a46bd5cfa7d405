// SPDX-License-Identifier: MIT
// libFuzzer target: any bytes as an overlay picture file. The load and a walk
// over the width x height x 4 bytes glDrawPixels would read must stay inside
// the pixel buffer.
#include <cstddef>
#include <cstdint>

#include "render/image_loaders.h"

namespace {
void ignoreMessage(const char*) {}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  gub::setLoaderMessageHook(ignoreMessage);
  gub::OverlayImage image;
  if (!image.loadFromMemory(data, size)) return 0;
  unsigned sum = 0;
  const size_t bytes = static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4;
  for (size_t i = 0; i < bytes; ++i) sum += image.pixels[i];
  volatile unsigned keep = sum;
  (void)keep;
  return 0;
}
