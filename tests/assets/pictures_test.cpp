// SPDX-License-Identifier: MIT
// The generated pictures: their file format, their sizes against the places
// the game draws them, the title buttons against their press areas, and the
// card faces' colours, pips and marks.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "layout/screen_layout.h"
#include "runtime_files.h"

namespace gub::asset_tests {
namespace {

std::vector<std::string> allPictureNames() {
  std::vector<std::string> names = textureNames();
  for (const std::string& n : overlayNames()) names.push_back(n);
  return names;
}

TEST(PictureFiles, EveryPictureIsABottomUpUncompressed24BitBmpWhoseSizesAgree) {
  for (const std::string& name : allPictureNames()) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t> b = readFile(runtimePath(name));
    ASSERT_GE(b.size(), 54u) << "missing or truncated";
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le32(b, 2), b.size()) << "bfSize";
    EXPECT_EQ(le32(b, 10), 54u) << "pixels start right after the headers";
    EXPECT_EQ(le32(b, 14), 40u) << "biSize";
    const auto width = static_cast<int32_t>(le32(b, 18));
    const auto height = static_cast<int32_t>(le32(b, 22));
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0) << "rows must run bottom-up";
    EXPECT_EQ(le16(b, 26), 1) << "biPlanes";
    EXPECT_EQ(le16(b, 28), 24) << "biBitCount";
    EXPECT_EQ(le32(b, 30), 0u) << "biCompression";
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
    EXPECT_EQ(le32(b, 34), stride * static_cast<uint32_t>(height)) << "biSizeImage";
    EXPECT_EQ(le32(b, 46), 0u) << "biClrUsed: the overlay loader would skip a colour table";
    EXPECT_EQ(b.size(), 54 + stride * static_cast<size_t>(height));
  }
}

struct Size {
  int w, h;
};

Size sizeOf(const std::string& name) {
  const Bmp bmp(name);
  return {bmp.width(), bmp.height()};
}

TEST(PictureSizes, FixedSizesOfTheTableCardsButtonsStripAndTitle) {
  const Size table = sizeOf("bg/table.bg");
  auto powerOfTwo = [](int v) { return v > 0 && (v & (v - 1)) == 0; };
  EXPECT_TRUE(powerOfTwo(table.w) && powerOfTwo(table.h)) << table.w << " x " << table.h;
  // The cards are designed at 128 x 128 and written at a power of two of
  // that, all alike: the game shows the same fraction of any file.
  const Size first = sizeOf("crd/1.crd");
  EXPECT_TRUE(first.w % 128 == 0 && powerOfTwo(first.w / 128)) << first.w;
  for (int n = 1; n <= 53; ++n) {
    const Size card = sizeOf("crd/" + std::to_string(n) + ".crd");
    EXPECT_EQ(card.w, first.w) << n;
    EXPECT_EQ(card.h, first.w) << n;
  }
  // The screen layout places and presses these by their design sizes.
  using layout::Size;
  const std::map<std::string, layout::Size> fixed = {
      {"bg/menu.bg", layout::MenuSize},      {"bg/display.bg", layout::StripHeadSize},
      {"bg/gub.bg", layout::IconSize},       {"bg/sheep.bg", layout::IconSize},
      {"bg/double.bg", layout::IconSize},    {"bg/redT.bg", layout::IconSize},
      {"bg/cancel.bg", layout::StartSize},   {"bg/hu.bg", layout::DealOverSize},
      {"bg/meast.bg", layout::PortraitSize}, {"bg/mnorth.bg", layout::PortraitSize},
      {"bg/mwest.bg", layout::PortraitSize}};
  for (const auto& [name, want] : fixed) {
    const auto got = sizeOf(name);
    EXPECT_EQ(got.w, want.width) << name;
    EXPECT_EQ(got.h, want.height) << name;
  }
  // The title picture comes at its denser size, which the game draws at a
  // smaller zoom.
  EXPECT_EQ(sizeOf("bg/back.bg").w, layout::TitleSize.width * layout::TitleDensity);
  EXPECT_EQ(sizeOf("bg/back.bg").h, layout::TitleSize.height * layout::TitleDensity);
}

