// SPDX-License-Identifier: MIT
// The table texture and the overlay pictures. Overlays are copied to the screen
// as opaque rectangles, so each is a complete panel: framed plaques for the
// buttons, strip and banners, cream glyphs on the screen's own dark red for the
// score digits.
#include "overlays.h"

#include <cmath>
#include <string>

#include "cards.h"
#include "layout/screen_layout.h"
#include "portraits.h"
#include "suits.h"

namespace gub::assets {

namespace {

// The colour the game clears the screen to (0.48, 0, 0).
constexpr Rgb kScreen = rgb(122, 0, 0);
constexpr Rgb kPanelTop = rgb(32, 108, 64);
constexpr Rgb kPanelBottom = rgb(14, 66, 38);
constexpr Rgb kGold = rgb(222, 176, 64);
constexpr Rgb kDarkLine = rgb(44, 22, 4);
constexpr Rgb kCream = rgb(252, 242, 212);
constexpr Rgb kDeepGreen = rgb(16, 70, 40);

// A panel filling the whole picture: dark outline, gold band, dark inner line
// and a green face, so it looks finished whatever lies behind it.
void framedPanel(cairo_t* cr, int w, int h, double band = 2) {
  setColour(cr, kDarkLine);
  cairo_paint(cr);
  cairo_rectangle(cr, 1, 1, w - 2, h - 2);
  setColour(cr, kGold);
  cairo_fill(cr);
  cairo_rectangle(cr, 1 + band, 1 + band, w - 2 - 2 * band, h - 2 - 2 * band);
  setColour(cr, kDarkLine);
  cairo_fill(cr);
  const double inset = 2 + band;
  cairo_rectangle(cr, inset, inset, w - 2 * inset, h - 2 * inset);
  setVerticalGradient(cr, inset, h - inset, kPanelTop, kPanelBottom);
  cairo_fill(cr);
}

TextStyle creamText(double sizePx, FontFamily family = FontFamily::Sans) {
  TextStyle style;
  style.family = family;
  style.sizePx = sizePx;
  style.colour = kCream;
  style.outlineWidth = 2;
  style.outlineColour = rgb(6, 34, 18);
  return style;
}

Picture panelWithText(const std::string& file, int w, int h, const std::string& text,
                      double sizePx) {
  Picture p(file, w, h);
  Canvas cr(p);
  framedPanel(cr, w, h);
  TextStyle style = creamText(sizePx);
  style.maxWidth = w - 12;
  drawTextCentred(cr, text, style, w / 2.0, h / 2.0);
  return p;
}

// ---- score glyphs -------------------------------------------------------------

constexpr int kDigitWidth = 23;  // the step between digits on the screen
constexpr int kDigitHeight = 36;

TextStyle digitStyle() {
  TextStyle style;
  style.sizePx = 29;
  style.colour = kCream;
  style.outlineWidth = 2.5;
  style.outlineColour = rgb(48, 0, 0);
  style.maxWidth = kDigitWidth - 1;
  return style;
}

Picture digitPicture(const std::string& file, const std::string& glyph) {
  Picture p(file, kDigitWidth, kDigitHeight);
  Canvas cr(p);
  setColour(cr, kScreen);
  cairo_paint(cr);
  drawTextCentred(cr, glyph, digitStyle(), kDigitWidth / 2.0, kDigitHeight / 2.0);
  return p;
}

// Plus and minus drawn as bars of the digits' stroke weight, centred where the
// digits' middle is.
Picture signPicture(const std::string& file, bool plus) {
  Picture p(file, kDigitWidth, kDigitHeight);
  Canvas cr(p);
  setColour(cr, kScreen);
  cairo_paint(cr);
  const double cx = kDigitWidth / 2.0, cy = kDigitHeight / 2.0;
  const double half = 7, thick = 4.2;
  cairo_rectangle(cr, cx - half, cy - thick / 2, 2 * half, thick);
  if (plus) cairo_rectangle(cr, cx - thick / 2, cy - half, thick, 2 * half);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_path_t* path = cairo_copy_path(cr);
  setColour(cr, rgb(48, 0, 0));
  cairo_set_line_width(cr, 2.5);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  cairo_append_path(cr, path);
  setColour(cr, kCream);
  cairo_fill(cr);
  cairo_path_destroy(path);
  return p;
}

// Seat labels stand two digit steps left of a sign, so they are two steps wide.
constexpr int kLabelWidth = 2 * kDigitWidth;

Picture labelPicture(const std::string& file, const std::string& text) {
  Picture p(file, kLabelWidth, kDigitHeight);
  Canvas cr(p);
  setColour(cr, kScreen);
  cairo_paint(cr);
  cairo_save(cr);
  roundedRect(cr, 1, 7, kLabelWidth - 2, kDigitHeight - 14, 5);
  setVerticalGradient(cr, 7, kDigitHeight - 7, kPanelTop, kPanelBottom);
  cairo_fill_preserve(cr);
  setColour(cr, kGold);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_restore(cr);
  TextStyle style;
  style.family = FontFamily::SansCondensed;
  style.sizePx = 11.5;
  style.colour = kCream;
  style.maxWidth = kLabelWidth - 8;
  drawTextCentred(cr, text, style, kLabelWidth / 2.0, kDigitHeight / 2.0);
  return p;
}

// ---- buttons and the declaration strip ---------------------------------------

Picture menuPicture() {
  Picture p("bg/menu.bg", 92, 46);
  Canvas cr(p);
  framedPanel(cr, 92, 46);
  setColour(cr, kCream);
  for (int i = 0; i < 3; ++i) {
    roundedRect(cr, 12, 15 + 6.5 * i, 14, 3, 1.2);
    cairo_fill(cr);
  }
  TextStyle style = creamText(17);
  drawTextCentred(cr, "Menu", style, 57, 23);
  return p;
}

// A declared-card icon: a small card with the card's index, and "×2".
Picture iconPicture(const std::string& file, int suit, const std::string& rank) {
  Picture p(file, 69, 46);
  Canvas cr(p);
  framedPanel(cr, 69, 46);
  roundedRect(cr, 8.5, 7.5, 24, 31, 2.5);
  setColour(cr, rgb(253, 251, 244));
  cairo_fill_preserve(cr);
  setColour(cr, kDarkLine);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  TextStyle index;
  index.family = FontFamily::SansCondensed;
  index.sizePx = 14;
  index.maxWidth = 18;
  index.colour = suitInk(suit);
  drawTextCentred(cr, rank, index, 20.5, 16);
  drawSuit(cr, suit, 20.5, 30, 10.5, false, suitInk(suit));
  TextStyle times = creamText(17);
  times.colour = rgb(255, 214, 96);
  drawTextCentred(cr, "\u00d72", times, 50, 23);
  return p;
}

Picture startPicture() {
  const int w = 184, h = 92;
  Picture p("bg/cancel.bg", w, h);
  Canvas cr(p);
  setColour(cr, kDarkLine);
  cairo_paint(cr);
  cairo_rectangle(cr, 2, 2, w - 4, h - 4);
  setVerticalGradient(cr, 2, h - 2, rgb(255, 230, 140), rgb(214, 154, 40));
  cairo_fill(cr);
  cairo_rectangle(cr, 6.5, 6.5, w - 13, h - 13);
  setColour(cr, rgb(150, 100, 20));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  // A play triangle in front of the word.
  cairo_move_to(cr, 30, 32);
  cairo_line_to(cr, 48, 46);
  cairo_line_to(cr, 30, 60);
  cairo_close_path(cr);
  setColour(cr, kDeepGreen);
  cairo_fill(cr);
  TextStyle style;
  style.sizePx = 36;
  style.colour = kDeepGreen;
  drawTextCentred(cr, "Start", style, 106, 46);
  return p;
}

Picture dealOverPicture() {
  const int w = layout::DealOverSize.width, h = layout::DealOverSize.height;
  Picture p("bg/hu.bg", w, h);
  Canvas cr(p);
  framedPanel(cr, w, h, 3);
  TextStyle title = creamText(30, FontFamily::Serif);
  title.colour = rgb(255, 222, 120);
  drawTextCentred(cr, "Deal over", title, w / 2.0, 28);
  TextStyle sub = creamText(13);
  sub.bold = false;
  sub.outlineWidth = 0;
  drawTextCentred(cr, "Click to go on", sub, w / 2.0, 54);
  return p;
}

Picture matchOverPicture() {
  const int w = 230, h = kDigitHeight;
  Picture p("bg/end.bg", w, h);
  Canvas cr(p);
  framedPanel(cr, w, h);
  TextStyle style = creamText(19, FontFamily::Serif);
  style.colour = rgb(255, 222, 120);
  drawTextCentred(cr, "Match over", style, w / 2.0, h / 2.0);
  return p;
}

Picture stripHeadPicture() {
  // 161 wide: the first declaration icon starts right after it.
  return panelWithText("bg/display.bg", 161, 46, "Declared", 18);
}

// ---- title picture -----------------------------------------------------------

// The title buttons fill the rectangles the screen layout presses, to the
// pixel, with a light gold rim, so the drawn button is the press area.
constexpr const char* kButtonText[3] = {"New game", "Options", "Exit"};
constexpr Rgb kTitleEdge = rgb(6, 36, 20);

// A card face drawn at `density` pixels per design pixel, so it stays sharp
// in a picture of that density.
void paintCardAt(cairo_t* cr, int suit, int rankIndex, double px, double py, double angleDeg,
                 double scale, int density) {
  cairo_surface_t* face =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, kFaceWidth * density, kFaceHeight * density);
  {
    Canvas fc(face);
    cairo_scale(fc, density, density);
    drawCardFace(fc, suit, rankIndex);
  }
  cairo_save(cr);
  cairo_translate(cr, px, py);
  cairo_rotate(cr, angleDeg * M_PI / 180);
  cairo_scale(cr, scale, scale);
  // Pivot at the bottom middle of the card, as a fan held in the hand.
  cairo_translate(cr, -kFaceWidth / 2.0, -kFaceHeight);
  // A soft shadow, then the card.
  cairo_rectangle(cr, 2, 2, kFaceWidth, kFaceHeight);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  cairo_scale(cr, 1.0 / density, 1.0 / density);
  cairo_set_source_surface(cr, face, 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(face);
}

// The title picture is the largest on screen (twice the unit), so it comes at
// twice its design size: the game draws such a picture at half the zoom, and
// it stays sharp on large screens. Everything below is in design pixels.
Picture titlePicture() {
  const int w = layout::TitleSize.width, h = layout::TitleSize.height;
  const int density = layout::TitleDensity;
  Picture p("bg/back.bg", w * density, h * density);
  Canvas cr(p);
  cairo_scale(cr, density, density);

  // Baize lit from the middle.
  cairo_pattern_t* light =
      cairo_pattern_create_radial(w / 2.0, h * 0.45, 20, w / 2.0, h * 0.45, 330);
  cairo_pattern_add_color_stop_rgb(light, 0, 0.13, 0.44, 0.25);
  cairo_pattern_add_color_stop_rgb(light, 1, 0.03, 0.17, 0.09);
  cairo_set_source(cr, light);
  cairo_paint(cr);
  cairo_pattern_destroy(light);

  // A plain dark edge, the colour of the bars beside the picture on screens
  // of another shape, then the gold border.
  setColour(cr, kTitleEdge);
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_rectangle(cr, 5, 5, w - 10, h - 10);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  setColour(cr, kGold);
  cairo_set_line_width(cr, 2);
  cairo_rectangle(cr, 7, 7, w - 14, h - 14);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, 11.5, 11.5, w - 23, h - 23);
  cairo_stroke(cr);

