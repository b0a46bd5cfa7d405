// SPDX-License-Identifier: MIT
// The hand hit test against the drawing: every card of the player's hand is
// drawn in its own colour, and each pixel inside a drawn card must be named
// as that card's slot by HandHitTest; the edges of the card boxes, drawn in
// the back's colour, must be taken by some slot.
#include "pixel_fixture.h"
#include "play/turn_driver.h"

namespace gub::pixeltest {
namespace {

struct Agreement {
  int32_t checked[TwoDeckHandSize] = {};
  int32_t wrong = 0;
  std::string firstWrong;
  int32_t edges = 0;      // pixels of the cards' box edges (tops and sides)
  int32_t deadEdges = 0;  // ... that no slot takes
  std::string firstDeadEdge;
};

// Pixels whose whole 3 x 3 neighbourhood shows the same card: every pixel of
// a card but those an edge crosses, where the rasteriser's rounding of the
// edge and the hit test's exact line may take the pixel's centre either way.
Agreement compare(const Frame& frame, const ViewState& view, const int32_t* hand, int32_t slots) {
  std::vector<int32_t> cardAt(static_cast<size_t>(frame.width) * frame.height, -1);
  for (int32_t y = 0; y < frame.height; ++y) {
    for (int32_t x = 0; x < frame.width; ++x) {
      const bmp::Rgb p = frame.at(x, y);
      cardAt[static_cast<size_t>(y) * frame.width + x] = testkit::cardFromColour(p.r, p.g, p.b);
    }
  }
  int32_t slotOf[52];
  for (int32_t& s : slotOf) s = -1;
  for (int32_t i = 0; i < slots && hand[i] != -1; ++i) slotOf[hand[i]] = i;

  Agreement result;
  constexpr int32_t Margin = 1;
  for (int32_t y = Margin; y < frame.height - Margin; ++y) {
    for (int32_t x = Margin; x < frame.width - Margin; ++x) {
      const int32_t card = cardAt[static_cast<size_t>(y) * frame.width + x];
      const bmp::Rgb p = frame.at(x, y);
      if (p.r == 0 && p.g == 0 && p.b > 0) {
        // Only the hand's boxes are drawn in the back's blue here: their tops
        // and sides are part of the cards too, whichever slot takes them.
        ++result.edges;
        if (HandHitTest(view, hand, slots, x, frame.height - 1 - y) == -1) {
          if (result.deadEdges++ == 0) {
            result.firstDeadEdge =
                "pixel (" + std::to_string(x) + ", " + std::to_string(frame.height - 1 - y) + ")";
          }
        }
      }
      if (card < 0 || slotOf[card] < 0) continue;
      bool inside = true;
      for (int32_t dy = -Margin; dy <= Margin && inside; ++dy) {
        for (int32_t dx = -Margin; dx <= Margin && inside; ++dx) {
          inside = cardAt[static_cast<size_t>(y + dy) * frame.width + x + dx] == card;
        }
      }
      if (!inside) continue;
      // Pixel row y counted from the bottom is client row height - 1 - y.
      const int32_t clientY = frame.height - 1 - y;
      const int32_t slot = HandHitTest(view, hand, slots, x, clientY);
      ++result.checked[slotOf[card]];
      if (slot != slotOf[card]) {
        if (result.wrong == 0) {
          result.firstWrong = "pixel (" + std::to_string(x) + ", " + std::to_string(clientY) +
                              ") shows slot " + std::to_string(slotOf[card]) + ", hit test says " +
                              std::to_string(slot);
        }
        ++result.wrong;
      }
    }
  }
  return result;
}

struct Case {
  int32_t width;
  int32_t height;
  int32_t zoomSteps;  // keypad plus presses; negative for minus
};

const Case Cases[] = {
    {1024, 768, 0},  {1920, 1080, 0}, {1024, 768, 1},  {1920, 1080, 2},
    {1024, 768, -1}, {1280, 1024, 0}, {1600, 1200, 0}, {1920, 1200, 0},
    {2560, 1440, 0}, {3440, 1440, 0}, {3840, 2160, 0}, {3840, 2160, 2},
};

ViewState zoomedView(int32_t steps) {
  ViewState view;
  for (int32_t i = 0; i < steps; ++i) {
    for (float& z : view.zoomScale) z *= 1.1f;
  }
  for (int32_t i = 0; i < -steps; ++i) {
    for (float& z : view.zoomScale) z *= 0.9090909f;
  }
  return view;
}

class HitAgreementTest : public PixelTest {
 protected:
  void run(bool twoDecks) {
    const int32_t slots = twoDecks ? TwoDeckHandSize : OneDeckHandSize;
    GameState game = emptyTable(PhasePlaying);
    int32_t* hand = twoDecks ? game.twoDeckHands[0] : game.oneDeckHands[0];
    // Distinct cards, so each colour names one slot.
    for (int32_t i = 0; i < slots; ++i) hand[i] = 51 - i;
    Settings settings;
    settings.twoDecks = twoDecks ? 1 : 0;
    for (const Case& c : Cases) {
      SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height) + ", zoom steps " +
                   std::to_string(c.zoomSteps));
      ViewState view = zoomedView(c.zoomSteps);
      const Frame frame = draw(game, settings, view, c.width, c.height);
      const Agreement agreement = compare(frame, view, hand, slots);
      EXPECT_EQ(agreement.wrong, 0) << agreement.firstWrong;
      EXPECT_GT(agreement.edges, 1000);
      EXPECT_EQ(agreement.deadEdges, 0) << agreement.firstDeadEdge;
      for (int32_t i = 0; i < slots; ++i) {
        // Every card shows a strip of at least a few pixels' width.
        EXPECT_GT(agreement.checked[i], 100) << "slot " << i;
      }
    }
  }
};

TEST_F(HitAgreementTest, OneDeckHand) { run(false); }

TEST_F(HitAgreementTest, TwoDeckHand) { run(true); }

TEST_F(HitAgreementTest, ShorterHandsLeaveEmptySlotsUnpicked) {
  // Seven cards: a press right of the last card still picks the last one.
  GameState game = emptyTable(PhasePlaying);
  for (int32_t i = 0; i < 7; ++i) game.oneDeckHands[0][i] = 40 - i;
  Settings settings;
  ViewState view;
  const Frame frame = draw(game, settings, view, 1024, 768);
  const Agreement agreement = compare(frame, view, game.oneDeckHands[0], OneDeckHandSize);
  EXPECT_EQ(agreement.wrong, 0) << agreement.firstWrong;
  for (int32_t i = 0; i < 7; ++i) EXPECT_GT(agreement.checked[i], 100) << "slot " << i;
}

}  // namespace
}  // namespace gub::pixeltest
