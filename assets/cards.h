// SPDX-License-Identifier: MIT
// The 52 card faces and the card back. Each is designed as a 128 × 128 picture
// whose top-left 71 × 96 pixels are the visible card, and written at
// kCardDensity pixels per design pixel: the game maps the same fraction of
// any file onto a card, and a player's card on a 4K screen is some 300
// pixels wide.
#pragma once

#include <vector>

#include "picture.h"

namespace gub::assets {

constexpr int kCardFileSize = 128;  // design pixels
constexpr int kCardDensity = 2;
constexpr int kFaceWidth = 71;
constexpr int kFaceHeight = 96;

// Rank indices in file order: 0 ace, 1 … 9 the two to the ten, 10 jack, 11 queen, 12 king.
constexpr int kAce = 0;
constexpr int kTen = 9;
constexpr int kJack = 10;
constexpr int kQueen = 11;
constexpr int kKing = 12;

// The four cards that carry points of their own (queen of spades, jack of
// diamonds, ten of clubs, ace of hearts) wear a small gold star by their index.
bool isMarkedCard(int suit, int rankIndex);

// Draws a face into the face rectangle (0, 0) … (71, 96) of cr's user space.
void drawCardFace(cairo_t* cr, int suit, int rankIndex);
void drawCardBack(cairo_t* cr);

// "crd/1.crd" … "crd/53.crd": clubs, diamonds, hearts, spades, each ace to king, then the back.
std::vector<Picture> makeCardPictures();

}  // namespace gub::assets