  // Title.
  TextStyle shadow;
  shadow.family = FontFamily::Serif;
  shadow.sizePx = 60;
  shadow.colour = rgb(4, 24, 12);
  drawTextCentred(cr, "Gub Cards", shadow, w / 2.0 + 3, 62 + 3);
  TextStyle title = shadow;
  title.colour = rgb(255, 214, 96);
  title.outlineWidth = 2;
  title.outlineColour = rgb(110, 70, 8);
  drawTextCentred(cr, "Gub Cards", title, w / 2.0, 62);

  // The four suits on cream counters under the title.
  const int suits[4] = {Spades, Hearts, Clubs, Diamonds};
  for (int i = 0; i < 4; ++i) {
    const double x = w / 2.0 + (i - 1.5) * 26, y = 109;
    cairo_arc(cr, x, y, 9.5, 0, 2 * M_PI);
    setColour(cr, kCream);
    cairo_fill(cr);
    drawSuit(cr, suits[i], x, y, 11, false, suitInk(suits[i]));
  }

  // Fans of cards either side of the buttons.
  // They keep clear of the buttons' press column (x 122 … 378).
  paintCardAt(cr, Spades, kQueen, 56, 298, -18, 0.66, density);
  paintCardAt(cr, Diamonds, kJack, 66, 300, -4, 0.66, density);
  paintCardAt(cr, Clubs, kTen, 76, 303, 10, 0.66, density);
  paintCardAt(cr, Hearts, kAce, w - 76, 303, -10, 0.66, density);
  paintCardAt(cr, Hearts, kKing, w - 66, 300, 4, 0.66, density);
  paintCardAt(cr, Spades, kAce, w - 56, 298, 18, 0.66, density);

