// SPDX-License-Identifier: MIT
// The screen's flat elements, each a named place computed from the client
// size: the title picture and its buttons, the declaration strip and its
// icons, the Menu corner, the running totals with their labels, the player
// pictures, the Start button and the panels of the finished deal and match.
// The overlay drawing places its pictures here and the press dispatch tests
// the same places, so what is drawn is what a press reaches.
#pragma once

#include <cstdint>

namespace gub::layout {

// Design size of a picture, in its own pixels. On screen every picture is
// zoomed by the unit u (the title picture by 2u).
struct Size {
  int32_t width;
  int32_t height;
};

inline constexpr Size TitleSize{512, 384};
// The game's own title picture comes at this many pixels per design pixel
// (a picture of exactly that size is drawn at the zoom divided by it); any
// other size is drawn at the design zoom.
inline constexpr int32_t TitleDensity = 2;
inline constexpr Size MenuSize{92, 46};
inline constexpr Size StripHeadSize{161, 46};
inline constexpr Size IconSize{69, 46};
inline constexpr Size StartSize{184, 92};
// Low enough that the deal-over panel ends where the north player's picture
// begins.
inline constexpr Size DealOverSize{552, 72};
inline constexpr Size PortraitSize{112, 140};
// Digits, signs and labels follow each other this far apart.
inline constexpr int32_t DigitStep = 23;
// The seat labels of the match-over panel follow each other this far apart.
inline constexpr int32_t LoserStep = 69;

// A picture's raster positions are moved this far into the window: a raster
// position on the edge of the view volume may be clipped, and GL then drops
// the whole picture. A sixteenth of a pixel is far below what the eye or the
// pixel grid sees and far above the rounding of the clip test.
inline constexpr double EdgeNudgePixels = 1.0 / 16.0;

// The seat-0 number rows start at this eye-space x on the overlay plane (the
// same place relative to the table at every window shape), not at a window
// position.
inline constexpr double SouthNumberEyeX = -0.3;

// The title buttons in the title picture's own pixels, from its top left
// corner: left, top, right, bottom edges (the right and bottom ones just
// outside the button).
struct PictureRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};
inline constexpr PictureRect TitleButtonRects[3] = {
    {122, 131, 378, 171},  // New game
    {122, 183, 378, 223},  // Options
    {122, 236, 378, 276},  // Exit
};

// A press area in client pixels (y down from the top), bounds exclusive: a
// press at (x, y) acts when left < x < right and top < y < bottom.
struct PressArea {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
  bool contains(int32_t x, int32_t y) const {
    return left < x && x < right && top < y && y < bottom;
  }
};

// Lower left corner of a picture in window pixels, x from the left edge and
// y from the bottom edge, as raster positions count.
struct Spot {
  double x;
  double y;
};

struct ScreenLayout {
  int32_t width = 0;
  int32_t height = 0;
  // The design unit: a screen 1024 wide and 768 high shows every picture at
  // its own size. It follows the width up to 4:3 and the height on wider
  // screens, so the pictures keep their size against the table, whose
  // picture grows with the height.
  float unit = 0.0f;

  // The title picture, zoomed by twice the unit, centred; where it leaves
  // bars at the sides (or above and below), they show its own edge colour.
  Spot title{};
  float titleZoom = 0.0f;
  bool titleFillsWindow = true;
  PressArea titleButtons[3] = {};  // New game, Options, Exit

  Spot stripHead{};
  Spot icon(int32_t k) const;  // the k-th declared card's icon, k = 1 ... 4
  Spot menu{};
  PressArea menuPress{};
  Spot start{};
  PressArea startPress{};
  // Running totals: where the units digit of each seat stands (seat 0 has
  // only its row height; its x is SouthNumberEyeX).
  Spot totals[4] = {};
  // Player pictures of seats 1 ... 3 (index 0 unused).
  Spot portraits[4] = {};
  Spot dealOver{};
  Spot dealScores[4] = {};  // seat 0: row height only, as for the totals
  Spot matchOver{};         // the first loser's label; each next one LoserStep u right
  // Window distance of n design pixels.
  double units(double n) const { return n * static_cast<double>(unit); }
};

ScreenLayout computeScreenLayout(int32_t width, int32_t height);

// The window x where an eye-space x on the overlay plane lands (the seat-0
// number rows), for tests and tools that look for them on screen.
double windowXOfEyeX(int32_t width, int32_t height, double eyeX);

}  // namespace gub::layout
