// SPDX-License-Identifier: MIT
// The hand hit test against the camera: a click on a drawn card names that
// card at every window size and zoom, and the start button's press area.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/table_geometry.h"
#include "play/turn_driver.h"

namespace gub {
namespace {

constexpr double Pi = 3.14159265358979323846;

// Projects a point of the table frame to client pixels (y down) the way the
// scene is drawn: push into the screen, tilt, zoom, perspective of 45 degrees.
void Project(const ViewState& view, double x, double y, double z, double& px, double& py) {
  const double s = view.zoomScale[0];
  x *= s;
  y *= s;
  z *= s;
  const double theta = view.viewTiltDegrees * Pi / 180.0;
  const double ty = y * std::cos(theta) - z * std::sin(theta);
  const double tz = y * std::sin(theta) + z * std::cos(theta) - geometry::TableDistance;
  const double f = std::tan(Pi / 8.0);
  const double ndcX = x / (-tz * f * view.aspectRatio);
  const double ndcY = ty / (-tz * f);
  px = (ndcX + 1.0) / 2.0 * view.clientWidth;
  py = (1.0 - ndcY) / 2.0 * view.clientHeight;
}

void Zoom(ViewState& view, float factor, int times) {
  for (int i = 0; i < times; ++i)
    for (float& z : view.zoomScale) z *= factor;
}

struct Case {
  int32_t width;
  int32_t height;
  int zoomSteps;  // keypad plus presses (negative: minus)
  int32_t slots;
};

class HitAgreement : public ::testing::TestWithParam<Case> {};

TEST_P(HitAgreement, PointsOnEachVisibleCardNameThatCard) {
  const Case c = GetParam();
  ViewState view;
  view.resize(c.width, c.height);
  if (c.zoomSteps > 0) Zoom(view, 1.1f, c.zoomSteps);
  if (c.zoomSteps < 0) Zoom(view, 0.9090909f, -c.zoomSteps);

  int32_t hand[26];
  for (int32_t i = 0; i < 26; ++i) hand[i] = i < c.slots ? i : -1;
  const double spacing = c.slots == 26 ? 0.175 : 0.35;
  for (int32_t i = 0; i < c.slots; ++i) {
    // Cards overlap: each shows a strip one spacing wide before the next.
    const double left = -2.45 + spacing * i;
    for (double along : {0.15, 0.5, 0.85}) {
      for (double up : {0.2, 0.5, 0.8}) {
        double px = 0;
        double py = 0;
        Project(view, left + spacing * along, up, 3.9, px, py);
        EXPECT_EQ(
            HandHitTest(view, hand, c.slots, static_cast<int32_t>(px), static_cast<int32_t>(py)), i)
            << "slot " << i << " at " << px << "," << py;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(SizesAndZoom, HitAgreement,
                         ::testing::Values(Case{1024, 768, 0, 13}, Case{1920, 1080, 0, 13},
                                           Case{1024, 768, 2, 13}, Case{1920, 1080, 3, 13},
                                           Case{1280, 1024, -2, 13}, Case{1024, 768, 0, 26},
                                           Case{1920, 1080, 2, 26}, Case{1280, 1024, -1, 26}));

// Recorded pixels of the unzoomed hand: the first and last rows it covers
// straight below the window's middle (from the top of the card boxes, whose
// right ends the 1 degree turn lifts, to the bottom of the faces, which stand
// in front of the row's back plane), and
// along the row halfway between them the first column of every next card.
struct UnzoomedRow {
  int32_t width;
  int32_t height;
  int32_t slots;
  int32_t held;
  int32_t top;
  int32_t bottom;
  int32_t row;
  std::vector<int32_t> nextCardStarts;
};

TEST(HandHitTest, UnzoomedHandCoversTheRecordedPixels) {
  const UnzoomedRow rows[] = {
      {1024,
       768,
       13,
       13,
       587,
       719,
       652,
       {133, 196, 259, 322, 386, 449, 512, 575, 638, 702, 765, 828}},
      {1920, 1080, 26, 26, 825, 1011, 918, {383,  427,  472,  516,  560,  605,  649,  694,  738,
                                            782,  827,  871,  916,  960,  1004, 1049, 1093, 1138,
                                            1182, 1226, 1271, 1315, 1360, 1404, 1448}},
      {800, 600, 13, 5, 458, 561, 509, {104, 153, 202, 252}},
  };
  for (const UnzoomedRow& r : rows) {
    SCOPED_TRACE(::testing::Message()
                 << r.width << "x" << r.height << ", " << r.held << " of " << r.slots << " slots");
    ViewState view;
    view.resize(r.width, r.height);
    int32_t hand[26];
    for (int32_t i = 0; i < 26; ++i) hand[i] = i < r.held ? i : -1;
    auto hit = [&](int32_t x, int32_t y) { return HandHitTest(view, hand, r.slots, x, y); };
    const int32_t middle = r.width / 2;
    EXPECT_EQ(hit(middle, r.top - 1), -1);
    EXPECT_NE(hit(middle, r.top), -1);
    EXPECT_NE(hit(middle, r.bottom), -1);
    EXPECT_EQ(hit(middle, r.bottom + 1), -1);
    EXPECT_EQ(hit(0, r.row), 0);
    EXPECT_EQ(hit(r.width - 1, r.row), r.held - 1);
    for (int32_t k = 0; k < static_cast<int32_t>(r.nextCardStarts.size()); ++k) {
      EXPECT_EQ(hit(r.nextCardStarts[k] - 1, r.row), k);
      EXPECT_EQ(hit(r.nextCardStarts[k], r.row), k + 1);
    }
  }
}

TEST(HandHitTest, RowEndsAndEmptyHands) {
  ViewState view;
  view.resize(1024, 768);
  int32_t hand[13];
  for (int32_t i = 0; i < 13; ++i) hand[i] = i < 4 ? i : -1;
  double px = 0;
  double py = 0;
  Project(view, 0.0, 0.5, 3.9, px, py);
  const int32_t y = static_cast<int32_t>(py);
  // Left of the first card picks slot 0; right of the last held card, the last.
  EXPECT_EQ(HandHitTest(view, hand, 13, 0, y), 0);
  EXPECT_EQ(HandHitTest(view, hand, 13, 1023, y), 3);
  // Above the cards' top edge and below their front edge: nothing.
  Project(view, 0.0, 1.05, 3.9, px, py);
  EXPECT_EQ(HandHitTest(view, hand, 13, 512, static_cast<int32_t>(py)), -1);
  Project(view, 0.0, -0.05, 3.9, px, py);
  EXPECT_EQ(HandHitTest(view, hand, 13, 512, static_cast<int32_t>(py) + 1), -1);

  int32_t empty[13];
  for (int32_t& s : empty) s = -1;
  EXPECT_EQ(HandHitTest(view, empty, 13, 512, y), -1);
}

TEST(StartButton, StrictEdgesFollowTheWindowSize) {
  // 1024 x 768: 420 < x < 604 and 338 < y < 430.
  EXPECT_TRUE(IsOnStartButton(1024, 768, 421, 339));
  EXPECT_TRUE(IsOnStartButton(1024, 768, 603, 429));
  EXPECT_FALSE(IsOnStartButton(1024, 768, 420, 384));
  EXPECT_FALSE(IsOnStartButton(1024, 768, 604, 384));
  EXPECT_FALSE(IsOnStartButton(1024, 768, 512, 338));
  EXPECT_FALSE(IsOnStartButton(1024, 768, 512, 430));
  // 2048 x 1536 doubles it: 840 < x < 1208, 676 < y < 860.
  EXPECT_TRUE(IsOnStartButton(2048, 1536, 841, 677));
  EXPECT_FALSE(IsOnStartButton(2048, 1536, 840, 700));
  EXPECT_FALSE(IsOnStartButton(0, 0, 0, 0));
}

}  // namespace
}  // namespace gub
