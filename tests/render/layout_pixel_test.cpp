// SPDX-License-Identifier: MIT
// The screen layout on screen: at every window shape each pressable picture
// presses exactly where it is drawn, the title picture shows whole, the
// player pictures leave the hands and the deal-over panel alone; and a 4:3
// screen shows every flat picture on the very pixels it always had.
#include <GL/gl.h>

#include <cmath>

#include "layout/screen_layout.h"
#include "pixel_fixture.h"
#include "play/turn_driver.h"
#include "render/overlays.h"
#include "shell/input.h"

namespace gub::pixeltest {
namespace {

struct ScreenSize {
  int32_t width;
  int32_t height;
};

const ScreenSize Shapes[] = {{1024, 768}, {1280, 1024}, {1920, 1080}, {1920, 1200}, {3440, 1440}};

std::string nameOf(ScreenSize size) {
  return std::to_string(size.width) + " x " + std::to_string(size.height);
}

// The pixels of one colour: their bounding box in client pixels (y down,
// inclusive) and how many there are.
struct Drawn {
  int32_t left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  int64_t count = 0;
  bool solid() const {
    return count > 0 && count == static_cast<int64_t>(right - left + 1) * (bottom - top + 1);
  }
  // Solid but for its outermost rows and columns: where a zoomed picture's
  // inner edge falls exactly on pixel centres, the texture lookup may give
  // either side's colour, row by row.
  bool nearlySolid() const {
    return count > 0 && count >= static_cast<int64_t>(right - left - 1) * (bottom - top - 1);
  }
};

Drawn drawnArea(const Frame& frame, bmp::Rgb colour) {
  Drawn d;
  for (int32_t y = 0; y < frame.height; ++y) {
    for (int32_t x = 0; x < frame.width; ++x) {
      if (!frame.is(x, y, colour)) continue;
      const int32_t clientY = frame.height - 1 - y;
      d.left = std::min(d.left, x);
      d.right = std::max(d.right, x);
      d.top = std::min(d.top, clientY);
      d.bottom = std::max(d.bottom, clientY);
      ++d.count;
    }
  }
  return d;
}

// One pixel in from each drawn edge the press acts; one pixel out it does
// not (where that pixel is still in the window).
template <class Acts>
void expectPressIsDrawn(const Drawn& d, const Frame& frame, Acts acts) {
  ASSERT_TRUE(d.nearlySolid()) << "drawn as a whole rectangle";
  const int32_t midX = (d.left + d.right) / 2, midY = (d.top + d.bottom) / 2;
  EXPECT_TRUE(acts(d.left + 1, midY)) << "left edge " << d.left;
  EXPECT_TRUE(acts(d.right - 1, midY)) << "right edge " << d.right;
  EXPECT_TRUE(acts(midX, d.top + 1)) << "top edge " << d.top;
  EXPECT_TRUE(acts(midX, d.bottom - 1)) << "bottom edge " << d.bottom;
  if (d.left > 0) {
    EXPECT_FALSE(acts(d.left - 1, midY)) << "left of " << d.left;
  }
  if (d.right < frame.width - 1) {
    EXPECT_FALSE(acts(d.right + 1, midY)) << "right of " << d.right;
  }
  if (d.top > 0) {
    EXPECT_FALSE(acts(midX, d.top - 1)) << "above " << d.top;
  }
  if (d.bottom < frame.height - 1) {
    EXPECT_FALSE(acts(midX, d.bottom + 1)) << "below " << d.bottom;
  }
}

TEST_F(PixelTest, MenuAndStartPressWhereTheyAreDrawn) {
  for (const ScreenSize size : Shapes) {
    SCOPED_TRACE(nameOf(size));
    GameState game = emptyTable(PhaseDeclaring);
    Settings settings;
    ViewState view;
    const Frame frame = draw(game, settings, view, size.width, size.height);
    const int32_t w = size.width, h = size.height;
    {
      SCOPED_TRACE("Menu");
      expectPressIsDrawn(drawnArea(frame, overlay(PictureMenu)), frame,
                         [&](int32_t x, int32_t y) { return isOnCornerButton(w, h, x, y); });
    }
    {
      SCOPED_TRACE("Start");
      expectPressIsDrawn(drawnArea(frame, overlay(PictureCancel)), frame,
                         [&](int32_t x, int32_t y) { return IsOnStartButton(w, h, x, y); });
    }
  }
}

// A title picture whose buttons, heading and ground are each one colour.
constexpr bmp::Rgb TitleGround{0, 90, 60};
constexpr bmp::Rgb Heading{0, 220, 120};
constexpr bmp::Rgb ButtonColours[3] = {{0, 200, 250}, {0, 170, 250}, {0, 140, 250}};
constexpr layout::PictureRect HeadingRect{96, 16, 416, 118};

// At `density` picture pixels per design pixel.
bool writeTitlePicture(const std::string& folder, int32_t density) {
  const layout::Size s = layout::TitleSize;
  auto inside = [](const layout::PictureRect& r, int32_t x, int32_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  };
  return bmp::writeFile(
      folder + "/bg/back.bg",
      bmp::make(s.width * density, s.height * density, [&](int32_t px, int32_t pyUp) {
        const int32_t x = px / density, y = s.height - 1 - pyUp / density;
        for (int32_t i = 0; i < 3; ++i) {
          if (inside(layout::TitleButtonRects[i], x, y)) return ButtonColours[i];
        }
        return inside(HeadingRect, x, y) ? Heading : TitleGround;
      }));
}

TEST_F(PixelTest, TitleShowsWholeAndItsButtonsPressWhereTheyAreDrawn) {
  constexpr TitleButton Buttons[3] = {TitleButton::NewGame, TitleButton::Options,
                                      TitleButton::Exit};
  for (int32_t density : {1, layout::TitleDensity}) {
    ASSERT_TRUE(writeTitlePicture(folder_, density));
    createRenderer();
    for (const ScreenSize size : Shapes) {
      SCOPED_TRACE(nameOf(size) + ", density " + std::to_string(density));
      GameState game = emptyTable(PhasePlaying);
      Settings settings;
      ViewState view;
      const Frame frame = draw(game, settings, view, size.width, size.height, ScreenTitle);
      const int32_t w = size.width, h = size.height;
      const double zoom = 2.0 * std::min(w / 1024.0, h / 768.0);

      // The heading whole: its full width and height on screen.
      const Drawn heading = drawnArea(frame, Heading);
      ASSERT_TRUE(heading.nearlySolid());
      EXPECT_NEAR(heading.right - heading.left + 1, (HeadingRect.right - HeadingRect.left) * zoom,
                  1.0);
      EXPECT_NEAR(heading.bottom - heading.top + 1, (HeadingRect.bottom - HeadingRect.top) * zoom,
                  1.0);
      // Picture and bars together fill the window with nothing else.
      EXPECT_TRUE(colourIs(frame, 0, 0, TitleGround));
      EXPECT_TRUE(colourIs(frame, w - 1, h - 1, TitleGround));
      EXPECT_TRUE(colourIs(frame, 0, h - 1, TitleGround));
      EXPECT_TRUE(colourIs(frame, w - 1, 0, TitleGround));

      for (int32_t i = 0; i < 3; ++i) {
        SCOPED_TRACE("button " + std::to_string(i));
        expectPressIsDrawn(drawnArea(frame, ButtonColours[i]), frame, [&](int32_t x, int32_t y) {
          return titleButtonAt(w, h, x, y) == Buttons[i];
        });
      }
    }
  }
}

// The player pictures and the deal-over panel at the sizes the game's own
// pictures have.
void writeLayoutSizedPictures(const std::string& folder) {
  for (int32_t p : {PictureMEast, PictureMNorth, PictureMWest}) {
    ASSERT_TRUE(bmp::writeFile(
        folder + "/" + OverlayFileNames[p],
        bmp::solid(layout::PortraitSize.width, layout::PortraitSize.height, overlay(p))));
  }
  ASSERT_TRUE(bmp::writeFile(
      folder + "/" + OverlayFileNames[PictureHu],
      bmp::solid(layout::DealOverSize.width, layout::DealOverSize.height, overlay(PictureHu))));
}

TEST_F(PixelTest, NoPlayerPictureCoversTheDealOverPanel) {
  writeLayoutSizedPictures(folder_);
  const ScreenSize sizes[] = {{800, 600},   {1024, 768},  {1600, 1200}, {1280, 1024},
                              {1920, 1080}, {1920, 1200}, {3440, 1440}, {1366, 768}};
  for (const ScreenSize size : sizes) {
    SCOPED_TRACE(nameOf(size));
    GameState game = emptyTable(PhaseDealOver);
    Settings settings;
    ViewState view;
    const Frame frame = draw(game, settings, view, size.width, size.height);
    const Drawn panel = drawnArea(frame, overlay(PictureHu));
    EXPECT_TRUE(panel.solid());
    const double u = layout::computeScreenLayout(size.width, size.height).unit;
    EXPECT_NEAR(panel.right - panel.left + 1, layout::DealOverSize.width * u, 1.0);
    EXPECT_NEAR(panel.bottom - panel.top + 1, layout::DealOverSize.height * u, 1.0);
  }
}

// A hand pixel: a face or a back of the plain set, lit.
bool isCard(bmp::Rgb p) {
  return testkit::cardFromColour(p.r, p.g, p.b) >= 0 || (p.r == 0 && p.g == 0 && p.b > 60);
}

TEST_F(PixelTest, NoPlayerPictureCoversAHandOnWideScreens) {
  writeLayoutSizedPictures(folder_);
  GameState game = emptyTable(PhasePlaying);
  for (int32_t seat = 0; seat < 4; ++seat) {
    for (int32_t i = 0; i < OneDeckHandSize; ++i) game.oneDeckHands[seat][i] = seat * 13 + i;
  }
  Settings settings;
  for (const ScreenSize size : {ScreenSize{1920, 1080}, ScreenSize{1920, 1200},
                                ScreenSize{2560, 1440}, ScreenSize{1280, 800}}) {
    SCOPED_TRACE(nameOf(size));
    ViewState view;
    createRenderer();
    const Frame with = draw(game, settings, view, size.width, size.height);
    for (int32_t p : {PictureMEast, PictureMNorth, PictureMWest}) {
      ASSERT_EQ(unlink((folder_ + "/" + OverlayFileNames[p]).c_str()), 0);
    }
    createRenderer();
    const Frame without = draw(game, settings, view, size.width, size.height);
    writeLayoutSizedPictures(folder_);
    int32_t hidden = 0, cards = 0;
    for (int32_t y = 0; y < size.height; ++y) {
      for (int32_t x = 0; x < size.width; ++x) {
        if (!isCard(without.at(x, y))) continue;
        ++cards;
        const bmp::Rgb a = with.at(x, y), b = without.at(x, y);
        hidden += a.r != b.r || a.g != b.g || a.b != b.b ? 1 : 0;
      }
    }
    EXPECT_GT(cards, 10000);
    EXPECT_EQ(hidden, 0) << "card pixels under a player picture";
  }
}

// The flat pictures as a 4:3 screen has always placed them, drawn straight
// from their long-standing formulas (u = W / 1024 in single precision), for
// comparison with what the layout-driven drawing shows.
class FourByThreeReference {
 public:
  FourByThreeReference(const OverlayPictures& pictures, int32_t width, int32_t height)
      : pictures_(pictures), w_(width), h_(height) {
    q_ = 3.0 * std::tan(22.5 * 3.14159265358979323846 / 180.0);
    r_ = static_cast<double>(width) / height * q_;
    u_ = static_cast<float>(width) * 0.0009765625f;
  }

