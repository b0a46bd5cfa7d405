// SPDX-License-Identifier: MIT
// The statistics file: a round trip, and damaged files read as no games and
// replaced by a sound one at the next save.
#include "shell/statistics.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace gub {
namespace {

class StatisticsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("gub-statistics-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    path_ = (folder_ / "gub-cards" / "statistics").string();
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  static Statistics sample() {
    Statistics s;
    s.recordDeal(false, -120);
    s.recordDeal(false, 50);
    s.recordDeal(false, 0);
    s.recordMatch(false, true);
    s.recordDeal(true, -400);
    s.recordMatch(true, false);
    s.recordMatch(true, false);
    return s;
  }

  static void expectEqual(const Statistics& a, const Statistics& b) {
    for (int v = 0; v < 2; ++v) {
      const VariantRecord &x = a.variants[v], &y = b.variants[v];
      EXPECT_EQ(x.matchesPlayed, y.matchesPlayed) << v;
      EXPECT_EQ(x.matchesWon, y.matchesWon) << v;
      EXPECT_EQ(x.deals, y.deals) << v;
      EXPECT_EQ(x.dealScoreSum, y.dealScoreSum) << v;
      EXPECT_EQ(x.bestDeal, y.bestDeal) << v;
      EXPECT_EQ(x.worstDeal, y.worstDeal) << v;
    }
  }

  std::filesystem::path folder_;
  std::string path_;
};

TEST_F(StatisticsFileTest, RecordsAndRoundTrip) {
  const Statistics s = sample();
  EXPECT_EQ(s.variants[0].deals, 3);
  EXPECT_EQ(s.variants[0].dealScoreSum, -70);
  EXPECT_EQ(s.variants[0].bestDeal, 50);
  EXPECT_EQ(s.variants[0].worstDeal, -120);
  EXPECT_EQ(s.variants[1].matchesPlayed, 2);
  EXPECT_EQ(s.variants[1].matchesWon, 0);
  ASSERT_TRUE(saveStatistics(path_, s));  // creates the folders
  expectEqual(loadStatistics(path_), s);
  EXPECT_FALSE(std::filesystem::exists(path_ + ".tmp"));
}

TEST_F(StatisticsFileTest, DamagedFilesReadAsNoGamesAndAreRebuilt) {
  ASSERT_TRUE(saveStatistics(path_, sample()));
  std::string good;
  {
    std::ifstream in(path_, std::ios::binary);
    good.assign(std::istreambuf_iterator<char>(in), {});
  }
  const std::string damaged[] = {
      "",
      good.substr(0, good.size() / 2),           // truncated mid-line
      good.substr(0, good.find('\n') + 1),       // header only
      std::string("\x00\xff\x13garbage\n", 11),  // not ours at all
      "gub-cards statistics 1\none-deck 1 2 0 0 0 0\ntwo-decks 0 0 0 0 0 0\n",       // won > played
      "gub-cards statistics 1\none-deck 0 0 1 500 10 -10\ntwo-decks 0 0 0 0 0 0\n",  // sum > best
      "gub-cards statistics 1\none-deck 0 0 0 0 0 0\ntwo-decks 0 0 0 0 0 0 7\n",     // extra field
      good + "more\n",
      std::string(10000, '9'),
  };
  for (const std::string& text : damaged) {
    {
      std::ofstream out(path_, std::ios::binary | std::ios::trunc);
      out << text;
    }
    const Statistics read = loadStatistics(path_);
    expectEqual(read, Statistics{});
    Statistics next = read;
    next.recordDeal(false, 30);
    ASSERT_TRUE(saveStatistics(path_, next));
    expectEqual(loadStatistics(path_), next);
  }
  // A folder in the file's place, or no place at all: no games, no crash.
  std::filesystem::remove(path_);
  std::filesystem::create_directories(path_);
  expectEqual(loadStatistics(path_), Statistics{});
  EXPECT_FALSE(saveStatistics(path_, sample()));
  expectEqual(loadStatistics(""), Statistics{});
}

}  // namespace
}  // namespace gub
