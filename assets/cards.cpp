// SPDX-License-Identifier: MIT
// Card faces and the card back. A card is seen some 40 to 60 pixels wide and,
// in a hand, mostly covered by its neighbour, so the index in the left column
// is large and bold and everything else is drawn with plain, strong shapes.
#include "cards.h"

#include <cmath>
#include <string>
#include <vector>

#include "suits.h"

namespace gub::assets {

namespace {

constexpr Rgb kPaper = rgb(253, 251, 244);
constexpr Rgb kEdge = rgb(128, 128, 134);
constexpr Rgb kFrameLine = rgb(60, 66, 96);
constexpr Rgb kGold = rgb(232, 178, 28);
constexpr Rgb kGoldDark = rgb(120, 80, 10);
constexpr Rgb kSkin = rgb(246, 214, 178);
constexpr Rgb kOutline = rgb(40, 34, 40);

constexpr double kCentreX = kFaceWidth / 2.0;
constexpr double kCentreY = kFaceHeight / 2.0;

// Pip columns and rows of the number cards.
constexpr double kLeft = 24.5;
constexpr double kMid = kCentreX;
constexpr double kRight = 46.5;
constexpr double kTop = 14;
constexpr double kBottom = kFaceHeight - 14;

const char* const kRankText[13] = {"A", "2", "3",  "4", "5", "6", "7",
                                   "8", "9", "10", "J", "Q", "K"};

void star(cairo_t* cr, double cx, double cy, double outer, double inner) {
  for (int i = 0; i < 10; ++i) {
    const double a = -M_PI / 2 + i * M_PI / 5;
    const double r = (i % 2 == 0) ? outer : inner;
    if (i == 0) {
      cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    } else {
      cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
  }
  cairo_close_path(cr);
}

// Rank over suit, and the star of the marked cards under them.
void drawIndex(cairo_t* cr, int suit, int rankIndex) {
  TextStyle style;
  style.family = FontFamily::SansCondensed;
  style.sizePx = 19;
  style.maxWidth = 15;
  style.colour = suitInk(suit);
  drawTextCentred(cr, kRankText[rankIndex], style, 8.5, 10.5);
  drawSuit(cr, suit, 8.5, 25.5, 11, false, suitInk(suit));
  if (isMarkedCard(suit, rankIndex)) {
    star(cr, 8.5, 38, 5.2, 2.3);
    setColour(cr, kGold);
    cairo_fill_preserve(cr);
    setColour(cr, kGoldDark);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }
}

struct Pip {
  double x, y;
};

void drawPips(cairo_t* cr, int suit, int count) {
  const double r4[4] = {kTop, kTop + (kBottom - kTop) / 3, kBottom - (kBottom - kTop) / 3, kBottom};
  std::vector<Pip> pips;
  auto pair = [&](double y) {
    pips.push_back({kLeft, y});
    pips.push_back({kRight, y});
  };
  switch (count) {
    case 2:
      pips = {{kMid, kTop}, {kMid, kBottom}};
      break;
    case 3:
      pips = {{kMid, kTop}, {kMid, kCentreY}, {kMid, kBottom}};
      break;
    case 4:
    case 5:
      pair(kTop);
      pair(kBottom);
      if (count == 5) pips.push_back({kMid, kCentreY});
      break;
    case 6:
    case 7:
    case 8:
      pair(kTop);
      pair(kCentreY);
      pair(kBottom);
      if (count >= 7) pips.push_back({kMid, (kTop + kCentreY) / 2});
      if (count == 8) pips.push_back({kMid, (kBottom + kCentreY) / 2});
      break;
    default:  // 9 and 10
      for (double y : r4) pair(y);
      if (count == 9) {
        pips.push_back({kMid, kCentreY});
      } else {
        pips.push_back({kMid, (r4[0] + r4[1]) / 2});
        pips.push_back({kMid, (r4[2] + r4[3]) / 2});
      }
      break;
  }
  const double size = count >= 9 ? 13 : 14;
  for (const Pip& p : pips) {
    drawSuit(cr, suit, p.x, p.y, size, p.y > kCentreY + 0.5, suitInk(suit));
  }
}

void drawAce(cairo_t* cr, int suit) {
  if (suit == Spades) {
    // The ace of spades gets a ring round its pip, as decks traditionally do.
    cairo_arc(cr, kCentreX, kCentreY, 21, 0, 2 * M_PI);
    setColour(cr, kFrameLine);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_arc(cr, kCentreX, kCentreY, 18.5, 0, 2 * M_PI);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
  }
  drawSuit(cr, suit, kCentreX, kCentreY, suit == Spades ? 27 : 34, false, suitInk(suit));
}

// Robe and trim colours of the court figures, one pair per card, so that no
// two court cards look alike.
constexpr Rgb kRed = rgb(200, 44, 48);
constexpr Rgb kBlue = rgb(44, 82, 172);
constexpr Rgb kYellow = rgb(240, 192, 56);
constexpr Rgb kGreen = rgb(42, 130, 78);

struct Robe {
  Rgb main, trim;
};

Robe robeFor(int suit, int rankIndex) {
  static const Robe robes[4][3] = {
      {{kGreen, kYellow}, {kBlue, kRed}, {kRed, kBlue}},      // clubs J Q K
      {{kBlue, kYellow}, {kRed, kGreen}, {kGreen, kRed}},     // diamonds
      {{kRed, kYellow}, {kGreen, kBlue}, {kBlue, kYellow}},   // hearts
      {{kYellow, kBlue}, {kBlue, kYellow}, {kRed, kGreen}}};  // spades
  return robes[suit][rankIndex - kJack];
}

void fillAndOutline(cairo_t* cr, Rgb fill, double width = 0.7) {
  setColour(cr, fill);
  cairo_fill_preserve(cr);
  setColour(cr, kOutline);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

// One half of a court card: the figure from the chest up, in the frame's top
// half (x 17 … 54, y 9 … 48). The other half is the same turned round.
void drawCourtHalf(cairo_t* cr, int suit, int rankIndex) {
  const Robe robe = robeFor(suit, rankIndex);
  const double cx = kCentreX;

  // Held emblem behind the shoulder: sceptre for the king, flower for the
  // queen, halberd for the jack.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  if (rankIndex == kKing) {
    cairo_move_to(cr, 48.5, 47);
    cairo_line_to(cr, 48.5, 19);
    setColour(cr, kGoldDark);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    cairo_arc(cr, 48.5, 17.5, 3, 0, 2 * M_PI);
    fillAndOutline(cr, kGold);
  } else if (rankIndex == kQueen) {
    cairo_move_to(cr, 48, 47);
    cairo_curve_to(cr, 47, 38, 50, 30, 48.5, 23);
    setColour(cr, kGreen);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    for (int i = 0; i < 5; ++i) {
      const double a = i * 2 * M_PI / 5 - M_PI / 2;
      cairo_arc(cr, 48.5 + 2.6 * std::cos(a), 20.5 + 2.6 * std::sin(a), 2.1, 0, 2 * M_PI);
      fillAndOutline(cr, isRed(suit) ? kYellow : kRed, 0.5);
    }
    cairo_arc(cr, 48.5, 20.5, 1.5, 0, 2 * M_PI);
    fillAndOutline(cr, kYellow, 0.4);
  } else {
    cairo_move_to(cr, 49, 47);
    cairo_line_to(cr, 49, 13);
    setColour(cr, rgb(110, 72, 36));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_move_to(cr, 49, 11);
    cairo_line_to(cr, 53, 17);
    cairo_line_to(cr, 49, 19);
    cairo_close_path(cr);
    fillAndOutline(cr, rgb(196, 200, 210), 0.5);
  }

  // Shoulders and robe.
  cairo_move_to(cr, 17.5, 48);
  cairo_line_to(cr, 17.5, 41);
  cairo_curve_to(cr, 19, 37, 24, 35.5, 29, 34.5);
  cairo_line_to(cr, 42, 34.5);
  cairo_curve_to(cr, 47, 35.5, 52, 37, 53.5, 41);
  cairo_line_to(cr, 53.5, 48);
  cairo_close_path(cr);
  fillAndOutline(cr, robe.main);
  // Trim: a broad band down the chest and a collar.
  cairo_rectangle(cr, cx - 3.5, 36, 7, 12);
  fillAndOutline(cr, robe.trim, 0.5);
  cairo_move_to(cr, 28, 34.8);
  cairo_line_to(cr, cx, 40);
  cairo_line_to(cr, 43, 34.8);
  setColour(cr, kGold);
  cairo_set_line_width(cr, 1.8);
  cairo_stroke(cr);

  // Hair behind the face (the queen's falls to the shoulders).
  if (rankIndex == kQueen) {
    cairo_move_to(cr, cx - 8.5, 34);
    cairo_curve_to(cr, cx - 10, 24, cx - 7, 17, cx, 17);
    cairo_curve_to(cr, cx + 7, 17, cx + 10, 24, cx + 8.5, 34);
    cairo_close_path(cr);
    fillAndOutline(cr, isRed(suit) ? rgb(150, 86, 38) : rgb(226, 178, 72), 0.6);
  } else if (rankIndex == kJack) {
    cairo_move_to(cr, cx - 7.5, 30);
    cairo_curve_to(cr, cx - 8, 22, cx - 5, 18, cx, 18);
    cairo_curve_to(cr, cx + 5, 18, cx + 8, 22, cx + 7.5, 30);
    cairo_close_path(cr);
    fillAndOutline(cr, rgb(120, 74, 36), 0.6);
  }

  // Face.
  cairo_save(cr);
  cairo_translate(cr, cx, 26);
  cairo_scale(cr, 5.6, 6.8);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  fillAndOutline(cr, kSkin, 0.6);
  if (rankIndex == kKing) {
    // Beard.
    cairo_move_to(cr, cx - 5.4, 27);
    cairo_curve_to(cr, cx - 5, 34, cx - 2, 36.5, cx, 36.5);
    cairo_curve_to(cr, cx + 2, 36.5, cx + 5, 34, cx + 5.4, 27);
    cairo_curve_to(cr, cx + 3, 30, cx - 3, 30, cx - 5.4, 27);
    cairo_close_path(cr);
    fillAndOutline(cr, rgb(236, 236, 230), 0.6);
  }
  setColour(cr, kOutline);
  cairo_arc(cr, cx - 2.3, 25.3, 0.75, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_arc(cr, cx + 2.3, 25.3, 0.75, 0, 2 * M_PI);
  cairo_fill(cr);
  if (rankIndex != kKing) {
    cairo_move_to(cr, cx - 1.6, 29.6);
    cairo_curve_to(cr, cx - 0.6, 30.4, cx + 0.6, 30.4, cx + 1.6, 29.6);
    setColour(cr, rgb(190, 60, 60));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
  }

  // Headgear.
  if (rankIndex == kKing) {
    cairo_move_to(cr, cx - 6.5, 21);
    cairo_line_to(cr, cx - 7, 12);
    cairo_line_to(cr, cx - 3.5, 16);
    cairo_line_to(cr, cx, 10.5);
    cairo_line_to(cr, cx + 3.5, 16);
    cairo_line_to(cr, cx + 7, 12);
    cairo_line_to(cr, cx + 6.5, 21);
    cairo_close_path(cr);
    fillAndOutline(cr, kGold);
    cairo_arc(cr, cx, 18.2, 1.2, 0, 2 * M_PI);
    setColour(cr, kRed);
    cairo_fill(cr);
  } else if (rankIndex == kQueen) {
    cairo_move_to(cr, cx - 5.5, 20);
    cairo_line_to(cr, cx - 5.5, 15);
    cairo_line_to(cr, cx - 2.7, 17.5);
    cairo_line_to(cr, cx, 13.5);
    cairo_line_to(cr, cx + 2.7, 17.5);
    cairo_line_to(cr, cx + 5.5, 15);
    cairo_line_to(cr, cx + 5.5, 20);
    cairo_close_path(cr);
    fillAndOutline(cr, kGold);
  } else {
    // A soft cap with a feather.
    cairo_move_to(cr, cx - 8, 21);
    cairo_curve_to(cr, cx - 8, 13, cx + 8, 13, cx + 8, 21);
    cairo_close_path(cr);
    fillAndOutline(cr, robe.trim);
    cairo_move_to(cr, cx + 3, 16);
    cairo_curve_to(cr, cx + 7, 11, cx + 11, 11, cx + 13, 9.5);
    setColour(cr, kRed);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
  }

  // The suit beside the head.
  drawSuit(cr, suit, 22, 15, 8, false, suitInk(suit));
}

void drawCourt(cairo_t* cr, int suit, int rankIndex) {
  const double x0 = 17, y0 = 9, x1 = kFaceWidth - 17, y1 = kFaceHeight - 9;
  for (int half = 0; half < 2; ++half) {
    cairo_save(cr);
    if (half == 1) {
      cairo_translate(cr, kFaceWidth, kFaceHeight);
      cairo_rotate(cr, M_PI);
    }
    cairo_rectangle(cr, x0, y0, x1 - x0, kCentreY - y0);
    cairo_clip(cr);
    drawCourtHalf(cr, suit, rankIndex);
    cairo_restore(cr);
  }
  cairo_set_line_width(cr, 1);
  setColour(cr, kFrameLine);
  cairo_rectangle(cr, x0 + 0.5, y0 + 0.5, x1 - x0 - 1, y1 - y0 - 1);
  cairo_stroke(cr);
  cairo_move_to(cr, x0, kCentreY);
  cairo_line_to(cr, x1, kCentreY);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

void paperBlank(cairo_t* cr) {
  setColour(cr, kEdge);
  cairo_rectangle(cr, 0, 0, kFaceWidth, kFaceHeight);
  cairo_fill(cr);
  setColour(cr, kPaper);
  cairo_rectangle(cr, 1, 1, kFaceWidth - 2, kFaceHeight - 2);
  cairo_fill(cr);
}

}  // namespace

bool isMarkedCard(int suit, int rankIndex) {
  return (suit == Spades && rankIndex == kQueen) || (suit == Diamonds && rankIndex == kJack) ||
         (suit == Clubs && rankIndex == kTen) || (suit == Hearts && rankIndex == kAce);
}

void drawCardFace(cairo_t* cr, int suit, int rankIndex) {
  cairo_save(cr);
  paperBlank(cr);
  if (rankIndex == kAce) {
    drawAce(cr, suit);
  } else if (rankIndex >= kJack) {
    drawCourt(cr, suit, rankIndex);
  } else {
    drawPips(cr, suit, rankIndex + 1);
  }
  drawIndex(cr, suit, rankIndex);
  cairo_translate(cr, kFaceWidth, kFaceHeight);
  cairo_rotate(cr, M_PI);
  drawIndex(cr, suit, rankIndex);
  cairo_restore(cr);
}

void drawCardBack(cairo_t* cr) {
  constexpr Rgb kBackBlue = rgb(26, 50, 132);
  constexpr Rgb kLattice = rgb(78, 116, 200);
  constexpr Rgb kCream = rgb(250, 240, 214);
  cairo_save(cr);
  paperBlank(cr);
  const double x0 = 4, y0 = 4, w = kFaceWidth - 8, h = kFaceHeight - 8;
  cairo_rectangle(cr, x0, y0, w, h);
  setColour(cr, kBackBlue);
  cairo_fill(cr);

  cairo_save(cr);
  cairo_rectangle(cr, x0, y0, w, h);
  cairo_clip(cr);
  setColour(cr, kLattice);
  cairo_set_line_width(cr, 1.3);
  for (double d = -kFaceHeight; d < kFaceWidth + kFaceHeight; d += 7) {
    cairo_move_to(cr, d, 0);
    cairo_line_to(cr, d + kFaceHeight, kFaceHeight);
    cairo_move_to(cr, d, kFaceHeight);
    cairo_line_to(cr, d + kFaceHeight, 0);
  }
  cairo_stroke(cr);
  cairo_restore(cr);

  setColour(cr, kGold);
  cairo_set_line_width(cr, 1.2);
  cairo_rectangle(cr, x0 + 2.5, y0 + 2.5, w - 5, h - 5);
  cairo_stroke(cr);

  // The medallion: the four suits round a small star.
  cairo_save(cr);
  cairo_translate(cr, kCentreX, kCentreY);
  cairo_scale(cr, 15, 19);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  setColour(cr, kBackBlue);
  cairo_fill_preserve(cr);
  setColour(cr, kGold);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
  drawSuit(cr, Spades, kCentreX, kCentreY - 10, 9, false, kCream);
  drawSuit(cr, Hearts, kCentreX + 7.5, kCentreY, 9, false, kCream);
  drawSuit(cr, Clubs, kCentreX, kCentreY + 10, 9, false, kCream);
  drawSuit(cr, Diamonds, kCentreX - 7.5, kCentreY, 9, false, kCream);
  cairo_restore(cr);
}

std::vector<Picture> makeCardPictures() {
  std::vector<Picture> pictures;
  for (int file = 1; file <= 53; ++file) {
    Picture picture("crd/" + std::to_string(file) + ".crd", kCardFileSize * kCardDensity,
                    kCardFileSize * kCardDensity);
    Canvas cr(picture);
    cairo_scale(cr, kCardDensity, kCardDensity);
    // The unseen part of the file takes the card's edge colour: the texture's
    // filtering, its smaller copies and wrap-around blend it into the face's
    // border.
    setColour(cr, kEdge);
    cairo_paint(cr);
    if (file == 53) {
      drawCardBack(cr);
    } else {
      drawCardFace(cr, (file - 1) / 13, (file - 1) % 13);
    }
    pictures.push_back(std::move(picture));
  }
  return pictures;
}

}  // namespace gub::assets
