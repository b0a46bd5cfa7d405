// SPDX-License-Identifier: MIT
// How the player has done, per deck variant: kept in a small file of its own
// beside the other per-user data, never in the settings file.
#pragma once

#include <cstdint>
#include <string>

namespace gub {

struct VariantRecord {
  int64_t matchesPlayed = 0;
  int64_t matchesWon = 0;
  int64_t deals = 0;
  int64_t dealScoreSum = 0;
  int32_t bestDeal = 0;  // meaningful once deals > 0
  int32_t worstDeal = 0;
};

struct Statistics {
  VariantRecord variants[2];  // one deck, two decks

  void recordDeal(bool twoDecks, int32_t score);
  void recordMatch(bool twoDecks, bool won);
};

// ${XDG_DATA_HOME:-$HOME/.local/share}/gub-cards/statistics; empty when
// neither variable gives a place.
std::string statisticsPath();

// A missing, unreadable or damaged file reads as no games at all; the next
// save then writes a sound one in its place.
Statistics loadStatistics(const std::string& path);
// Through a temporary file renamed over the old one, so a crash mid-write
// leaves the previous file whole. Creates the folder. False on failure.
bool saveStatistics(const std::string& path, const Statistics& statistics);

}  // namespace gub
