// SPDX-License-Identifier: MIT
// The table and the cards on it. Every card is a display list that binds its
// own face picture and the common back, so a frame is only list calls between
// matrix operations: nothing is uploaded or allocated while drawing.
#include "render/scene.h"

#include <initializer_list>

#include "engine/rules.h"
#include "engine/table_geometry.h"

namespace gub {

namespace {

using namespace geometry;

// 3.4 is a single-precision value like 2.8 and 0.35: the distance of the side
// hands and of the flat rows from the table's centre.
constexpr double SideRowDistance = FlatRowDepth;
constexpr double FlatRowTurnX = 270.0;  // lays a row's cards face up

// Where each seat's hand and flat row start, in the table frame, and the turn
// about y that makes the row run along that seat's edge of the table.
struct RowPlacement {
  double x;
  double z;
  double turnY;
};

constexpr RowPlacement HandRows[4] = {
    {-RowOffset, RowDepth, 0.0},
    {SideRowDistance, RowOffset, 90.0},
    {RowOffset, -SideRowDistance, 180.0},
    {-SideRowDistance, -RowOffset, 270.0},
};

constexpr RowPlacement FlatRows[4] = {
    {RowOffset, FlatRowDepth, 0.0},
    {SideRowDistance, -RowOffset, 90.0},
    {-RowOffset, -SideRowDistance, 180.0},
    {-SideRowDistance, RowOffset, 270.0},
};

// The trick cards lie flat in front of the table's centre, each turned
// towards the seat that played it; the offsets are in the card's own plane.
struct TrickPlacement {
  double turnY;
  double x;
  double y;
};

constexpr TrickPlacement TrickCards[4] = {
    {0.0, -0.33, -2.85},
    {90.0, -2.25, -1.4},
    {180.0, -CardSpacing, 0.8},
    {270.0, 1.5, -1.4},
};
constexpr double PairGap = 0.3;
// The second card of a pair lies on the first: lifted off the table by far
// less than a pixel (about a tenth of one at 1024 x 768, a third at 4K), but
// by hundreds of depth-buffer steps, so the overlap never shows both cards
// in stripes whatever the seat or the zoom.
constexpr double PairLift = 0.001;
constexpr double WestPairY = -1.7;  // a pair of seat 3 sits a little lower

// How close the taken scoring cards lie in a flat row: a whole card step with
// one deck, closer with two (twice as many can be taken).
constexpr double OneDeckTakenSpacing = CardSpacing;
constexpr double TwoDeckTakenSpacing = FlatRowSpacingTwoDecks;

// The pile of taken cards that score nothing, face down behind the trick.
constexpr double PileX = -2.2;
constexpr double PileZ = -0.4;
constexpr double PileSpacing = 0.2;
constexpr double PileSpacingTwoDecks = 0.1;
constexpr int32_t PileRowLength = 18;
constexpr int32_t PileRowLengthTwoDecks = 36;
constexpr double PileRowBack = -3.6;
constexpr int32_t PileCard = 10;  // any card: only its back is seen

constexpr double TableHalf = 4.0;

// The box of one card with its local origin at the lower left corner of the
// back; the face looks towards +z.
void emitCardBox(GLuint faceTexture, GLuint backTexture) {
  constexpr double W = CardWidth;
  constexpr double H = CardHeight;
  constexpr double T = CardThickness;
  glBindTexture(GL_TEXTURE_2D, faceTexture);
  glBegin(GL_POLYGON);
  glNormal3d(0, 0, 1);
  glTexCoord2d(0, 1);
  glVertex3d(0, H, T);
  glTexCoord2d(0, FaceT0);
  glVertex3d(0, 0, T);
  glTexCoord2d(FaceS, FaceT0);
  glVertex3d(W, 0, T);
  glTexCoord2d(FaceS, 1);
  glVertex3d(W, H, T);
  glEnd();

  // Seen from behind the back picture is not mirrored: s runs against x.
  glBindTexture(GL_TEXTURE_2D, backTexture);
  glBegin(GL_POLYGON);
  glNormal3d(0, 0, -1);
  glTexCoord2d(0, 1);
  glVertex3d(W, H, 0);
  glTexCoord2d(0, FaceT0);
  glVertex3d(W, 0, 0);
  glTexCoord2d(FaceS, FaceT0);
  glVertex3d(0, 0, 0);
  glTexCoord2d(FaceS, 1);
  glVertex3d(0, H, 0);
  glEnd();

  // The sides keep the back's last texture coordinate.
  glBegin(GL_POLYGON);
  glNormal3d(1, 0, 0);
  glVertex3d(W, H, T);
  glVertex3d(W, 0, T);
  glVertex3d(W, 0, 0);
  glVertex3d(W, H, 0);
  glEnd();
  glBegin(GL_POLYGON);
  glNormal3d(-1, 0, 0);
  glVertex3d(0, H, T);
  glVertex3d(0, H, 0);
  glVertex3d(0, 0, 0);
  glVertex3d(0, 0, T);
  glEnd();
  glBegin(GL_POLYGON);
  glNormal3d(0, -1, 0);
  glVertex3d(0, 0, T);
  glVertex3d(0, 0, 0);
  glVertex3d(W, 0, 0);
  glVertex3d(W, 0, T);
  glEnd();
  glBegin(GL_POLYGON);
  glNormal3d(0, 1, 0);
  glVertex3d(0, H, T);
  glVertex3d(W, H, T);
  glVertex3d(W, H, 0);
  glVertex3d(0, H, 0);
  glEnd();
}

void emitTable(GLuint texture) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glColor3d(1, 1, 1);
  // The front edge hangs from the near side and shows the picture turned.
  glBegin(GL_POLYGON);
  glNormal3d(0, 0, 1);
  glTexCoord2d(0, 1);
  glVertex3d(-TableHalf, 0, TableHalf);
  glTexCoord2d(1, 1);
  glVertex3d(-TableHalf, -TableHalf, TableHalf);
  glTexCoord2d(1, 0);
  glVertex3d(TableHalf, -TableHalf, TableHalf);
  glTexCoord2d(0, 0);
  glVertex3d(TableHalf, 0, TableHalf);
  glEnd();
  glBegin(GL_POLYGON);
  glNormal3d(0, 1, 0);
  glTexCoord2d(0, 0);
  glVertex3d(-TableHalf, 0, TableHalf);
  glTexCoord2d(1, 0);
  glVertex3d(TableHalf, 0, TableHalf);
  glTexCoord2d(1, 1);
  glVertex3d(TableHalf, 0, -TableHalf);
  glTexCoord2d(0, 1);
  glVertex3d(-TableHalf, 0, -TableHalf);
  glEnd();
}

void enterRow(const RowPlacement& row) {
  glTranslated(row.x, 0, row.z);
  if (row.turnY != 0.0) glRotated(row.turnY, 0, 1, 0);
}

void enterTrickSeat(int32_t seat) {
  if (TrickCards[seat].turnY != 0.0) glRotated(TrickCards[seat].turnY, 0, 1, 0);
  glRotated(FlatRowTurnX, 1, 0, 0);
}

bool isCardNumber(int32_t n) { return n >= 0 && n < 52; }

int32_t clampCount(int32_t value, int32_t low, int32_t high) {
  return value < low ? low : (value > high ? high : value);
}

int32_t takenTotal(const TakenScoringCards& taken) {
  int32_t total = 0;
  for (int32_t seat = 0; seat < 4; ++seat) total += taken.count[seat];
  return total;
}

}  // namespace

