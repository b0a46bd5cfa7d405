// SPDX-License-Identifier: MIT
// Plain pictures with known colours and sample deals, for the pixel tests and
// the frame benchmark. Each card face is one colour that names its card even
// after lighting has darkened it, so a read-back pixel tells which card it is.
#pragma once

#include <cstdint>
#include <string>

#include "engine/game_state.h"
#include "render/bmp_writer.h"

namespace gub::testkit {

inline constexpr bmp::Rgb TableColour{0, 96, 0};
inline constexpr bmp::Rgb BackColour{0, 0, 160};

// Face colour of card number n: red at full strength, green and blue stepped
// down by the card's number, so the ratios survive the lighting.
bmp::Rgb cardColour(int32_t n);
// The card whose face shows (lit) as this colour, or -1 for anything else.
int32_t cardFromColour(uint8_t r, uint8_t g, uint8_t b);

// Size and colour of each overlay picture of the plain set (indices of
// OverlayPicture). Every colour is exact on screen and has no red, so it never
// reads as a card.
int32_t overlayWidth(int32_t picture);
int32_t overlayHeight(int32_t picture);
bmp::Rgb overlayColour(int32_t picture);

// Writes bg/ and crd/ of the plain set into `folder` (which must exist).
bool writePictures(const std::string& folder);

// A one-deck deal six tricks in: hands of 7 and 6 cards, scoring cards taken,
// a pile, seats 1 and 2 already in the seventh trick, two declared cards and
// running totals on the board.
GameState midDealOneDeck();

}  // namespace gub::testkit
