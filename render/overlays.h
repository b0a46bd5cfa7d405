// SPDX-License-Identifier: MIT
// The flat pictures drawn with glDrawPixels over the table: the title picture,
// the declaration strip, the menu corner, the running totals with their labels
// and player pictures, and the panels of the declaring, deal-over and
// match-over phases, each where the screen layout places it.
#pragma once

#include <cstdint>

#include "engine/game_state.h"
#include "engine/settings.h"
#include "engine/view_state.h"
#include "layout/screen_layout.h"
#include "render/image_loaders.h"

namespace gub {

// The overlay pictures in the order they are loaded at window creation.
enum OverlayPicture : int32_t {
  PictureMenu,
  PictureEast,
  PictureNorth,
  PictureWest,
  PictureDigit0,
  PictureDigit9 = PictureDigit0 + 9,
  PictureYou,
  PictureHu,
  PicturePlus,
  PictureMinus,
  PictureCancel,
  PictureEnd,
  PictureBack,
  PictureDisplay,
  PictureGub,
  PictureSheep,
  PictureDouble,
  PictureRedT,
  PictureMEast,
  PictureMNorth,
  PictureMWest,
  PictureCount,
  NoPicture = -1,
};

// File name of each picture, relative to the current folder.
extern const char* const OverlayFileNames[PictureCount];

struct OverlayPictures {
  OverlayImage images[PictureCount];
  // Loads every picture in order; a missing or refused one stays empty.
  void loadAll();
  // The same in two steps: the title picture, which is all the title screen
  // shows, then every other picture in order.
  void loadTitle();
  void loadTable();
};

// One pass of flat pictures: the screen layout of the client size, and the mapping
// from window pixels to raster positions on the eye-space plane z = -3.
class OverlayPass {
 public:
  OverlayPass(const OverlayPictures& pictures, const ViewState& view);

  bool drawable() const { return width_ > 0 && height_ > 0; }
  const layout::ScreenLayout& layout() const { return layout_; }
  double unit() const { return layout_.unit; }

  // Eye-space x and y of a window position. Positions on the left or bottom
  // edge are moved a hair inwards: a raster position on the edge of the view
  // volume may be clipped, and GL then drops the whole picture.
  double eyeX(double windowX) const;
  double eyeY(double windowY) const;
  // Eye-space width of `pixels` window pixels.
  double eyeSpan(double pixels) const;

  void drawAtEye(int32_t picture, double x, double y) const;
  void drawAt(int32_t picture, layout::Spot spot) const {
    drawAtEye(picture, eyeX(spot.x), eyeY(spot.y));
  }

 private:
  const OverlayPictures& pictures_;
  layout::ScreenLayout layout_;
  double width_;
  double height_;
  double halfHeight_;  // Q
  double halfWidth_;   // R
};

void drawTitlePicture(const OverlayPictures& pictures, const ViewState& view);
void drawOverlays(const OverlayPictures& pictures, const GameState& game, const Settings& settings,
                  const ViewState& view);
// A signed number composed right to left from `startEyeX` in digit steps,
// then its sign and `label` (NoPicture for none). Needs the pass's matrices.
void drawScoreNumber(const OverlayPass& pass, int32_t value, double startEyeX, double eyeY,
                     int32_t label);

}  // namespace gub