void TableScene::build(GLuint listBase, GLuint tableTexture, const GLuint* cardTextures) {
  listBase_ = listBase;
  glNewList(listBase_, GL_COMPILE);
  emitTable(tableTexture);
  glEndList();
  for (int32_t k = 0; k < CardPictureCount; ++k) {
    glNewList(listBase_ + 1 + static_cast<GLuint>(k), GL_COMPILE);
    emitCardBox(cardTextures[k], cardTextures[BackPicture]);
    glEndList();
  }
}

void TableScene::drawCard(int32_t n) const {
  if (listBase_ == 0 || !isCardNumber(n)) return;
  glCallList(listBase_ + 1 + static_cast<GLuint>(CardPictureIndex(n)));
}

// Hands, flat rows and the pile turn every card by 1 degree about its height.
void TableScene::drawRowCard(int32_t n) const {
  glPushMatrix();
  glRotated(RowCardTurnDegrees, 0, 1, 0);
  drawCard(n);
  glPopMatrix();
}

void TableScene::drawTakenRow(const TakenScoringCards& taken, int32_t seat, double spacing) const {
  const int32_t count = clampCount(taken.count[seat], 0, 104);
  for (int32_t i = 0; i < count; ++i) {
    glTranslated(-spacing, 0, 0);
    drawRowCard(taken.cards[seat][i]);
  }
}

void TableScene::drawPile(int32_t count, double spacing, int32_t rowLength) const {
  glPushMatrix();
  glTranslated(PileX, 0, PileZ);
  glRotated(90, 1, 0, 0);
  for (int32_t i = 0; i < count; ++i) {
    if (i == rowLength) glTranslated(PileRowBack, -1, 0);
    glTranslated(spacing, 0, 0);
    drawRowCard(PileCard);
  }
  glPopMatrix();
}

void TableScene::drawFlatRow(const GameState& game, const TakenScoringCards& taken, int32_t seat,
                             double takenSpacing, bool secondDeclarations) const {
  glPushMatrix();
  enterRow(FlatRows[seat]);
  glRotated(FlatRowTurnX, 1, 0, 0);
  if (game.phase == PhaseDeclaring) {
    for (int32_t kind = 0; kind < 4; ++kind) {
      for (const Declaration* declaration :
           {&game.declarations[kind],
            secondDeclarations ? &game.secondDeclarations[kind] : nullptr}) {
        if (declaration == nullptr || declaration->card == -1 || declaration->seat != seat)
          continue;
        glTranslated(-CardSpacing, 0, 0);
        drawRowCard(declaration->card);
      }
    }
  } else {
    drawTakenRow(taken, seat, takenSpacing);
  }
  glPopMatrix();
}