  void title() {
    begin(2.0 * u_);
    at(PictureBack, 0, 0);
    end();
  }

  void table(const GameState& game, const Settings& settings) {
    const double w = w_, h = h_, u = u_;
    begin(u);
    at(PictureDisplay, 0, h - 46 * u);
    const int32_t mults[4] = {game.gubMult, game.heartsMult, game.doubleMult, game.sheepMult};
    const int32_t icons[4] = {PictureGub, PictureRedT, PictureDouble, PictureSheep};
    int32_t shown = 0;
    for (int32_t i = 0; i < 4; ++i) {
      if (mults[i] > 1) {
        ++shown;
        at(icons[i], 92 * u + 69 * u * shown, h - 46 * u);
      }
    }
    at(PictureMenu, w - 92 * u, h - 46 * u);
    number(game.matchTotal[0], -0.3, eyeY(0), PictureYou);
    number(game.matchTotal[1], eyeX(w - 69 * u), eyeY(h - 130 * u), PictureEast);
    at(PictureMEast, w - 130 * u, h - 288 * u);
    number(game.matchTotal[2], eyeX(w / 2 + 46 * u), eyeY(h - 96 * u), PictureNorth);
    at(PictureMNorth, w / 2 + 69 * u, h - 168 * u);
    number(game.matchTotal[3], eyeX(161 * u), eyeY(h - 130 * u), PictureWest);
    at(PictureMWest, 0, h - 288 * u);
    if (game.phase == PhaseDealOver) {
      at(PictureHu, w / 2 - 276 * u, h - 240 * u);
      number(game.dealScore[0], -0.3, eyeY(48 * u), NoPicture);
      number(game.dealScore[1], eyeX(w - 23 * u), eyeY(h - 336 * u), NoPicture);
      number(game.dealScore[2], eyeX(w / 2 + 46 * u), eyeY(h - 144 * u), NoPicture);
      number(game.dealScore[3], eyeX(109 * u), eyeY(h - 336 * u), NoPicture);
    } else if (game.phase == PhaseDeclaring) {
      at(PictureCancel, w / 2 - 92 * u, h / 2 - 46 * u);
    } else if (game.phase == PhaseMatchOver) {
      const int32_t labels[4] = {PictureYou, PictureEast, PictureNorth, PictureWest};
      double x = w / 2 - 276 * u;
      for (int32_t seat = 0; seat < 4; ++seat) {
        if (game.matchTotal[seat] <= -settings.maxScore) {
          at(labels[seat], x, h - 240 * u);
          x += 69 * u;
        }
      }
      at(PictureEnd, x, h - 240 * u);
    }
    end();
  }

