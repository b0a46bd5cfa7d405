// SPDX-License-Identifier: MIT
// Screen dispatch of presses: the title buttons and the corner button at their
// proportional edges, New game, and the two-deck gestures, which must act on
// the table only.
#include "shell/input.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/rules.h"
#include "play/turn_driver.h"

namespace gub {
namespace {

TEST(TitleButtonsTest, EdgesAtTheDesignSize) {
  // 1024 x 768: column 244 < x < 756; bands 262..342, 366..446, 472..552.
  EXPECT_EQ(titleButtonAt(1024, 768, 245, 263), TitleButton::NewGame);
  EXPECT_EQ(titleButtonAt(1024, 768, 755, 341), TitleButton::NewGame);
  EXPECT_EQ(titleButtonAt(1024, 768, 244, 300), TitleButton::None);
  EXPECT_EQ(titleButtonAt(1024, 768, 756, 300), TitleButton::None);
  EXPECT_EQ(titleButtonAt(1024, 768, 500, 262), TitleButton::None);
  EXPECT_EQ(titleButtonAt(1024, 768, 500, 342), TitleButton::None);
  EXPECT_EQ(titleButtonAt(1024, 768, 500, 354), TitleButton::None) << "between the bands";
  EXPECT_EQ(titleButtonAt(1024, 768, 500, 367), TitleButton::Options);
  EXPECT_EQ(titleButtonAt(1024, 768, 500, 446), TitleButton::None);
  EXPECT_EQ(titleButtonAt(1024, 768, 500, 473), TitleButton::Exit);
  EXPECT_EQ(titleButtonAt(1024, 768, 500, 551), TitleButton::Exit);
  EXPECT_EQ(titleButtonAt(1024, 768, 500, 552), TitleButton::None);
}

TEST(TitleButtonsTest, AreasFollowTheWindowSizeWithIntegerArithmetic) {
  // 800 x 600: 800*122/512 = 190 (190.6 truncated), 600*131/384 = 204 (204.7).
  EXPECT_EQ(titleButtonAt(800, 600, 190, 250), TitleButton::None);
  EXPECT_EQ(titleButtonAt(800, 600, 191, 250), TitleButton::NewGame);
  EXPECT_EQ(titleButtonAt(800, 600, 400, 204), TitleButton::None);
  EXPECT_EQ(titleButtonAt(800, 600, 400, 205), TitleButton::NewGame);
  // 1920 x 1080: the picture is 1440 wide from x 240, zoomed 2.8125; the
  // Options button is its rows 183 ... 222, window rows 515 ... 626.
  EXPECT_EQ(titleButtonAt(1920, 1080, 960, 514), TitleButton::None);
  EXPECT_EQ(titleButtonAt(1920, 1080, 960, 515), TitleButton::Options);
  EXPECT_EQ(titleButtonAt(1920, 1080, 960, 626), TitleButton::Options);
  EXPECT_EQ(titleButtonAt(1920, 1080, 960, 627), TitleButton::None);
  EXPECT_EQ(titleButtonAt(1920, 1080, 582, 600), TitleButton::None);
  EXPECT_EQ(titleButtonAt(1920, 1080, 583, 600), TitleButton::Options);
  EXPECT_EQ(titleButtonAt(1920, 1080, 1302, 600), TitleButton::Options);
  EXPECT_EQ(titleButtonAt(1920, 1080, 1303, 600), TitleButton::None);
}

TEST(CornerButtonTest, TopRightCorner) {
  EXPECT_TRUE(isOnCornerButton(1024, 768, 933, 45));
  EXPECT_TRUE(isOnCornerButton(1024, 768, 1023, 0));
  EXPECT_FALSE(isOnCornerButton(1024, 768, 932, 10));
  EXPECT_FALSE(isOnCornerButton(1024, 768, 1000, 46));
  // 1920 x 1080: the corner is 92 x 46 units of 1.40625, 129.4 x 64.7 pixels.
  EXPECT_TRUE(isOnCornerButton(1920, 1080, 1791, 64));
  EXPECT_FALSE(isOnCornerButton(1920, 1080, 1790, 30));
  EXPECT_FALSE(isOnCornerButton(1920, 1080, 1900, 65));
}

TEST(ZoomTest, SinglePrecisionSteps) {
  ViewState view;
  for (int i = 0; i < 3; ++i) zoomView(view, ZoomInFactor);
  float expected = 1.0f;
  for (int i = 0; i < 3; ++i) expected *= 1.1f;
  for (float scale : view.zoomScale) {
    EXPECT_EQ(scale, expected);
    EXPECT_NEAR(scale, 1.331, 1e-6);
  }
  ViewState back;
  zoomView(back, ZoomInFactor);
  zoomView(back, ZoomOutFactor);
  for (float scale : back.zoomScale) EXPECT_NEAR(scale, 1.0, 1e-6);
}

class FakeTable : public TableView {
 public:
  void redrawNow() override { ++redraws; }
  void showTrickAndPause(int32_t) override { ++pauses; }
  void playEffect(const char*) override {}
  void leaveForTitle() override {}
  int redraws = 0;
  int pauses = 0;
};

class FakeShell : public ShellCommands {
 public:
  void runOptionsDialog() override { ++optionsRuns; }
  void endProgram() override { ++endRequests; }
  int optionsRuns = 0;
  int endRequests = 0;
};

class DispatchTest : public ::testing::Test {
 protected:
  InputContext context() {
    return InputContext{game_, settings_, view_, table_, random_, screenMode_, shell_};
  }
  void press(int32_t x, int32_t y) {
    InputContext c = context();
    handleLeftPress(c, x, y);
  }
  void gesture() {
    InputContext c = context();
    handleRaisedPlayGesture(c);
  }
  int32_t cardsInHand() const {
    int32_t n = 0;
    for (int32_t card : game_.twoDeckHands[0]) n += card >= 0 ? 1 : 0;
    return n;
  }
  // Screen position of a hand slot, found with the hit test itself: the
  // middle of the row's band, then the middle of the slot's run of pixels.
  bool slotPosition(int32_t slot, int32_t& x, int32_t& y) {
    const int32_t* hand = settings_.twoDecks != 0 ? game_.twoDeckHands[0] : game_.oneDeckHands[0];
    const int32_t slots = settings_.twoDecks != 0 ? TwoDeckHandSize : OneDeckHandSize;
    const int32_t w = view_.clientWidth, h = view_.clientHeight;
    int32_t top = -1, bottom = -1;
    for (int32_t py = 0; py < h; ++py) {
      if (HandHitTest(view_, hand, slots, w / 2, py) >= 0) {
        if (top < 0) top = py;
        bottom = py;
      }
    }
    if (top < 0) return false;
    y = (top + bottom) / 2;
    int32_t left = -1, right = -1;
    for (int32_t px = 0; px < w; ++px) {
      if (HandHitTest(view_, hand, slots, px, y) == slot) {
        if (left < 0) left = px;
        right = px;
      }
    }
    if (left < 0) return false;
    x = (left + right) / 2;
    return true;
  }
  // New game (two decks) and the start button: the human is to play.
  void startTwoDeckDeal() {
    settings_.twoDecks = 1;
    press(500, 300);
    ASSERT_EQ(screenMode_, ScreenGame);
    press(512, 384);
    ASSERT_EQ(game_.phase, PhasePlaying);
  }
  // A legal play for the human: a single card, or the two slots of a pair
  // when a pair was led (second is -1 for a single card).
  bool legalPlay(int32_t& first, int32_t& second) {
    const int32_t* hand = game_.twoDeckHands[0];
    for (int32_t s = 0; s < TwoDeckHandSize && hand[s] >= 0; ++s) {
      if (CanPlayTwoDecks(game_, s, -1)) {
        first = s;
        second = -1;
        return true;
      }
      for (int32_t t = s + 1; t < TwoDeckHandSize && hand[t] >= 0; ++t) {
        if (CanPlayTwoDecks(game_, s, t)) {
          first = s;
          second = t;
          return true;
        }
      }
    }
    return false;
  }

