// SPDX-License-Identifier: MIT
// The three-dimensional table: its display lists (the table and one box per
// card, each bound to its texture object) and the drawing of the one- and
// two-deck tables from the game record.
#pragma once

#include <GL/gl.h>

#include <cstdint>

#include "engine/game_state.h"
#include "engine/rules.h"
#include "engine/view_state.h"

namespace gub {

// Display lists: the table, then one per card picture (52 faces in file order,
// then one with the back on both sides, which nothing calls).
inline constexpr int32_t CardPictureCount = 53;
inline constexpr int32_t BackPicture = 52;
inline constexpr int32_t SceneListCount = 1 + CardPictureCount;

// Index of card number n's picture: clubs, diamonds, hearts, spades, each
// from the ace up.
constexpr int32_t CardPictureIndex(int32_t n) { return (n % 4) * 13 + n / 4; }

class TableScene {
 public:
  // Compiles the table list bound to `tableTexture`, and the card lists bound
  // to `cardTextures` (CardPictureCount names, the back last).
  void build(GLuint listBase, GLuint tableTexture, const GLuint* cardTextures);
  void forget() { listBase_ = 0; }

  void drawOneDeck(GameState& game, const ViewState& view) const;
  void drawTwoDecks(GameState& game, const ViewState& view) const;

 private:
  void enterTableFrame(const ViewState& view) const;
  void drawCard(int32_t n) const;
  void drawRowCard(int32_t n) const;
  // A seat's flat row: while declaring, the cards it declared (with
  // `secondDeclarations`, each second copy after the first of its kind);
  // afterwards the scoring cards it took, `takenSpacing` apart.
  void drawFlatRow(const GameState& game, const TakenScoringCards& taken, int32_t seat,
                   double takenSpacing, bool secondDeclarations) const;
  // The scoring cards a seat took, face up along its flat row.
  void drawTakenRow(const TakenScoringCards& taken, int32_t seat, double spacing) const;
  // The cards that scored nothing, face down in rows beside the table's centre.
  void drawPile(int32_t count, double spacing, int32_t rowLength) const;

  GLuint listBase_ = 0;
};

}  // namespace gub