 private:
  double eyeX(double x) const { return -r_ + 2.0 * r_ * (x + 1.0 / 16.0) / w_; }
  double eyeY(double y) const { return -q_ + 2.0 * q_ * (y + 1.0 / 16.0) / h_; }
  void begin(double zoom) {
    glPushMatrix();
    glTranslated(0, 0, -3);
    glDisable(GL_TEXTURE_2D);
    glPixelZoom(static_cast<float>(zoom), static_cast<float>(zoom));
  }
  void end() {
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
  }
  void atEye(int32_t picture, double x, double y) {
    if (picture == NoPicture) return;
    const OverlayImage& image = pictures_.images[picture];
    glRasterPos2d(x, y);
    glDrawPixels(image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.get());
  }
  void at(int32_t picture, double x, double y) { atEye(picture, eyeX(x), eyeY(y)); }
  void number(int32_t value, double startX, double y, int32_t label) {
    const double step = 2.0 * r_ * (23.0 * static_cast<double>(u_)) / w_;
    int32_t rest = std::abs(value), digits = 0;
    do {
      atEye(PictureDigit0 + rest % 10, startX - step * digits, y);
      rest /= 10;
      ++digits;
    } while (rest != 0);
    if (value != 0) atEye(value < 0 ? PictureMinus : PicturePlus, startX - step * (digits + 1), y);
    atEye(label, startX - step * (value != 0 ? digits + 3 : digits + 1), y);
  }