TEST(PictureSizes, ScoreRowsAndPicturesDoNotCoverEachOther) {
  // Digits follow each other 23 design pixels apart; the signs take a digit's place.
  const Size zero = sizeOf("bg/0.bg");
  for (const char* name :
       {"bg/0.bg", "bg/1.bg", "bg/2.bg", "bg/3.bg", "bg/4.bg", "bg/5.bg", "bg/6.bg", "bg/7.bg",
        "bg/8.bg", "bg/9.bg", "bg/plus.bg", "bg/minus.bg"}) {
    EXPECT_EQ(sizeOf(name).w, 23) << name;
    EXPECT_EQ(sizeOf(name).h, zero.h) << name;
  }
  // A label stands two steps left of the sign (or of the lone 0), so a wider
  // one would be cut by it.
  for (const char* name : {"bg/you.bg", "bg/east.bg", "bg/north.bg", "bg/west.bg"}) {
    EXPECT_LE(sizeOf(name).w, 46) << name;
  }
  // East and west totals stand 158 pixels above their pictures' lower edge,
  // and the east picture's left edge is 130 pixels from the right of the screen.
  for (const char* name : {"bg/meast.bg", "bg/mwest.bg"}) {
    EXPECT_LE(sizeOf(name).w, 130) << name;
    EXPECT_LE(sizeOf(name).h, 158) << name;
  }
  // The north picture starts where the north total ends and stays on screen.
  EXPECT_LE(sizeOf("bg/mnorth.bg").h, 168);
  // The east and west deal scores (48 under the pictures) stay under the pictures.
  EXPECT_LE(zero.h, 48);
}

// The title buttons fill, to the pixel, the rectangles of the title picture
// that the screen layout presses: each edge's middle pixel is button, the
// pixel beyond it is not, and nothing else light stands near them.
TEST(TitlePicture, ButtonsFillTheirPressRectanglesUnderTheTitle) {
  const Bmp title("bg/back.bg");
  ASSERT_TRUE(title.hasPixels());
  const int d = layout::TitleDensity;
  ASSERT_EQ(title.width(), layout::TitleSize.width * d);
  ASSERT_EQ(title.height(), layout::TitleSize.height * d);
  // Coordinates below are the picture's own pixels: design pixels times d.
  auto light = [&](int x, int y) { return title.at(x, y).luminance() > 170; };
  auto insideAButton = [&](int x, int y) {
    for (const layout::PictureRect& r : layout::TitleButtonRects) {
      if (x >= r.left * d && x < r.right * d && y >= r.top * d && y < r.bottom * d) return true;
    }
    return false;
  };

  int strays = 0;
  for (int y = 121 * d; y < 292 * d; ++y) {
    for (int x = 110 * d; x < 392 * d; ++x) {
      if (light(x, y) && !insideAButton(x, y)) ++strays;
    }
  }
  EXPECT_EQ(strays, 0) << "light pixels outside the buttons";

  for (const layout::PictureRect& design : layout::TitleButtonRects) {
    SCOPED_TRACE(design.top);
    const layout::PictureRect r{design.left * d, design.top * d, design.right * d,
                                design.bottom * d};
    const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
    EXPECT_TRUE(light(r.left, midY));
    EXPECT_TRUE(light(r.right - 1, midY));
    EXPECT_TRUE(light(midX, r.top));
    EXPECT_TRUE(light(midX, r.bottom - 1));
    EXPECT_FALSE(light(r.left - 1, midY));
    EXPECT_FALSE(light(r.right, midY));
    EXPECT_FALSE(light(midX, r.top - 1));
    EXPECT_FALSE(light(midX, r.bottom));
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) count += light(x, y) ? 1 : 0;
    }
    EXPECT_GT(count, (r.right - r.left) * (r.bottom - r.top) * 6 / 10)
        << "the button should be light over most of its area";
  }

  // The picture's outermost ring is one plain colour: the bars beside it on
  // screens of another shape take it.
  const int edge = title.at(0, 0).luminance();
  for (int x = 0; x < title.width(); x += 7) {
    EXPECT_EQ(title.at(x, 0).luminance(), edge);
    EXPECT_EQ(title.at(x, title.height() - 1).luminance(), edge);
  }
  for (int y = 0; y < title.height(); y += 7) {
    EXPECT_EQ(title.at(0, y).luminance(), edge);
    EXPECT_EQ(title.at(title.width() - 1, y).luminance(), edge);
  }

  // The title stands above the first button.
  int titleInk = 0;
  for (int y = 16 * d; y < 118 * d; ++y) {
    for (int x = 123 * d; x <= 377 * d; ++x) titleInk += light(x, y) ? 1 : 0;
  }
  EXPECT_GT(titleInk, 1000 * d * d);
}

