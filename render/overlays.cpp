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

namespace {

constexpr double Pi = 3.14159265358979323846;
// A sixteenth of a pixel: far below what the eye or the pixel grid sees, far
// above the rounding of the single-precision clip test, even 8000 pixels wide.
constexpr double EdgeNudgePixels = 1.0 / 16.0;
// The seat-0 number rows start at this eye-space x, not at a window position.
constexpr double SouthNumberEyeX = -0.3;

// Seat labels by seat number.
constexpr int32_t SeatLabels[4] = {PictureYou, PictureEast, PictureNorth, PictureWest};

}  // namespace

OverlayPass::OverlayPass(const OverlayPictures& pictures, const ViewState& view)
    : pictures_(pictures),
      width_(view.clientWidth),
      height_(view.clientHeight),
      unit_(static_cast<float>(view.clientWidth) * 0.0009765625f),
      halfHeight_(geometry::OverlayPlaneDistance * std::tan(22.5 * Pi / 180.0)),
      halfWidth_(view.aspectRatio * halfHeight_) {}

double OverlayPass::eyeX(double windowX) const {
  return -halfWidth_ + 2.0 * halfWidth_ * (windowX + EdgeNudgePixels) / width_;
}

double OverlayPass::eyeY(double windowY) const {
  return -halfHeight_ + 2.0 * halfHeight_ * (windowY + EdgeNudgePixels) / height_;
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
  const double step = pass.eyeSpan(23.0 * pass.unit());
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

void drawDealOverPanel(const OverlayPass& pass, const GameState& game) {
  const double w = pass.width();
  const double h = pass.height();
  const double u = pass.unit();
  pass.drawAt(PictureHu, w / 2 - 276 * u, h - 240 * u);
  drawScoreNumber(pass, game.dealScore[0], SouthNumberEyeX, pass.eyeY(48 * u), NoPicture);
  drawScoreNumber(pass, game.dealScore[1], pass.eyeX(w - 23 * u), pass.eyeY(h - 336 * u),
                  NoPicture);
  drawScoreNumber(pass, game.dealScore[2], pass.eyeX(w / 2 + 46 * u), pass.eyeY(h - 144 * u),
                  NoPicture);
  drawScoreNumber(pass, game.dealScore[3], pass.eyeX(109 * u), pass.eyeY(h - 336 * u), NoPicture);
}

void drawMatchOverPanel(const OverlayPass& pass, const GameState& game, const Settings& settings) {
  const double u = pass.unit();
  double x = pass.width() / 2 - 276 * u;
  const double y = pass.height() - 240 * u;
  const int64_t limit = -static_cast<int64_t>(settings.maxScore);
  for (int32_t seat = 0; seat < 4; ++seat) {
    if (game.matchTotal[seat] <= limit) {
      pass.drawAt(SeatLabels[seat], x, y);
      x += 69 * u;
    }
  }
  pass.drawAt(PictureEnd, x, y);
}

}  // namespace

void drawTitlePicture(const OverlayPictures& pictures, const ViewState& view) {
  const OverlayPass pass(pictures, view);
  if (!pass.drawable()) return;
  FlatPictureScope scope(2.0 * pass.unit());
  pass.drawAt(PictureBack, 0, 0);
}

void drawOverlays(const OverlayPictures& pictures, const GameState& game, const Settings& settings,
                  const ViewState& view) {
  const OverlayPass pass(pictures, view);
  if (!pass.drawable()) return;
  const double w = pass.width();
  const double h = pass.height();
  const double u = pass.unit();
  FlatPictureScope scope(pass.unit());

  // Declaration strip: one icon per declared card, packed from the left.
  pass.drawAt(PictureDisplay, 0, h - 46 * u);
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
      pass.drawAt(icon.picture, 92 * u + 69 * u * shown, h - 46 * u);
    }
  }

  pass.drawAt(PictureMenu, w - 92 * u, h - 46 * u);

  // Running totals with their labels, and the computer players' pictures.
  drawScoreNumber(pass, game.matchTotal[0], SouthNumberEyeX, pass.eyeY(0), PictureYou);
  drawScoreNumber(pass, game.matchTotal[1], pass.eyeX(w - 69 * u), pass.eyeY(h - 130 * u),
                  PictureEast);
  pass.drawAt(PictureMEast, w - 130 * u, h - 288 * u);
  drawScoreNumber(pass, game.matchTotal[2], pass.eyeX(w / 2 + 46 * u), pass.eyeY(h - 96 * u),
                  PictureNorth);
  pass.drawAt(PictureMNorth, w / 2 + 69 * u, h - 168 * u);
  drawScoreNumber(pass, game.matchTotal[3], pass.eyeX(161 * u), pass.eyeY(h - 130 * u),
                  PictureWest);
  pass.drawAt(PictureMWest, 0, h - 288 * u);

  switch (game.phase) {
    case PhaseDealOver:
      drawDealOverPanel(pass, game);
      break;
    case PhaseDeclaring:
      pass.drawAt(PictureCancel, w / 2 - 92 * u, h / 2 - 46 * u);
      break;
    case PhaseMatchOver:
      drawMatchOverPanel(pass, game, settings);
      break;
    default:
      break;
  }
}

}  // namespace gub