void TableScene::enterTableFrame(const ViewState& view) const {
  glPushMatrix();
  glTranslated(0, 0, -TableDistance);
  glRotated(view.viewTiltDegrees, 1, 0, 0);
  glRotated(view.viewTurnDegrees, 0, 1, 0);
  glScalef(view.zoomScale[0], view.zoomScale[1], view.zoomScale[2]);
  if (listBase_ != 0) glCallList(listBase_);
}

void TableScene::drawOneDeck(GameState& game, const ViewState& view) const {
  enterTableFrame(view);
  TakenScoringCards taken;
  BuildTakenListsAndGubTaker(game, taken);

  for (int32_t seat = 0; seat < 4; ++seat) {
    glPushMatrix();
    enterRow(HandRows[seat]);
    for (int32_t slot = 0; slot < OneDeckHandSize; ++slot) {
      glTranslated(CardSpacing, 0, 0);
      const int32_t card = game.oneDeckHands[seat][slot];
      if (card == -1) break;
      drawRowCard(card);
    }
    glPopMatrix();

    drawFlatRow(game, taken, seat, OneDeckTakenSpacing, false);
  }

  if (game.phase == PhasePlaying) {
    for (const TrickPlay& play : game.currentTrick) {
      if (play.card == -1 || play.seat < 0 || play.seat > 3) continue;
      glPushMatrix();
      enterTrickSeat(play.seat);
      glTranslated(TrickCards[play.seat].x, TrickCards[play.seat].y, 0);
      drawCard(play.card);
      glPopMatrix();
    }
  }

  // Four cards per completed trick, less the scoring cards in the flat rows.
  const int32_t tricks = clampCount(game.trickNumber, 0, OneDeckHandSize);
  const int32_t pile = clampCount(4 * tricks - takenTotal(taken), 0, 52);
  drawPile(pile, PileSpacing, PileRowLength);

  glPopMatrix();
}

void TableScene::drawTwoDecks(GameState& game, const ViewState& view) const {
  enterTableFrame(view);
  TakenScoringCards taken;
  BuildTakenListsTwoDecksAndGubTaker(game, taken);

  for (int32_t seat = 0; seat < 4; ++seat) {
    glPushMatrix();
    enterRow(HandRows[seat]);
    // Half spacing, with the first card where it sits with one deck.
    glTranslated(TwoDeckCardSpacing, 0, 0);
    for (int32_t slot = 0; slot < TwoDeckHandSize; ++slot) {
      glTranslated(TwoDeckCardSpacing, 0, 0);
      const int32_t card = game.twoDeckHands[seat][slot];
      if (card == -1) break;
      if (seat == 0 && game.raised[slot] != 0) {
        glPushMatrix();
        glRotated(RowCardTurnDegrees, 0, 1, 0);
        glTranslated(0, RaisedLift, 0);
        drawCard(card);
        glTranslated(0, -RaisedLift, 0);
        glPopMatrix();
      } else {
        drawRowCard(card);
      }
    }
    glPopMatrix();

    drawFlatRow(game, taken, seat, TwoDeckTakenSpacing, true);
  }

  if (game.phase == PhasePlaying) {
    for (const TrickPlay& play : game.currentTrick) {
      if (play.card == -1 || play.seat < 0 || play.seat > 3) continue;
      const bool pair = play.second != -1;
      glPushMatrix();
      enterTrickSeat(play.seat);
      const TrickPlacement& place = TrickCards[play.seat];
      glTranslated(place.x, play.seat == 3 && pair ? WestPairY : place.y, 0);
      if (!pair) {
        drawCard(play.card);
      } else if (play.seat == 1) {
        drawRowCard(play.card);
        glTranslated(PairGap, 0, PairLift);
        drawRowCard(play.second);
      } else if (play.seat == 3) {
        // Seat 3's pair is turned the other way from a row card.
        glPushMatrix();
        glRotated(RowCardTurnDegrees, 0, -1, 0);
        drawCard(play.card);
        glPopMatrix();
        glTranslated(-PairGap, 0, PairLift);
        glPushMatrix();
        glRotated(RowCardTurnDegrees, 0, -1, 0);
        drawCard(play.second);
        glPopMatrix();
      } else {
        drawCard(play.card);
        glTranslated(play.seat == 0 ? -PairGap : PairGap, 0, PairLift);
        drawCard(play.second);
      }
      glPopMatrix();
    }
  }

  // Four cards per play of a completed trick, eight when it was led with a pair.
  const int32_t tricks = clampCount(game.trickNumber, 0, TwoDeckHandSize);
  int32_t played = 0;
  for (int32_t t = 0; t < tricks; ++t) {
    if (game.trickHistory[t].cards[0] != -1) played += 4;
    if (game.trickHistory[t].seconds[0] != -1) played += 4;
  }
  const int32_t pile = clampCount(played - takenTotal(taken), 0, 104);
  drawPile(pile, PileSpacingTwoDecks, PileRowLengthTwoDecks);

  glPopMatrix();
}

}  // namespace gub
