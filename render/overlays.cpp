// SPDX-License-Identifier: MIT
// The flat pictures over the table, drawn with glDrawPixels at raster
// positions on the eye-space plane z = -3, which the projection maps back to
// the window pixels the layout names.
#include "render/overlays.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

#include "engine/table_geometry.h"

namespace gub {

const char* const OverlayFileNames[PictureCount] = {
    "bg/menu.bg",   "bg/east.bg", "bg/north.bg", "bg/west.bg",    "bg/0.bg",     "bg/1.bg",
    "bg/2.bg",      "bg/3.bg",    "bg/4.bg",     "bg/5.bg",       "bg/6.bg",     "bg/7.bg",
    "bg/8.bg",      "bg/9.bg",    "bg/you.bg",   "bg/hu.bg",      "bg/plus.bg",  "bg/minus.bg",
    "bg/cancel.bg", "bg/end.bg",  "bg/back.bg",  "bg/display.bg", "bg/gub.bg",   "bg/sheep.bg",
    "bg/double.bg", "bg/redT.bg", "bg/meast.bg", "bg/mnorth.bg",  "bg/mwest.bg",
};

void OverlayPictures::loadAll() {
  for (int32_t i = 0; i < PictureCount; ++i) images[i].load(OverlayFileNames[i]);
}

void OverlayPictures::loadTitle() { images[PictureBack].load(OverlayFileNames[PictureBack]); }

void OverlayPictures::loadTable() {
  for (int32_t i = 0; i < PictureCount; ++i) {
    if (i != PictureBack) images[i].load(OverlayFileNames[i]);
  }
}

namespace {

constexpr double Pi = 3.14159265358979323846;

// Seat labels by seat number.
constexpr int32_t SeatLabels[4] = {PictureYou, PictureEast, PictureNorth, PictureWest};

}  // namespace

OverlayPass::OverlayPass(const OverlayPictures& pictures, const ViewState& view)
    : pictures_(pictures),
      layout_(layout::computeScreenLayout(view.clientWidth, view.clientHeight)),
      width_(view.clientWidth),
      height_(view.clientHeight),
      halfHeight_(geometry::OverlayPlaneDistance * std::tan(22.5 * Pi / 180.0)),
      halfWidth_(view.aspectRatio * halfHeight_) {}

double OverlayPass::eyeX(double windowX) const {
  return -halfWidth_ + 2.0 * halfWidth_ * (windowX + layout::EdgeNudgePixels) / width_;
}

double OverlayPass::eyeY(double windowY) const {
  return -halfHeight_ + 2.0 * halfHeight_ * (windowY + layout::EdgeNudgePixels) / height_;
}

double OverlayPass::eyeSpan(double pixels) const { return 2.0 * halfWidth_ * pixels / width_; }

void OverlayPass::drawAtEye(int32_t picture, double x, double y) const {
  if (picture < 0 || picture >= PictureCount) return;
  const OverlayImage& image = pictures_.images[picture];
  if (image.pixels == nullptr || image.width <= 0 || image.height <= 0) return;
  glRasterPos2d(x, y);
  glDrawPixels(image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.get());
}

void drawScoreNumber(const OverlayPass& pass, int32_t value, double startEyeX, double eyeY,
                     int32_t label) {
  const double step = pass.eyeSpan(layout::DigitStep * pass.unit());
  auto at = [&](int32_t k) { return startEyeX - step * k; };
  int64_t rest = std::llabs(static_cast<int64_t>(value));
  int32_t digits = 0;
  do {
    pass.drawAtEye(PictureDigit0 + static_cast<int32_t>(rest % 10), at(digits), eyeY);
    rest /= 10;
    ++digits;
  } while (rest != 0);
  if (value < 0) pass.drawAtEye(PictureMinus, at(digits + 1), eyeY);
  if (value > 0) pass.drawAtEye(PicturePlus, at(digits + 1), eyeY);
  if (label != NoPicture) pass.drawAtEye(label, at(value != 0 ? digits + 3 : digits + 1), eyeY);
}

namespace {

// The pictures of one pass go out untextured: glDrawPixels fragments are
// textured like any other, and whichever card picture was bound last would
// tint them.
class FlatPictureScope {
 public:
  explicit FlatPictureScope(double zoom) {
    glPushMatrix();
    glTranslated(0.0, 0.0, -geometry::OverlayPlaneDistance);
    glDisable(GL_TEXTURE_2D);
    glPixelZoom(static_cast<float>(zoom), static_cast<float>(zoom));
  }
  ~FlatPictureScope() {
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
  }
  FlatPictureScope(const FlatPictureScope&) = delete;
  FlatPictureScope& operator=(const FlatPictureScope&) = delete;
};

// A score row whose units digit stands at a layout spot; seat 0's rows start
// at a fixed eye-space x instead.
void drawScoreAt(const OverlayPass& pass, int32_t seat, layout::Spot spot, int32_t value,
                 int32_t label) {
  const double x = seat == 0 ? layout::SouthNumberEyeX : pass.eyeX(spot.x);
  drawScoreNumber(pass, value, x, pass.eyeY(spot.y), label);
}

void drawDealOverPanel(const OverlayPass& pass, const GameState& game) {
  const layout::ScreenLayout& l = pass.layout();
  pass.drawAt(PictureHu, l.dealOver);
  for (int32_t seat = 0; seat < 4; ++seat) {
    drawScoreAt(pass, seat, l.dealScores[seat], game.dealScore[seat], NoPicture);
  }
}

void drawMatchOverPanel(const OverlayPass& pass, const GameState& game, const Settings& settings) {
  const layout::ScreenLayout& l = pass.layout();
  layout::Spot at = l.matchOver;
  const int64_t limit = -static_cast<int64_t>(settings.maxScore);
  for (int32_t seat = 0; seat < 4; ++seat) {
    if (game.matchTotal[seat] <= limit) {
      pass.drawAt(SeatLabels[seat], at);
      at.x += l.units(layout::LoserStep);
    }
  }
  pass.drawAt(PictureEnd, at);
}

}  // namespace

void drawTitlePicture(const OverlayPictures& pictures, const ViewState& view) {
  const OverlayPass pass(pictures, view);
  if (!pass.drawable()) return;
  const layout::ScreenLayout& l = pass.layout();
  const OverlayImage& image = pictures.images[PictureBack];
  if (!l.titleFillsWindow && image.pixels != nullptr) {
    // The bars beside the picture take its own edge colour (its lower left
    // pixel), so it looks whole on any window shape.
    GLfloat previous[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, previous);
    const uint8_t* edge = image.pixels.get();
    glClearColor(edge[0] / 255.0f, edge[1] / 255.0f, edge[2] / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(previous[0], previous[1], previous[2], previous[3]);
  }
  const bool dense = image.width == layout::TitleSize.width * layout::TitleDensity &&
                     image.height == layout::TitleSize.height * layout::TitleDensity;
  FlatPictureScope scope(dense ? l.titleZoom / layout::TitleDensity : l.titleZoom);
  pass.drawAt(PictureBack, l.title);
}

void drawOverlays(const OverlayPictures& pictures, const GameState& game, const Settings& settings,
                  const ViewState& view) {
  const OverlayPass pass(pictures, view);
  if (!pass.drawable()) return;
  const layout::ScreenLayout& l = pass.layout();
  FlatPictureScope scope(pass.unit());

  // Declaration strip: one icon per declared card, packed from the left.
  pass.drawAt(PictureDisplay, l.stripHead);
  const struct {
    int32_t multiplier;
    int32_t picture;
  } icons[4] = {{game.gubMult, PictureGub},
                {game.heartsMult, PictureRedT},
                {game.doubleMult, PictureDouble},
                {game.sheepMult, PictureSheep}};
  int32_t shown = 0;
  for (const auto& icon : icons) {
    if (icon.multiplier > 1) {
      ++shown;
      pass.drawAt(icon.picture, l.icon(shown));
    }
  }

  pass.drawAt(PictureMenu, l.menu);

  // Running totals with their labels, and the computer players' pictures.
  constexpr int32_t Portraits[4] = {NoPicture, PictureMEast, PictureMNorth, PictureMWest};
  for (int32_t seat = 0; seat < 4; ++seat) {
    drawScoreAt(pass, seat, l.totals[seat], game.matchTotal[seat], SeatLabels[seat]);
    if (Portraits[seat] != NoPicture) pass.drawAt(Portraits[seat], l.portraits[seat]);
  }

  switch (game.phase) {
    case PhaseDealOver:
      drawDealOverPanel(pass, game);
      break;
    case PhaseDeclaring:
      pass.drawAt(PictureCancel, l.start);
      break;
    case PhaseMatchOver:
      drawMatchOverPanel(pass, game, settings);
      break;
    default:
      break;
  }
}

}  // namespace gub
