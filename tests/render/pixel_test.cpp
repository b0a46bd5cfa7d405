// SPDX-License-Identifier: MIT
// Frames drawn by the renderer and read back: where the flat pictures land,
// the title screen, which side of each card is seen, and a clean GL state.
#include <GL/gl.h>

#include "pixel_fixture.h"
#include "render/overlays.h"

namespace gub::pixeltest {
namespace {

constexpr bmp::Rgb Red{255, 0, 0};
constexpr bmp::Rgb Green{0, 255, 0};

bool isAnyOverlay(bmp::Rgb p) {
  for (int32_t i = 0; i < PictureCount; ++i) {
    const bmp::Rgb c = overlay(i);
    if (p.r == c.r && p.g == c.g && p.b == c.b) return true;
  }
  return false;
}

bool isClearColour(bmp::Rgb p) { return p.r >= 121 && p.r <= 123 && p.g == 0 && p.b == 0; }

// Checks a picture of `w` x `h` design pixels drawn at window (x, y) with unit
// u: its corners carry its colour and the pixels just outside do not.
void expectPictureAt(const Frame& frame, int32_t picture, int32_t x, int32_t y, int32_t w,
                     int32_t h, int32_t u) {
  SCOPED_TRACE("picture " + std::to_string(picture) + " at (" + std::to_string(x) + ", " +
               std::to_string(y) + ")");
  const bmp::Rgb c = overlay(picture);
  EXPECT_TRUE(colourIs(frame, x, y, c));
  EXPECT_TRUE(colourIs(frame, x + w * u - 1, y + h * u - 1, c));
  if (x > 0) {
    EXPECT_FALSE(frame.is(x - 1, y, c));
  }
  if (y > 0) {
    EXPECT_FALSE(frame.is(x, y - 1, c));
  }
  if (x + w * u < frame.width) {
    EXPECT_FALSE(frame.is(x + w * u, y + h * u - 1, c));
  }
}

TEST_F(PixelTest, ButtonsAndSeatOneDigitSitWhereTheLayoutSays) {
  GameState game = emptyTable(PhaseDeclaring);
  game.matchTotal[1] = 5;
  Settings settings;
  ViewState view;
  const Frame frame = draw(game, settings, view, 1024, 768);
  expectPictureAt(frame, PictureCancel, 420, 338, 184, 92, 1);
  expectPictureAt(frame, PictureMenu, 932, 722, 92, 46, 1);
  expectPictureAt(frame, PictureDigit0 + 5, 955, 638, 23, 23, 1);
  // The menu corner reaches the window's top right pixel.
  EXPECT_TRUE(colourIs(frame, 1023, 767, overlay(PictureMenu)));
}

TEST_F(PixelTest, ScoreNumbersComposeRightToLeftAndScaleWithTheWidth) {
  for (int32_t u : {1, 2}) {
    SCOPED_TRACE("u = " + std::to_string(u));
    const int32_t w = 1024 * u;
    const int32_t h = 768 * u;
    GameState game = emptyTable(PhasePlaying);
    game.matchTotal[1] = -150;
    game.matchTotal[2] = 0;
    game.matchTotal[3] = 7;
    Settings settings;
    ViewState view;
    const Frame frame = draw(game, settings, view, w, h);

    // Seat 1: digits 0, 5, 1 at p0..p2, minus at p4, label at p6.
    const int32_t east[7] = {PictureDigit0, PictureDigit0 + 5, PictureDigit0 + 1, NoPicture,
                             PictureMinus,  NoPicture,         PictureEast};
    for (int32_t k = 0; k < 7; ++k) {
      const int32_t x = w - 69 * u - 23 * u * k;
      const int32_t y = h - 130 * u;
      if (east[k] == NoPicture) {
        EXPECT_FALSE(isAnyOverlay(frame.at(x + 11 * u, y + 11 * u))) << "east p" << k;
      } else {
        expectPictureAt(frame, east[k], x, y, 23, 23, u);
      }
    }
    // Seat 2, value 0: the digit at p0, no sign, the label at p2.
    const int32_t north[3] = {PictureDigit0, NoPicture, PictureNorth};
    for (int32_t k = 0; k < 3; ++k) {
      const int32_t x = w / 2 + 46 * u - 23 * u * k;
      const int32_t y = h - 96 * u;
      if (north[k] == NoPicture) {
        EXPECT_FALSE(isAnyOverlay(frame.at(x + 11 * u, y + 11 * u))) << "north p" << k;
      } else {
        expectPictureAt(frame, north[k], x, y, 23, 23, u);
      }
    }
    // Seat 3, value 7: digit at p0, plus at p2, label at p4.
    expectPictureAt(frame, PictureDigit0 + 7, 161 * u, h - 130 * u, 23, 23, u);
    expectPictureAt(frame, PicturePlus, 161 * u - 46 * u, h - 130 * u, 23, 23, u);
    expectPictureAt(frame, PictureWest, 161 * u - 92 * u, h - 130 * u, 23, 23, u);
    // Player pictures.
    expectPictureAt(frame, PictureMEast, w - 130 * u, h - 288 * u, 128, 128, u);
    expectPictureAt(frame, PictureMNorth, w / 2 + 69 * u, h - 168 * u, 128, 128, u);
    expectPictureAt(frame, PictureMWest, 0, h - 288 * u, 128, 128, u);
  }
}

TEST_F(PixelTest, SouthTotalsRunLeftFromAFixedEyePointOnTheBottomEdge) {
  GameState game = emptyTable(PhasePlaying);
  game.matchTotal[0] = 3;
  Settings settings;
  ViewState view;
  const Frame frame = draw(game, settings, view, 1024, 768);
  // Eye x -0.3 on the plane at distance 3 is window x 419.29 here.
  const double halfWidth = view.aspectRatio * 3.0 * std::tan(22.5 * 3.14159265358979 / 180.0);
  const int32_t x = static_cast<int32_t>(std::ceil((1.0 - 0.3 / halfWidth) * 512.0 - 0.5));
  EXPECT_TRUE(colourIs(frame, x, 0, overlay(PictureDigit0 + 3)));
  EXPECT_TRUE(colourIs(frame, x + 22, 22, overlay(PictureDigit0 + 3)));
  EXPECT_FALSE(frame.is(x - 1, 0, overlay(PictureDigit0 + 3)));
  EXPECT_TRUE(colourIs(frame, x - 46, 0, overlay(PicturePlus)));
  EXPECT_TRUE(colourIs(frame, x - 92, 0, overlay(PictureYou)));
}

TEST_F(PixelTest, DeclarationStripPacksIconsFromTheLeft) {
  Settings settings;
  ViewState view;
  GameState game = emptyTable(PhasePlaying);
  game.gubMult = game.heartsMult = game.doubleMult = game.sheepMult = 2;
  Frame frame = draw(game, settings, view, 1024, 768);
  expectPictureAt(frame, PictureDisplay, 0, 722, 161, 46, 1);
  expectPictureAt(frame, PictureGub, 161, 722, 69, 46, 1);
  expectPictureAt(frame, PictureRedT, 230, 722, 69, 46, 1);
  expectPictureAt(frame, PictureDouble, 299, 722, 69, 46, 1);
  expectPictureAt(frame, PictureSheep, 368, 722, 69, 46, 1);

  game.gubMult = game.heartsMult = game.doubleMult = 1;
  frame = draw(game, settings, view, 1024, 768);
  expectPictureAt(frame, PictureSheep, 161, 722, 69, 46, 1);
  EXPECT_EQ(frame.count(overlay(PictureGub)), 0);
  EXPECT_FALSE(isAnyOverlay(frame.at(240, 740)));
}

TEST_F(PixelTest, PicturesOnTheLeftAndBottomEdgesAreNotDropped) {
  Settings settings;
  struct Size {
    int32_t w;
    int32_t h;
  };
  for (const Size size : {Size{1024, 768}, Size{1366, 768}, Size{1920, 1080}, Size{1000, 700}}) {
    SCOPED_TRACE(std::to_string(size.w) + " x " + std::to_string(size.h));
    GameState game = emptyTable(PhasePlaying);
    ViewState view;
    Frame frame = draw(game, settings, view, size.w, size.h);
    const layout::ScreenLayout screen = layout::computeScreenLayout(size.w, size.h);
    const int32_t westY = static_cast<int32_t>(std::ceil(screen.portraits[3].y));
    EXPECT_TRUE(colourIs(frame, 0, westY + 1, overlay(PictureMWest)));
    const int32_t stripY = static_cast<int32_t>(std::ceil(screen.stripHead.y));
    EXPECT_TRUE(colourIs(frame, 0, stripY + 1, overlay(PictureDisplay)));

    // The title picture, twice the unit, with bars of its own edge colour
    // where it leaves any: the corners show it.
    frame = draw(game, settings, view, size.w, size.h, ScreenTitle);
    EXPECT_TRUE(colourIs(frame, 0, 0, overlay(PictureBack)));
    EXPECT_TRUE(colourIs(frame, size.w - 1, 0, overlay(PictureBack)));
  }
}

TEST_F(PixelTest, DealOverAndMatchOverPanels) {
  Settings settings;
  ViewState view;
  GameState game = emptyTable(PhaseDealOver);
  game.dealScore[1] = 20;
  game.dealScore[3] = -4;
  Frame frame = draw(game, settings, view, 1024, 768);
  expectPictureAt(frame, PictureHu, 236, 528, 552, 92, 1);
  expectPictureAt(frame, PictureDigit0, 1001, 432, 23, 23, 1);
  expectPictureAt(frame, PictureDigit0 + 2, 978, 432, 23, 23, 1);
  expectPictureAt(frame, PicturePlus, 932, 432, 23, 23, 1);
  expectPictureAt(frame, PictureDigit0 + 4, 109, 432, 23, 23, 1);
  expectPictureAt(frame, PictureMinus, 63, 432, 23, 23, 1);
  EXPECT_EQ(frame.count(overlay(PictureCancel)), 0);

  game = emptyTable(PhaseMatchOver);
  settings.maxScore = 1000;
  game.matchTotal[0] = -1000;
  game.matchTotal[1] = 5;
  game.matchTotal[2] = -1200;
  game.matchTotal[3] = -999;
  frame = draw(game, settings, view, 1024, 768);
  // Seats at or below the limit, in seat order, then the end marker.
  expectPictureAt(frame, PictureYou, 236, 528, 23, 23, 1);
  expectPictureAt(frame, PictureNorth, 305, 528, 23, 23, 1);
  expectPictureAt(frame, PictureEnd, 374, 528, 69, 46, 1);
  EXPECT_EQ(frame.count(overlay(PictureWest)), 23 * 23);  // only its seat label
}

TEST_F(PixelTest, TitleScreenShowsTheTitlePictureAlone) {
  // A title picture a quarter of the design size leaves the rest of the
  // window to show anything else that might be drawn.
  ASSERT_TRUE(bmp::writeFile(folder_ + "/bg/back.bg", bmp::solid(256, 192, {0, 200, 200})));
  GameState game = testkit::midDealOneDeck();
  game.gubTakerSeat = -1;
  game.trickHistory[0].cards[0] = CardGub;  // seat 1 took the gub card
  Settings settings;
  ViewState view;
  const Frame frame = draw(game, settings, view, 1024, 768, ScreenTitle);
  int32_t title = 0;
  int32_t other = 0;
  for (int32_t y = 0; y < 768; ++y) {
    for (int32_t x = 0; x < 1024; ++x) {
      const bmp::Rgb p = frame.at(x, y);
      if (x < 512 && y < 384) {
        title += frame.is(x, y, {0, 200, 200}) ? 1 : 0;
      } else {
        other += isClearColour(p) ? 0 : 1;
      }
    }
  }
  EXPECT_EQ(title, 512 * 384);
  EXPECT_EQ(other, 0);
  EXPECT_EQ(game.gubTakerSeat, -1);  // no taken lists were built

  // The game screen of the same record does follow the gub card's taker.
  draw(game, settings, view, 1024, 768, ScreenGame);
  EXPECT_EQ(game.gubTakerSeat, game.trickHistory[0].winner);
}

TEST_F(PixelTest, DeclaredTakenAndTrickCardsLieFaceUpAndHandsShowBacks) {
  Settings settings;
  ViewState view;

  GameState game = emptyTable(PhaseDeclaring);
  game.declarations[DeclGub] = {2, CardGub};
  game.declarations[DeclHeartAce] = {0, CardHeartAce};
  const int32_t north[3] = {30, 31, 33};
  for (int32_t i = 0; i < 3; ++i) game.oneDeckHands[2][i] = north[i];
  Frame frame = draw(game, settings, view, 1024, 768);
  EXPECT_GT(frame.countCard(CardGub), 300);
  EXPECT_GT(frame.countCard(CardHeartAce), 300);
  for (int32_t card : north) EXPECT_EQ(frame.countCard(card), 0) << "north holds " << card;

  game = emptyTable(PhaseDealOver);
  game.trickNumber = 1;
  game.trickHistory[0] = {1, {CardSheep, 4, 8, 12}, {-1, -1, -1, -1}};
  frame = draw(game, settings, view, 1024, 768);
  EXPECT_GT(frame.countCard(CardSheep), 300);
  for (int32_t card : {4, 8, 12}) EXPECT_EQ(frame.countCard(card), 0) << "pile card " << card;

  game = emptyTable(PhasePlaying);
  game.currentTrick[0] = {2, 20, -1};
  game.currentTrick[1] = {3, 21, -1};
  game.currentTrick[2] = {0, 22, -1};
  game.currentTrick[3] = {1, 23, -1};
  frame = draw(game, settings, view, 1024, 768);
  for (int32_t card : {20, 21, 22, 23}) EXPECT_GT(frame.countCard(card), 300) << card;

  // Two decks: pairs in the trick, both cards of each face up.
  settings.twoDecks = 1;
  game.currentTrick[0] = {0, 20, 24};
  game.currentTrick[1] = {1, 21, 25};
  game.currentTrick[2] = {2, 22, 26};
  game.currentTrick[3] = {3, 23, 27};
  frame = draw(game, settings, view, 1024, 768);
  for (int32_t card = 20; card < 28; ++card) EXPECT_GT(frame.countCard(card), 100) << card;
}

TEST_F(PixelTest, PairsInTheTrickShowTheirTopCardWhole) {
  // The two cards of a pair overlap, and the second lies on top: all of it
  // shows, and under half of the first (allowing for perspective). Along every screen line through
  // the pair in the direction it is laid out (rows for south and north,
  // columns for east and west) the two cards meet once: cards fighting for
  // the same depth break each other up into stripes and specks.
  Settings settings;
  settings.twoDecks = 1;
  GameState game = emptyTable(PhasePlaying);
  game.currentTrick[0] = {0, 20, 24};
  game.currentTrick[1] = {1, 21, 25};
  game.currentTrick[2] = {2, 29, 33};
  game.currentTrick[3] = {3, 30, 34};
  for (float zoom : {1.0f, 0.5f, 1.6f}) {
    ViewState view;
    for (float& scale : view.zoomScale) scale = zoom;
    const Frame frame = draw(game, settings, view, 1024, 768);
    for (const TrickPlay& play : game.currentTrick) {
      SCOPED_TRACE("seat " + std::to_string(play.seat) + ", zoom " + std::to_string(zoom));
      EXPECT_GT(2 * frame.countCard(play.second), 3 * frame.countCard(play.card));
      EXPECT_GT(frame.countCard(play.card), 100);
      const bool rows = play.seat % 2 == 0;
      const int32_t lines = rows ? frame.height : frame.width;
      const int32_t length = rows ? frame.width : frame.height;
      int32_t linesWithBoth = 0;
      for (int32_t line = 0; line < lines; ++line) {
        int32_t changes = 0;
        int32_t last = -1;
        bool first = false;
        bool second = false;
        for (int32_t i = 0; i < length; ++i) {
          const bmp::Rgb p = rows ? frame.at(i, line) : frame.at(line, i);
          const int32_t card = testkit::cardFromColour(p.r, p.g, p.b);
          if (card != play.card && card != play.second) continue;
          (card == play.card ? first : second) = true;
          if (last != -1 && card != last) ++changes;
          last = card;
        }
        if (!first || !second) continue;
        ++linesWithBoth;
        EXPECT_EQ(changes, 1) << "line " << line;
      }
      EXPECT_GT(linesWithBoth, 20);
    }
  }
}

TEST_F(PixelTest, RedCardFaceIsRedAndUpright) {
  // The ace of hearts (file 27): the top of its visible part red, the rest green.
  ASSERT_TRUE(bmp::writeFile(folder_ + "/crd/27.crd", bmp::make(128, 128, [](int32_t, int32_t y) {
                               return y >= 80 ? Red : Green;
                             })));
  GameState game = emptyTable(PhasePlaying);
  game.oneDeckHands[0][0] = CardHeartAce;
  Settings settings;
  ViewState view;
  const Frame frame = draw(game, settings, view, 1024, 768);
  const double left = -geometry::RowOffset + geometry::CardSpacing;
  const double middle = left + geometry::CardWidth / 2;
  const double face = geometry::RowDepth + geometry::CardThickness;
  double x = 0;
  double y = 0;
  project(view, middle, 0.85, face, x, y);
  const bmp::Rgb top = frame.at(static_cast<int32_t>(x), static_cast<int32_t>(y));
  EXPECT_GT(top.r, 120);
  EXPECT_LT(top.g, 20);
  EXPECT_LT(top.b, 20);
  project(view, middle, 0.15, face, x, y);
  const bmp::Rgb bottom = frame.at(static_cast<int32_t>(x), static_cast<int32_t>(y));
  EXPECT_GT(bottom.g, 120);
  EXPECT_LT(bottom.r, 20);
  EXPECT_LT(bottom.b, 20);
}

TEST_F(PixelTest, RaisedCardStandsAboveItsNeighbours) {
  GameState game = emptyTable(PhasePlaying);
  for (int32_t i = 0; i < TwoDeckHandSize; ++i) game.twoDeckHands[0][i] = i;
  game.raised[5] = 1;
  Settings settings;
  settings.twoDecks = 1;
  ViewState view;
  const Frame frame = draw(game, settings, view, 1024, 768);
  int32_t top[TwoDeckHandSize];
  for (int32_t& t : top) t = -1;
  for (int32_t y = 0; y < frame.height; ++y) {
    for (int32_t x = 0; x < frame.width; ++x) {
      const bmp::Rgb p = frame.at(x, y);
      const int32_t card = testkit::cardFromColour(p.r, p.g, p.b);
      if (card >= 0 && card < TwoDeckHandSize) top[card] = y;
    }
  }
  EXPECT_GT(top[5], top[4] + 8);
  EXPECT_GT(top[5], top[6] + 8);
  EXPECT_NEAR(top[4], top[6], 1);
}

TEST_F(PixelTest, PileShowsOnlyBacksAndGrowsWithTricks) {
  Settings settings;
  ViewState view;
  auto backPixels = [](const Frame& frame) {
    int32_t n = 0;
    for (int32_t y = 0; y < frame.height; ++y) {
      for (int32_t x = 0; x < frame.width; ++x) {
        const bmp::Rgb p = frame.at(x, y);
        n += p.r == 0 && p.g == 0 && p.b > 60 ? 1 : 0;
      }
    }
    return n;
  };
  GameState game = emptyTable(PhasePlaying);
  const int32_t none = backPixels(draw(game, settings, view, 1024, 768));
  EXPECT_EQ(none, 0);

  // Tricks of cards that score nothing all go to the pile.
  const int32_t plain[] = {0, 1, 3, 4, 5, 8, 9, 11, 12, 13};
  game.trickNumber = 2;
  game.trickHistory[0] = {1, {plain[0], plain[1], plain[2], plain[3]}, {-1, -1, -1, -1}};
  game.trickHistory[1] = {2, {plain[4], plain[5], plain[6], plain[7]}, {-1, -1, -1, -1}};
  const int32_t eight = backPixels(draw(game, settings, view, 1024, 768));
  EXPECT_GT(eight, 1000);
  for (int32_t card : plain) EXPECT_EQ(draw(game, settings, view, 1024, 768).countCard(card), 0);

  // Thirteen tricks make a second row further back: more backs again.
  game.trickNumber = 13;
  for (int32_t t = 2; t < 13; ++t) game.trickHistory[t] = {0, {0, 1, 3, 4}, {-1, -1, -1, -1}};
  const int32_t full = backPixels(draw(game, settings, view, 1024, 768));
  EXPECT_GT(full, eight * 3 / 2);
}

TEST_F(PixelTest, NoGlErrorAfterCreationResizeOrAnyFrame) {
  while (glGetError() != GL_NO_ERROR) {
  }
  createRenderer();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  Settings settings;
  ViewState view;
  GameState game = testkit::midDealOneDeck();
  for (int32_t mode : {ScreenTitle, ScreenGame}) {
    for (int32_t phase : {PhaseDeclaring, PhasePlaying, PhaseDealOver, PhaseMatchOver}) {
      for (int32_t decks : {0, 1}) {
        game.phase = phase;
        settings.twoDecks = decks;
        draw(game, settings, view, 1024, 768, mode);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR))
            << "mode " << mode << " phase " << phase << " decks " << decks;
      }
    }
  }
  // Height 0: the aspect ratio becomes the width; the next resize recovers.
  renderer_->resize(view, 640, 0);
  EXPECT_DOUBLE_EQ(view.aspectRatio, 640.0);
  renderer_->drawScene(game, settings, view, ScreenGame);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  game.phase = PhaseDeclaring;
  const Frame frame = draw(game, settings, view, 1024, 768);
  EXPECT_DOUBLE_EQ(view.aspectRatio, 1024.0 / 768.0);
  expectPictureAt(frame, PictureCancel, 420, 338, 184, 92, 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  // Teardown twice, and teardown of a renderer that never made anything.
  renderer_->releaseGl();
  renderer_->releaseGl();
  Renderer unused;
  unused.releaseGl();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(PixelTest, MissingOrDamagedPicturesDrawNothing) {
  ASSERT_EQ(unlink((folder_ + "/bg/menu.bg").c_str()), 0);
  // The start button's rows stop halfway; the queen of spades (file 51)
  // claims a size of 0 for its rows and holds none of them.
  std::vector<uint8_t> cut = bmp::solid(184, 92, overlay(PictureCancel));
  cut.resize(cut.size() / 2);
  ASSERT_TRUE(bmp::writeFile(folder_ + "/bg/cancel.bg", cut));
  std::vector<uint8_t> empty = bmp::solid(16, 16, testkit::cardColour(CardGub));
  bmp::putU32(empty, 34, 0);
  empty.resize(54);
  ASSERT_TRUE(bmp::writeFile(folder_ + "/crd/51.crd", empty));
  createRenderer();
  EXPECT_EQ(loaderMessages(),
            (std::vector<std::string>{"Error during reading image", "File format error!"}));

  GameState game = emptyTable(PhaseDeclaring);
  game.oneDeckHands[0][0] = CardGub;
  game.oneDeckHands[0][1] = CardSheep;
  Settings settings;
  ViewState view;
  const Frame frame = draw(game, settings, view, 1024, 768);
  EXPECT_EQ(frame.count(overlay(PictureMenu)), 0);
  EXPECT_EQ(frame.count(overlay(PictureCancel)), 0);
  EXPECT_EQ(frame.countCard(CardGub), 0);
  EXPECT_GT(frame.countCard(CardSheep), 300);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace gub::pixeltest
