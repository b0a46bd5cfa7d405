// SPDX-License-Identifier: MIT
// The statistics file: a header line, then one line per deck variant.
#include "shell/statistics.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace gub {

namespace {

constexpr const char* Header = "gub-cards statistics 1";
constexpr const char* VariantNames[2] = {"one-deck", "two-decks"};
// Far beyond any real file; a longer one is not ours.
constexpr std::uintmax_t LargestFile = 4096;

bool sane(const VariantRecord& r) {
  if (r.matchesPlayed < 0 || r.matchesWon < 0 || r.matchesWon > r.matchesPlayed || r.deals < 0) {
    return false;
  }
  if (r.deals == 0) return r.dealScoreSum == 0;
  return r.bestDeal >= r.worstDeal &&
         r.dealScoreSum >= r.deals * static_cast<int64_t>(r.worstDeal) &&
         r.dealScoreSum <= r.deals * static_cast<int64_t>(r.bestDeal);
}

}  // namespace

void Statistics::recordDeal(bool twoDecks, int32_t score) {
  VariantRecord& r = variants[twoDecks ? 1 : 0];
  if (r.deals == 0 || score > r.bestDeal) r.bestDeal = score;
  if (r.deals == 0 || score < r.worstDeal) r.worstDeal = score;
  ++r.deals;
  r.dealScoreSum += score;
}

void Statistics::recordMatch(bool twoDecks, bool won) {
  VariantRecord& r = variants[twoDecks ? 1 : 0];
  ++r.matchesPlayed;
  if (won) ++r.matchesWon;
}

std::string statisticsPath() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::filesystem::path base;
  // A relative value is to be ignored, as for every XDG variable.
  if (data != nullptr && data[0] == '/') {
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') return {};
    base = std::filesystem::path(home) / ".local" / "share";
  }
  return (base / "gub-cards" / "statistics").string();
}

Statistics loadStatistics(const std::string& path) {
  Statistics none;
  std::error_code error;
  if (path.empty() || !std::filesystem::is_regular_file(path, error)) return none;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > LargestFile) return none;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!std::getline(in, line) || line != Header) return none;
  Statistics read;
  for (int32_t v = 0; v < 2; ++v) {
    if (!std::getline(in, line)) return none;
    std::istringstream fields(line);
    std::string name, rest;
    VariantRecord& r = read.variants[v];
    if (!(fields >> name >> r.matchesPlayed >> r.matchesWon >> r.deals >> r.dealScoreSum >>
          r.bestDeal >> r.worstDeal) ||
        name != VariantNames[v] || (fields >> rest) || !sane(r)) {
      return none;
    }
  }
  if (std::getline(in, line) && !line.empty()) return none;
  return read;
}

bool saveStatistics(const std::string& path, const Statistics& statistics) {
  if (path.empty()) return false;
  std::error_code error;
  const std::filesystem::path target(path);
  std::filesystem::create_directories(target.parent_path(), error);
  if (error) return false;
  const std::filesystem::path temporary = target.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << Header << '\n';
    for (int32_t v = 0; v < 2; ++v) {
      const VariantRecord& r = statistics.variants[v];
      out << VariantNames[v] << ' ' << r.matchesPlayed << ' ' << r.matchesWon << ' ' << r.deals
          << ' ' << r.dealScoreSum << ' ' << r.bestDeal << ' ' << r.worstDeal << '\n';
    }
    out.flush();
    if (!out) {
      out.close();
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace gub
