// SPDX-License-Identifier: MIT
// Small helpers shared by the rule files and the computer seats: score
// arithmetic that clamps at the 32-bit limits instead of overflowing (a huge
// score limit lets the running totals grow without bound), the card and seat
// checks, the declarations' multipliers and the walk over the taken cards.
#pragma once

#include <cstdint>
#include <limits>

#include "engine/game_state.h"

namespace gub {

constexpr int32_t ClampToInt32(int64_t v) {
  constexpr int64_t lo = std::numeric_limits<int32_t>::min();
  constexpr int64_t hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v < lo ? lo : (v > hi ? hi : v));
}

// `b` is 64-bit so that callers can pass a sum of two 32-bit values.
constexpr int32_t SaturatingAdd(int32_t a, int64_t b) {
  return ClampToInt32(static_cast<int64_t>(a) + b);
}

constexpr int32_t SaturatingMul(int32_t a, int32_t b) {
  return ClampToInt32(static_cast<int64_t>(a) * static_cast<int64_t>(b));
}

// True for a card number 0..51 (hands and tricks use -1 for "none").
constexpr bool IsCard(int32_t n) { return static_cast<uint32_t>(n) < 52u; }

// True for a seat number 0..3.
constexpr bool IsSeat(int32_t seat) { return static_cast<uint32_t>(seat) < 4u; }

// The tricks completed in this deal, as a count of history records.
constexpr int32_t PlayedTricks(const GameState& game) {
  const int32_t n = game.trickNumber;
  return n < 0 ? 0 : (n > 26 ? 26 : n);
}

// The declaration index of a declarable card (DeclGub ... DeclSheep), -1 for
// any other card.
constexpr int32_t DeclarationOf(int32_t card) {
  switch (card) {
    case CardGub:
      return DeclGub;
    case CardHeartAce:
      return DeclHeartAce;
    case CardDouble:
      return DeclDouble;
    case CardSheep:
      return DeclSheep;
    default:
      return -1;
  }
}

// The multiplier a declaration sets to 2.
constexpr int32_t& Multiplier(GameState& game, int32_t declaration) {
  switch (declaration) {
    case DeclGub:
      return game.gubMult;
    case DeclHeartAce:
      return game.heartsMult;
    case DeclDouble:
      return game.doubleMult;
    default:
      return game.sheepMult;
  }
}
constexpr int32_t Multiplier(const GameState& game, int32_t declaration) {
  return Multiplier(const_cast<GameState&>(game), declaration);
}

// True when `card` is a declarable card that has been declared this deal.
constexpr bool IsDeclared(const GameState& game, int32_t card) {
  const int32_t declaration = DeclarationOf(card);
  return declaration >= 0 && Multiplier(game, declaration) == 2;
}

// Calls visit(seat, card) for every card taken in history records
// 0..records-1 (with `withSeconds`, the second cards of two-deck plays too).
// A record whose winner is not a seat was not played in this deal.
template <class Visit>
void ForEachTakenCard(const GameState& game, int32_t records, bool withSeconds, Visit&& visit) {
  for (int32_t t = 0; t < records; ++t) {
    const TrickRecord& record = game.trickHistory[t];
    if (!IsSeat(record.winner)) continue;
    for (int32_t k = 0; k < 4; ++k) {
      if (IsCard(record.cards[k])) visit(record.winner, record.cards[k]);
      if (withSeconds && IsCard(record.seconds[k])) visit(record.winner, record.seconds[k]);
    }
  }
}

}  // namespace gub
