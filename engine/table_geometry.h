// SPDX-License-Identifier: MIT
// Where things sit on the 3-D table. The scene drawing and the hand hit test
// both read these, so a click lands on the card that is drawn under it.
#pragma once

namespace gub::geometry {

// Camera: the table frame is pushed this far into the screen, then tilted.
inline constexpr double TableDistance = static_cast<double>(8.8f);
inline constexpr double FieldOfViewDegrees = 45.0;
inline constexpr double NearPlane = 1.0;
inline constexpr double FarPlane = 12.0;
inline constexpr double OverlayPlaneDistance = 3.0;  // eye distance of the flat pictures

// Card box, in table units.
inline constexpr double CardWidth = 0.6666666666666666;
inline constexpr double CardHeight = 1.0;
inline constexpr double CardThickness = 0.017391304347826087;  // 2/115
inline constexpr double RowCardTurnDegrees = 1.0;
inline constexpr double RaisedLift = 0.15;

// Texture region of the card face: 71 x 96 pixels at the top left of 128 x 128.
inline constexpr double FaceS = 0.5546875;
inline constexpr double FaceT0 = 0.25;

// Rows. Seat 0's hand starts at (-2.8, 0, 3.9); each card is one spacing
// further right (the first card too: the row translates before every card).
inline constexpr double RowOffset = static_cast<double>(2.8f);
inline constexpr double RowDepth = 3.9;
inline constexpr double FlatRowDepth = static_cast<double>(3.4f);
inline constexpr double CardSpacing = static_cast<double>(0.35f);
inline constexpr double TwoDeckCardSpacing = 0.175;
inline constexpr double FlatRowSpacingTwoDecks = 0.175;

// The hand hit test projects the left edges of seat 0's cards at x = -2.45 +
// 0.35 i (0.175 i with two decks) on the faces' plane (z 3.9 plus a card's
// thickness) and the top edge of the row's back plane (y 1, z 3.9), with
// the zoom. It keeps the decimal values of its own
// formula; they differ from the drawing's single-precision ones by less than
// 1e-7 table units, far below a pixel.
inline constexpr double HitTableDistance = 8.8;
inline constexpr double HitFirstEdge = -2.45;
inline constexpr double HitCardSpacing = 0.35;
inline constexpr double HitTwoDeckCardSpacing = 0.175;
inline constexpr double HitRowDepth = 3.9;

}  // namespace gub::geometry
