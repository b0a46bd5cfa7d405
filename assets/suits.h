// SPDX-License-Identifier: MIT
// The four suit symbols as vector shapes, and the colours the cards use for them.
#pragma once

#include "picture.h"

namespace gub::assets {

// Suits in card-file order: clubs, diamonds, hearts, spades.
enum Suit { Clubs = 0, Diamonds = 1, Hearts = 2, Spades = 3 };

inline bool isRed(int suit) { return suit == Diamonds || suit == Hearts; }

// Suit ink: a clear red and a near black, far apart even on a small card.
constexpr Rgb kRedInk = rgb(206, 20, 34);
constexpr Rgb kBlackInk = rgb(22, 22, 28);
inline Rgb suitInk(int suit) { return isRed(suit) ? kRedInk : kBlackInk; }

// Fills the suit symbol centred on (cx, cy), `size` pixels tall (and about as
// wide), turned half round when upsideDown.
void drawSuit(cairo_t* cr, int suit, double cx, double cy, double size, bool upsideDown,
              Rgb colour);

}  // namespace gub::assets