  // Buttons.
  for (int i = 0; i < 3; ++i) {
    const layout::PictureRect& r = layout::TitleButtonRects[i];
    const double bw = r.right - r.left, bh = r.bottom - r.top;
    roundedRect(cr, r.left, r.top, bw, bh, 9);
    setColour(cr, kGold);
    cairo_fill(cr);
    roundedRect(cr, r.left + 2, r.top + 2, bw - 4, bh - 4, 7);
    setVerticalGradient(cr, r.top, r.bottom, rgb(255, 248, 226), rgb(232, 214, 164));
    cairo_fill(cr);
    TextStyle label;
    label.sizePx = 21;
    label.colour = kDeepGreen;
    drawTextCentred(cr, kButtonText[i], label, w / 2.0, r.top + bh / 2.0);
  }

  // A closing rule under the buttons.
  setColour(cr, kGold);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, 176, 330.5);
  cairo_line_to(cr, 336, 330.5);
  cairo_stroke(cr);
  TextStyle hint;
  hint.bold = false;
  hint.sizePx = 11;
  hint.colour = rgb(200, 220, 200);
  drawTextCentred(cr, "Esc leaves the game", hint, w / 2.0, 346);
  return p;
}

}  // namespace

Picture makeTablePicture() {
  // Designed as 512 × 512 and written at twice that: the near edge of the
  // table is some 1400 pixels wide at 1024 × 768 and 4000 at 4K. The light
  // and the clouds follow the design; the grain and the weave are per pixel
  // of the file, so they stay fine at any size.
  const int design = 512;
  const int density = 2;
  const int size = design * density;
  Picture p("bg/table.bg", size, size);
  cairo_surface_flush(p.surface());
  unsigned char* data = cairo_image_surface_get_data(p.surface());
  const int stride = cairo_image_surface_get_stride(p.surface());
  Noise noise(0x6eb5u);
  for (int y = 0; y < size; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < size; ++x) {
      // Baize: a faint woven grain, a slow cloudiness and a lighter middle.
      const double dx = (x + 0.5) / density, dy = (y + 0.5) / density;
      const double u = dx / design - 0.5, v = dy / design - 0.5;
      const double light = 1.0 - 0.45 * (u * u + v * v);
      const double cloud = 0.03 * std::sin(dx * 0.037 + 1.3 * std::sin(dy * 0.021)) +
                           0.025 * std::sin(dy * 0.043 + 1.1 * std::sin(dx * 0.017));
      const double weave = ((x + y) % 2 == 0 ? 0.012 : -0.012);
      const double grain = (noise.next() - 0.5) * 0.07;
      const double k = light * (1.0 + cloud + weave + grain);
      auto channel = [k](double base) {
        const double c = base * k;
        return static_cast<uint32_t>(c < 0 ? 0 : (c > 255 ? 255 : c + 0.5));
      };
      row[x] = (channel(30) << 16) | (channel(116) << 8) | channel(64);
    }
  }
  cairo_surface_mark_dirty(p.surface());
  {
    // An inlaid double line a little in from the edge of the table.
    Canvas cr(p);
    cairo_scale(cr, density, density);
    cairo_set_source_rgba(cr, 0.85, 0.72, 0.32, 0.55);
    cairo_set_line_width(cr, 2);
    cairo_rectangle(cr, 13, 13, design - 26, design - 26);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 18.5, 18.5, design - 37, design - 37);
    cairo_stroke(cr);
  }
  return p;
}

