// SPDX-License-Identifier: MIT
// Shared set-up of the pixel tests: one software-rendered EGL pbuffer, a
// scratch folder holding the plain picture set as the current folder, and a
// renderer created in it, as the window creates it.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/game_state.h"
#include "engine/settings.h"
#include "engine/table_geometry.h"
#include "engine/view_state.h"
#include "render/offscreen_context.h"
#include "render/renderer.h"
#include "render/testkit.h"

namespace gub::pixeltest {

// A read-back frame; coordinates are GL window pixels (y up from the bottom).
struct Frame {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgb;

  bmp::Rgb at(int32_t x, int32_t y) const {
    const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
  }
  bool is(int32_t x, int32_t y, bmp::Rgb c) const {
    const bmp::Rgb p = at(x, y);
    return p.r == c.r && p.g == c.g && p.b == c.b;
  }
  int32_t count(bmp::Rgb c) const {
    int32_t n = 0;
    for (int32_t y = 0; y < height; ++y)
      for (int32_t x = 0; x < width; ++x) n += is(x, y, c) ? 1 : 0;
    return n;
  }
  int32_t countCard(int32_t card) const {
    int32_t n = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) {
      n += testkit::cardFromColour(rgb[i], rgb[i + 1], rgb[i + 2]) == card ? 1 : 0;
    }
    return n;
  }
};

inline ::testing::AssertionResult colourIs(const Frame& frame, int32_t x, int32_t y, bmp::Rgb c) {
  const bmp::Rgb p = frame.at(x, y);
  if (p.r == c.r && p.g == c.g && p.b == c.b) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "pixel (" << x << ", " << y << ") is (" << int(p.r) << ", " << int(p.g) << ", "
         << int(p.b) << "), expected (" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

inline bmp::Rgb overlay(int32_t picture) { return testkit::overlayColour(picture); }

// Messages of the loaders, recorded instead of shown.
inline std::vector<std::string>& loaderMessages() {
  static std::vector<std::string> messages;
  return messages;
}
inline void recordLoaderMessage(const char* text) { loaderMessages().emplace_back(text); }

// A game record with nothing on the table: empty hands, no tricks.
inline GameState emptyTable(int32_t phase) {
  GameState game;
  for (auto& hand : game.oneDeckHands)
    for (int32_t& c : hand) c = -1;
  for (auto& hand : game.twoDeckHands)
    for (int32_t& c : hand) c = -1;
  for (TrickRecord& record : game.trickHistory) {
    record.winner = -1;
    for (int32_t& c : record.cards) c = -1;
    for (int32_t& c : record.seconds) c = -1;
  }
  for (TrickPlay& play : game.currentTrick) play = {-1, -1, -1};
  game.trickNumber = 0;
  game.phase = phase;
  game.heartsMult = game.gubMult = game.sheepMult = game.doubleMult = 1;
  return game;
}

class PixelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    context_ = new OffscreenContext;
    std::string error;
    if (!context_->create(1024, 768, error)) {
      contextError_ = error;
      return;
    }
    char pattern[] = "/tmp/gub-pixels-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
    char* here = getcwd(nullptr, 0);
    previousFolder_ = here;
    free(here);
    ASSERT_EQ(chdir(folder_.c_str()), 0);
  }

  static void TearDownTestSuite() {
    delete context_;
    context_ = nullptr;
    if (!previousFolder_.empty()) {
      EXPECT_EQ(chdir(previousFolder_.c_str()), 0);
    }
    if (!folder_.empty()) {
      const std::string command = "rm -rf '" + folder_ + "'";
      EXPECT_EQ(system(command.c_str()), 0);
    }
  }

  void SetUp() override {
    ASSERT_TRUE(contextError_.empty()) << "no EGL pbuffer: " << contextError_;
    ASSERT_TRUE(testkit::writePictures(folder_));
    loaderMessages().clear();
    setLoaderMessageHook(recordLoaderMessage);
  }

  void TearDown() override {
    if (renderer_) renderer_->releaseGl();
    renderer_.reset();
    setLoaderMessageHook(nullptr);
  }

  // The window's creation order: table texture first, then the GL set-up.
  void createRenderer() {
    if (renderer_) renderer_->releaseGl();
    renderer_ = std::make_unique<Renderer>();
    renderer_->loadTableTexture();
    renderer_->createGl();
  }

  Frame draw(GameState& game, const Settings& settings, ViewState& view, int32_t width,
             int32_t height, int32_t screenMode = ScreenGame) {
    if (!renderer_) createRenderer();
    if (context_->width() != width || context_->height() != height) {
      std::string error;
      EXPECT_TRUE(context_->resizeSurface(width, height, error)) << error;
    }
    // Keep the zoom and tilt the test set; the resize writes only the size.
    renderer_->resize(view, width, height);
    renderer_->drawScene(game, settings, view, screenMode);
    glFinish();
    Frame frame;
    frame.width = width;
    frame.height = height;
    frame.rgb = context_->readPixels();
    return frame;
  }

  // Window position of a point given in seat 0's hand frame (before the 1
  // degree turn), under the scene camera and the view's zoom.
  static void project(const ViewState& view, double x, double y, double z, double& windowX,
                      double& windowY) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslated(0, 0, -geometry::TableDistance);
    glRotated(view.viewTiltDegrees, 1, 0, 0);
    glRotated(view.viewTurnDegrees, 0, 1, 0);
    glScalef(view.zoomScale[0], view.zoomScale[1], view.zoomScale[2]);
    GLdouble model[16];
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPopMatrix();
    GLdouble wx = 0;
    GLdouble wy = 0;
    GLdouble wz = 0;
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    windowX = wx;
    windowY = wy;
  }

  static inline OffscreenContext* context_ = nullptr;
  static inline std::string contextError_;
  static inline std::string folder_;
  static inline std::string previousFolder_;
  std::unique_ptr<Renderer> renderer_;
};

}  // namespace gub::pixeltest
