// SPDX-License-Identifier: MIT
// Client size and camera parameters: written by the window (resize, keypad
// zoom), read by the scene drawing and by the hand hit test, which must agree.
#pragma once

#include <cstdint>

namespace gub {

inline constexpr int32_t ScreenTitle = 0;
inline constexpr int32_t ScreenGame = 1;

struct ViewState {
  int32_t clientWidth = 1024;
  int32_t clientHeight = 768;
  double aspectRatio = 1024.0 / 768.0;
  float zoomScale[3] = {1.0f, 1.0f, 1.0f};
  double viewTiltDegrees = 30.0;
  double viewTurnDegrees = 0.0;

  // The resize rule: width / height, or the width itself when the height is 0.
  void resize(int32_t width, int32_t height) {
    clientWidth = width;
    clientHeight = height;
    aspectRatio = height == 0 ? static_cast<double>(width)
                              : static_cast<double>(width) / static_cast<double>(height);
  }
};

}  // namespace gub