std::vector<Picture> makeOverlayPictures() {
  std::vector<Picture> pictures;
  pictures.push_back(menuPicture());
  pictures.push_back(labelPicture("bg/east.bg", "EAST"));
  pictures.push_back(labelPicture("bg/north.bg", "NORTH"));
  pictures.push_back(labelPicture("bg/west.bg", "WEST"));
  for (int d = 0; d <= 9; ++d) {
    pictures.push_back(digitPicture("bg/" + std::to_string(d) + ".bg", std::to_string(d)));
  }
  pictures.push_back(labelPicture("bg/you.bg", "YOU"));
  pictures.push_back(dealOverPicture());
  pictures.push_back(signPicture("bg/plus.bg", true));
  pictures.push_back(signPicture("bg/minus.bg", false));
  pictures.push_back(startPicture());
  pictures.push_back(matchOverPicture());
  pictures.push_back(titlePicture());
  pictures.push_back(stripHeadPicture());
  pictures.push_back(iconPicture("bg/gub.bg", Spades, "Q"));
  pictures.push_back(iconPicture("bg/sheep.bg", Diamonds, "J"));
  pictures.push_back(iconPicture("bg/double.bg", Clubs, "10"));
  pictures.push_back(iconPicture("bg/redT.bg", Hearts, "A"));
  pictures.push_back(portraitPicture("bg/meast.bg", Portrait::East));
  pictures.push_back(portraitPicture("bg/mnorth.bg", Portrait::North));
  pictures.push_back(portraitPicture("bg/mwest.bg", Portrait::West));
  return pictures;
}

}  // namespace gub::assets