// ---- card faces ---------------------------------------------------------------
// File n (1 … 52): suit (n - 1) / 13 (clubs, diamonds, hearts, spades), rank
// (n - 1) % 13 (ace, two … ten, jack, queen, king). The face is the 71 x 96
// pixels at the top left of the 128 x 128 design.

constexpr int kFaceW = 71, kFaceH = 96;

// A card file read at its design size: each design pixel the mean of the
// file pixels it stands for, as the game's smaller copies of it are.
class CardFace {
 public:
  explicit CardFace(const std::string& name) : bmp_(name), density_(bmp_.width() / 128) {}
  bool hasPixels() const { return bmp_.hasPixels() && density_ > 0; }
  Rgb8 at(int x, int y) const {
    int sum[3] = {0, 0, 0};
    for (int dy = 0; dy < density_; ++dy) {
      for (int dx = 0; dx < density_; ++dx) {
        const Rgb8 c = bmp_.at(x * density_ + dx, y * density_ + dy);
        sum[0] += c.r;
        sum[1] += c.g;
        sum[2] += c.b;
      }
    }
    const int n = density_ * density_;
    return {static_cast<uint8_t>((sum[0] + n / 2) / n), static_cast<uint8_t>((sum[1] + n / 2) / n),
            static_cast<uint8_t>((sum[2] + n / 2) / n)};
  }

 private:
  Bmp bmp_;
  int density_;
};

bool redSuit(int file) { return (file - 1) / 13 == 1 || (file - 1) / 13 == 2; }
bool redInk(Rgb8 c) { return c.r > 140 && c.g < 110 && c.b < 110; }
bool blackInk(Rgb8 c) { return std::max({c.r, c.g, c.b}) < 90; }
bool goldInk(Rgb8 c) { return c.r > 180 && c.g > 120 && c.g < 215 && c.b < 100; }

int countIn(const CardFace& card, int x0, int y0, int x1, int y1,
            const std::function<bool(Rgb8)>& is) {
  int n = 0;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) n += is(card.at(x, y)) ? 1 : 0;
  }
  return n;
}

TEST(CardFaces, BothIndexCornersAreInkedRedOrBlackBySuit) {
  for (int file = 1; file <= 52; ++file) {
    SCOPED_TRACE("crd/" + std::to_string(file) + ".crd");
    const CardFace card("crd/" + std::to_string(file) + ".crd");
    ASSERT_TRUE(card.hasPixels());
    // Top left, and the same index turned at the bottom right.
    const int corners[2][4] = {{1, 2, 16, 32}, {kFaceW - 17, kFaceH - 33, kFaceW - 2, kFaceH - 3}};
    for (const auto& c : corners) {
      const int red = countIn(card, c[0], c[1], c[2], c[3], redInk);
      const int black = countIn(card, c[0], c[1], c[2], c[3], blackInk);
      if (redSuit(file)) {
        EXPECT_GT(red, 40);
        EXPECT_EQ(black, 0);
      } else {
        EXPECT_GT(black, 40);
        EXPECT_EQ(red, 0);
      }
    }
  }
}

// Connected blobs of suit ink between the index columns.
int pipCount(const CardFace& card, bool red) {
  constexpr int x0 = 17, x1 = kFaceW - 18, y0 = 3, y1 = kFaceH - 4;
  std::vector<int> seen((x1 - x0 + 1) * (y1 - y0 + 1), 0);
  auto ink = [&](int x, int y) { return red ? redInk(card.at(x, y)) : blackInk(card.at(x, y)); };
  int blobs = 0;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (!ink(x, y) || seen[(y - y0) * (x1 - x0 + 1) + (x - x0)]) continue;
      ++blobs;
      std::vector<std::pair<int, int>> stack = {{x, y}};
      seen[(y - y0) * (x1 - x0 + 1) + (x - x0)] = 1;
      while (!stack.empty()) {
        const auto [cx, cy] = stack.back();
        stack.pop_back();
        const int next[4][2] = {{cx + 1, cy}, {cx - 1, cy}, {cx, cy + 1}, {cx, cy - 1}};
        for (const auto& n : next) {
          if (n[0] < x0 || n[0] > x1 || n[1] < y0 || n[1] > y1) continue;
          int& mark = seen[(n[1] - y0) * (x1 - x0 + 1) + (n[0] - x0)];
          if (mark || !ink(n[0], n[1])) continue;
          mark = 1;
          stack.push_back({n[0], n[1]});
        }
      }
    }
  }
  return blobs;
}

