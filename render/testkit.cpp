// SPDX-License-Identifier: MIT
// The plain picture set and the sample deals.
#include "render/testkit.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdio>

#include "layout/screen_layout.h"
#include "render/overlays.h"

namespace gub::testkit {

namespace {

constexpr int32_t ColourStep = 30;  // 8 green levels x 7 blue levels >= 52 cards

struct PictureSize {
  int32_t width;
  int32_t height;
};

PictureSize fromLayout(layout::Size size) { return {size.width, size.height}; }

// The pressable pictures, the strip and the title have the layout's design
// sizes; the rest keep plain sizes of their own (the player pictures and the
// deal-over panel larger than the game's, so tests see what they cover).
PictureSize overlaySize(int32_t picture) {
  if (picture >= PictureDigit0 && picture <= PictureDigit9) return {23, 23};
  switch (picture) {
    case PictureMenu:
      return fromLayout(layout::MenuSize);
    case PictureEast:
    case PictureNorth:
    case PictureWest:
    case PictureYou:
    case PicturePlus:
    case PictureMinus:
      return {23, 23};
    case PictureHu:
      return {552, 92};
    case PictureCancel:
      return fromLayout(layout::StartSize);
    case PictureEnd:
      return {69, 46};
    case PictureBack:
      return fromLayout(layout::TitleSize);
    case PictureDisplay:
      return fromLayout(layout::StripHeadSize);
    case PictureGub:
    case PictureSheep:
    case PictureDouble:
    case PictureRedT:
      return fromLayout(layout::IconSize);
    default:  // the three player pictures
      return {128, 128};
  }
}

bool level(double ratio, int32_t& out) {
  const double steps = (1.0 - ratio) * 255.0 / ColourStep;
  const double nearest = std::round(steps);
  if (std::fabs(steps - nearest) > 0.3) return false;
  out = static_cast<int32_t>(nearest);
  return true;
}

}  // namespace

bmp::Rgb cardColour(int32_t n) {
  return {255, static_cast<uint8_t>(255 - ColourStep * (n % 8)),
          static_cast<uint8_t>(255 - ColourStep * (n / 8))};
}

int32_t cardFromColour(uint8_t r, uint8_t g, uint8_t b) {
  if (r < 60 || g > r || b > r) return -1;
  int32_t green = 0;
  int32_t blue = 0;
  if (!level(static_cast<double>(g) / r, green) || !level(static_cast<double>(b) / r, blue)) {
    return -1;
  }
  if (green < 0 || green > 7 || blue < 0 || blue > 6) return -1;
  const int32_t n = blue * 8 + green;
  return n < 52 ? n : -1;
}

int32_t overlayWidth(int32_t picture) { return overlaySize(picture).width; }
int32_t overlayHeight(int32_t picture) { return overlaySize(picture).height; }

bmp::Rgb overlayColour(int32_t picture) {
  return {0, static_cast<uint8_t>(40 + 7 * picture), static_cast<uint8_t>(250 - 3 * picture)};
}

bool writePictures(const std::string& folder) {
  mkdir((folder + "/bg").c_str(), 0755);
  mkdir((folder + "/crd").c_str(), 0755);
  bool ok = bmp::writeFile(folder + "/bg/table.bg", bmp::solid(64, 64, TableColour));
  for (int32_t k = 0; k < 52; ++k) {
    // File k + 1 shows suit k / 13 (clubs, diamonds, hearts, spades), rank k % 13.
    const int32_t n = (k % 13) * 4 + k / 13;
    char name[64];
    std::snprintf(name, sizeof name, "/crd/%d.crd", static_cast<int>(k + 1));
    ok = ok && bmp::writeFile(folder + name, bmp::solid(16, 16, cardColour(n)));
  }
  ok = ok && bmp::writeFile(folder + "/crd/53.crd", bmp::solid(16, 16, BackColour));
  for (int32_t p = 0; p < PictureCount; ++p) {
    const PictureSize size = overlaySize(p);
    ok = ok && bmp::writeFile(folder + "/" + OverlayFileNames[p],
                              bmp::solid(size.width, size.height, overlayColour(p)));
  }
  return ok;
}

GameState midDealOneDeck() {
  GameState game;
  // A fixed shuffle: 52 and 19 share no factor, so this visits every card.
  int32_t deck[52];
  for (int32_t i = 0; i < 52; ++i) deck[i] = (i * 19 + 7) % 52;
  int32_t counts[4] = {0, 0, 0, 0};
  for (int32_t i = 0; i < 52; ++i) {
    const int32_t seat = i % 4;
    InsertSorted(game.oneDeckHands[seat], counts[seat], deck[i]);
    ++counts[seat];
  }

  for (TrickRecord& record : game.trickHistory) {
    record.winner = -1;
    for (int32_t& c : record.cards) c = -1;
    for (int32_t& c : record.seconds) c = -1;
  }
  // Six tricks: every seat gives up its lowest card; the winners rotate.
  for (int32_t t = 0; t < 6; ++t) {
    TrickRecord& record = game.trickHistory[t];
    record.winner = (t * 3 + 1) % 4;
    for (int32_t seat = 0; seat < 4; ++seat) {
      const int32_t last = counts[seat] - 1;
      record.cards[seat] = game.oneDeckHands[seat][last];
      record.seconds[seat] = -1;
      RemoveFromHand(game.oneDeckHands[seat], OneDeckHandSize, last);
      --counts[seat];
    }
  }
  game.trickNumber = 6;

  // Seats 1 and 2 have already played into the seventh trick.
  game.currentTrick[0] = {1, game.oneDeckHands[1][0], -1};
  RemoveFromHand(game.oneDeckHands[1], OneDeckHandSize, 0);
  game.currentTrick[1] = {2, game.oneDeckHands[2][2], -1};
  RemoveFromHand(game.oneDeckHands[2], OneDeckHandSize, 2);
  game.currentTrick[2] = {-1, -1, -1};
  game.currentTrick[3] = {-1, -1, -1};
  game.trickCount = 2;
  game.turnSeat = 3;
  game.leadSuit = CardSuit(game.currentTrick[0].card);

  game.phase = PhasePlaying;
  game.declarations[DeclGub] = {2, CardGub};
  game.declarations[DeclSheep] = {3, CardSheep};
  game.gubMult = 2;
  game.sheepMult = 2;
  game.heartsMult = 1;
  game.doubleMult = 1;
  game.matchTotal[0] = -150;
  game.matchTotal[1] = 230;
  game.matchTotal[2] = 0;
  game.matchTotal[3] = 45;
  return game;
}

}  // namespace gub::testkit