  const OverlayPictures& pictures_;
  int32_t w_, h_;
  double q_, r_;
  float u_;
};

// The plain set's overlay colours are (0, 40 + 7 p, 250 - 3 p).
bool isOverlayColour(bmp::Rgb p) {
  if (p.r != 0 || p.g < 40 || (p.g - 40) % 7 != 0) return false;
  const int32_t picture = (p.g - 40) / 7;
  return picture < PictureCount && p.b == 250 - 3 * picture;
}

TEST_F(PixelTest, FourByThreeScreensShowEveryFlatPictureOnItsLongStandingPixels) {
  OverlayPictures pictures;
  pictures.loadAll();
  std::vector<GameState> states;
  GameState game = testkit::midDealOneDeck();
  game.heartsMult = game.doubleMult = 2;
  states.push_back(game);
  game = emptyTable(PhaseDeclaring);
  game.matchTotal[0] = 40;
  game.matchTotal[1] = -1090;
  game.sheepMult = 2;
  states.push_back(game);
  game.phase = PhaseDealOver;
  game.dealScore[0] = -25;
  game.dealScore[1] = 110;
  game.dealScore[3] = -85;
  states.push_back(game);
  game.phase = PhaseMatchOver;
  game.matchTotal[2] = -1000;
  states.push_back(game);
  Settings settings;
  for (const ScreenSize size :
       {ScreenSize{800, 600}, ScreenSize{1024, 768}, ScreenSize{1600, 1200}}) {
    SCOPED_TRACE(nameOf(size));
    FourByThreeReference reference(pictures, size.width, size.height);
    ViewState view;
    Frame drawn = draw(states[0], settings, view, size.width, size.height, ScreenTitle);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    reference.title();
    EXPECT_TRUE(drawn.rgb == context_->readPixels()) << "title screen";

    for (GameState& state : states) {
      SCOPED_TRACE("phase " + std::to_string(state.phase));
      drawn = draw(state, settings, view, size.width, size.height);
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      reference.table(state, settings);
      Frame expected = drawn;
      expected.rgb = context_->readPixels();
      int32_t flat = 0, different = 0;
      for (int32_t y = 0; y < size.height; ++y) {
        for (int32_t x = 0; x < size.width; ++x) {
          const bool a = isOverlayColour(drawn.at(x, y)), b = isOverlayColour(expected.at(x, y));
          if (!a && !b) continue;
          ++flat;
          const bmp::Rgb p = drawn.at(x, y), q = expected.at(x, y);
          different += p.r != q.r || p.g != q.g || p.b != q.b ? 1 : 0;
        }
      }
      EXPECT_GT(flat, 20000);
      EXPECT_EQ(different, 0);
    }
  }
}

}  // namespace
}  // namespace gub::pixeltest