TEST(CardFaces, NumberCardsShowTheirCountOfSeparatePipsAndAcesOneLargePip) {
  for (int file = 1; file <= 52; ++file) {
    const int rank = (file - 1) % 13;
    if (rank >= 10) continue;  // court cards
    SCOPED_TRACE("crd/" + std::to_string(file) + ".crd");
    const CardFace card("crd/" + std::to_string(file) + ".crd");
    ASSERT_TRUE(card.hasPixels());
    EXPECT_EQ(pipCount(card, redSuit(file)), rank + 1);
  }
  // The ace's pip is large: it spans at least a third of the face's width.
  for (int file : {1, 14, 27, 40}) {
    const CardFace card("crd/" + std::to_string(file) + ".crd");
    int minX = kFaceW, maxX = 0;
    for (int x = 17; x < kFaceW - 17; ++x) {
      const Rgb8 c = card.at(x, kFaceH / 2);
      if (redSuit(file) ? redInk(c) : blackInk(c)) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
      }
    }
    EXPECT_GE(maxX - minX + 1, kFaceW / 3) << file;
  }
}

TEST(CardFaces, CourtCardsAreColouredFiguresNotJustLetters) {
  for (int file = 1; file <= 52; ++file) {
    if ((file - 1) % 13 < 10) continue;
    SCOPED_TRACE("crd/" + std::to_string(file) + ".crd");
    const CardFace card("crd/" + std::to_string(file) + ".crd");
    // Robes of several colours fill a good part of the space between the indices.
    int coloured = 0;
    for (int y = 9; y < kFaceH - 9; ++y) {
      for (int x = 17; x < kFaceW - 17; ++x) {
        const Rgb8 c = card.at(x, y);
        const int spread = std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b});
        if (spread > 60) ++coloured;
      }
    }
    EXPECT_GT(coloured, 600);
  }
}

TEST(CardFaces, OnlyTheFourPointCardsWearTheGoldMarkUnderTheirIndex) {
  // Queen of spades, jack of diamonds, ten of clubs, ace of hearts.
  const std::vector<int> marked = {3 * 13 + 12, 1 * 13 + 11, 0 * 13 + 10, 2 * 13 + 1};
  for (int file = 1; file <= 52; ++file) {
    SCOPED_TRACE("crd/" + std::to_string(file) + ".crd");
    const CardFace card("crd/" + std::to_string(file) + ".crd");
    const int gold = countIn(card, 1, 31, 16, 46, goldInk);
    if (std::find(marked.begin(), marked.end(), file) != marked.end()) {
      EXPECT_GT(gold, 12);
    } else {
      EXPECT_EQ(gold, 0);
    }
  }
}

TEST(CardFaces, TheBackIsAPatternNotAPlainFill) {
  const CardFace back("crd/53.crd");
  ASSERT_TRUE(back.hasPixels());
  // Along a row through the lattice the colour changes many times.
  int changes = 0;
  for (int x = 6; x < 20; ++x) {
    const Rgb8 a = back.at(x, 20), b = back.at(x + 1, 20);
    if (std::abs(a.b - b.b) + std::abs(a.g - b.g) > 40) ++changes;
  }
  EXPECT_GE(changes, 3);
  // And it reads as none of the faces: mostly blue, not paper.
  const int blue = countIn(back, 5, 5, kFaceW - 6, kFaceH - 6,
                           [](Rgb8 c) { return c.b > c.r + 50 && c.b > c.g + 30; });
  EXPECT_GT(blue, (kFaceW - 10) * (kFaceH - 10) / 2);
}

}  // namespace
}  // namespace gub::asset_tests
