// SPDX-License-Identifier: MIT
// The OpenGL side of the window: set-up at window creation, the state applied
// on every resize, and the drawing of one whole frame. Knows GL, not wx: it
// draws into whatever context is current.
#pragma once

#include <cstdint>

#include "engine/game_state.h"
#include "engine/settings.h"
#include "engine/view_state.h"
#include "render/image_loaders.h"  // setLoaderMessageHook for the shell

namespace gub {

// A mark drawn over a card of the player's hand, in client pixels (y down):
// the card's strip and the rows its face spans.
struct HandMark {
  enum Kind : int32_t { Cursor, Hint };
  int32_t left;
  int32_t right;
  int32_t top;
  int32_t bottom;
  Kind kind;
};

class Renderer {
 public:
  Renderer();
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // Optional, before the GL set-up: load "bg/table.bg" from the current
  // folder now rather than in `createTableGl`.
  void loadTableTexture();
  // With the new context current: GL state, the clear colour and the title
  // picture, all that the title screen draws.
  void createTitleGl();
  // Then, with the title already on the screen, everything a game frame
  // needs: the table texture, the table and card lists, the 53 card pictures
  // and the other overlay pictures. Each texture's own copy of its pixels is
  // freed once GL holds them. Runs once; the flat pictures stay in memory,
  // as glDrawPixels draws them from there.
  void createTableGl();
  // Both of the above at once (tests and benchmarks).
  void createGl();
  // Every size change: client size into `view`, viewport, projection, light,
  // material and texture state.
  void resize(ViewState& view, int32_t width, int32_t height);
  // One whole frame into the back buffer; the caller swaps. Building the
  // taken-card lists here also follows `gubTakerSeat`, hence the non-const game.
  void drawScene(GameState& game, const Settings& settings, const ViewState& view,
                 int32_t screenMode);
  // Marks drawn over the hand in every later frame of the table, until
  // replaced; none by default, and then nothing is drawn for them.
  void setHandMarks(const HandMark* marks, int32_t count);
  // With the context still current: delete what createGl made.
  void releaseGl();

 private:
  struct Impl;
  Impl* impl_;
};

}  // namespace gub