  GameState game_;
  Settings settings_;
  ViewState view_;
  FakeTable table_;
  SeededRandom random_{12345};
  int32_t screenMode_ = ScreenTitle;
  FakeShell shell_;
};

TEST_F(DispatchTest, TitleButtons) {
  press(500, 400);
  EXPECT_EQ(shell_.optionsRuns, 1);
  EXPECT_EQ(table_.redraws, 1) << "the title is redrawn after the dialog";
  press(500, 354);
  press(100, 300);
  EXPECT_EQ(table_.redraws, 1) << "presses beside the buttons do nothing";
  EXPECT_EQ(screenMode_, ScreenTitle);
  press(500, 500);
  EXPECT_EQ(shell_.endRequests, 1);
}

TEST_F(DispatchTest, NewGameClearsTheTotalsAndDealsByTheSetting) {
  for (int32_t& total : game_.matchTotal) total = -300;
  settings_.twoDecks = 0;
  press(500, 300);
  EXPECT_EQ(screenMode_, ScreenGame);
  EXPECT_EQ(game_.phase, PhaseDeclaring);
  EXPECT_EQ(table_.redraws, 1);
  for (int32_t total : game_.matchTotal) EXPECT_EQ(total, 0);
  EXPECT_GE(game_.oneDeckHands[0][12], 0) << "a full one-deck hand";

  // The corner button leaves the deal as it is and shows the title.
  GameState before = game_;
  press(1000, 20);
  EXPECT_EQ(screenMode_, ScreenTitle);
  EXPECT_EQ(table_.redraws, 2);
  EXPECT_EQ(std::memcmp(&before.oneDeckHands, &game_.oneDeckHands, sizeof before.oneDeckHands), 0);
  EXPECT_EQ(before.phase, game_.phase);

  settings_.twoDecks = 1;
  press(500, 300);
  EXPECT_GE(game_.twoDeckHands[0][25], 0) << "a full two-deck hand";
}

TEST_F(DispatchTest, TableClicksGoToTheDriverOfTheCurrentSetting) {
  startTwoDeckDeal();
  int32_t slot, second;
  ASSERT_TRUE(legalPlay(slot, second));
  int32_t x, y;
  ASSERT_TRUE(slotPosition(slot, x, y));
  int32_t held = cardsInHand();
  press(x, y);
  EXPECT_EQ(game_.raised[slot], 1) << "the two-deck driver raises first";
  EXPECT_EQ(cardsInHand(), held);
}

TEST_F(DispatchTest, RaisedCardsArePlayedOnlyOnTheTable) {
  startTwoDeckDeal();
  int32_t slot, second;
  ASSERT_TRUE(legalPlay(slot, second));
  game_.raised[slot] = 1;
  if (second >= 0) game_.raised[second] = 1;
  int32_t held = cardsInHand();

  // Behind the title screen the abandoned deal must stay as it is.
  screenMode_ = ScreenTitle;
  int32_t redraws = table_.redraws;
  gesture();
  EXPECT_EQ(cardsInHand(), held);
  EXPECT_EQ(game_.raised[slot], 1);
  EXPECT_EQ(table_.pauses, 0);
  EXPECT_EQ(table_.redraws, redraws);

  screenMode_ = ScreenGame;
  gesture();
  EXPECT_EQ(table_.pauses, 1) << "the trick was shown";
  EXPECT_LT(cardsInHand(), held);
  EXPECT_EQ(game_.raised[slot], 0);
}

TEST_F(DispatchTest, GesturesNeverPlayInTheOneDeckGame) {
  settings_.twoDecks = 0;
  press(500, 300);
  press(512, 384);
  ASSERT_EQ(game_.phase, PhasePlaying);
  GameState before = game_;
  game_.raised[0] = 1;
  gesture();
  EXPECT_EQ(std::memcmp(&before.oneDeckHands, &game_.oneDeckHands, sizeof before.oneDeckHands), 0);
  EXPECT_EQ(table_.pauses, 0);
}

TEST_F(DispatchTest, GesturesDoNothingWhileDeclaring) {
  settings_.twoDecks = 1;
  press(500, 300);
  ASSERT_EQ(game_.phase, PhaseDeclaring);
  game_.raised[0] = 1;
  GameState before = game_;
  gesture();
  EXPECT_EQ(std::memcmp(&before.twoDeckHands, &game_.twoDeckHands, sizeof before.twoDeckHands), 0);
  EXPECT_EQ(game_.phase, PhaseDeclaring);
}

}  // namespace
}  // namespace gub
