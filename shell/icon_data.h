// SPDX-License-Identifier: MIT
// The window icon's PNG pictures, embedded at build time by shell/icon.
#pragma once

#include <cstddef>

namespace gub {

struct EmbeddedPng {
  const unsigned char* data;
  size_t size;
};

extern const EmbeddedPng iconPngs[];
extern const int iconPngCount;

}  // namespace gub
