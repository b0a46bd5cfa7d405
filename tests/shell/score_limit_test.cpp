// SPDX-License-Identifier: MIT
// The score-limit field: which texts are accepted, and as what number.
#include "shell/score_limit.h"

#include <gtest/gtest.h>

#include <string>

namespace gub {
namespace {

TEST(ScoreLimitTest, PlainNumbersWithBlanksAndPlus) {
  EXPECT_EQ(parseScoreLimit("500"), 500);
  EXPECT_EQ(parseScoreLimit("  500  "), 500);
  EXPECT_EQ(parseScoreLimit("\t500\t "), 500);
  EXPECT_EQ(parseScoreLimit("+500"), 500);
  EXPECT_EQ(parseScoreLimit(" +25"), 25);
  EXPECT_EQ(parseScoreLimit("007"), 7);
  EXPECT_EQ(parseScoreLimit("1"), 1);
}

TEST(ScoreLimitTest, ZeroMustBeWrittenAsADigit) {
  EXPECT_EQ(parseScoreLimit("0"), 0);
  EXPECT_EQ(parseScoreLimit("  000 "), 0);
  EXPECT_EQ(parseScoreLimit(""), std::nullopt);
  EXPECT_EQ(parseScoreLimit("   "), std::nullopt);
  EXPECT_EQ(parseScoreLimit("\t"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("+"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("+0"), std::nullopt);
}

TEST(ScoreLimitTest, SignsAndStrayCharactersAreRefused) {
  EXPECT_EQ(parseScoreLimit("-500"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("  -0"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("+-5"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("++5"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("abc"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("12abc"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("12 34"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("1.5"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("0x10"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("\n500"), std::nullopt) << "only blanks and tabs are skipped";
  EXPECT_EQ(parseScoreLimit("500\n"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("\xef\xbc\x95"), std::nullopt) << "a full-width 5 is no digit";
}

TEST(ScoreLimitTest, NumbersBeyondTheSignedRangeAreRefused) {
  EXPECT_EQ(parseScoreLimit("2147483647"), 2147483647);
  EXPECT_EQ(parseScoreLimit("2147483648"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("4294967295"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("4294967296"), std::nullopt) << "must not wrap to 0";
  EXPECT_EQ(parseScoreLimit("4294967797"), std::nullopt) << "must not wrap to 501";
  EXPECT_EQ(parseScoreLimit("99999999999999999999999"), std::nullopt);
  EXPECT_EQ(parseScoreLimit("00000000000000000000500"), 500) << "leading zeros are no overflow";
}

TEST(ScoreLimitTest, OnlyTheFirst31CharactersCount) {
  // The number may sit anywhere in the first 31 characters ...
  EXPECT_EQ(parseScoreLimit(std::string(28, ' ') + "500"), 500);
  // ... and what follows the 31st character is never looked at.
  EXPECT_EQ(parseScoreLimit("500" + std::string(28, ' ') + "junk"), 500);
  EXPECT_EQ(parseScoreLimit("500" + std::string(27, ' ') + "x"), std::nullopt);
  // A number cut by the limit is taken as far as it goes.
  EXPECT_EQ(parseScoreLimit(std::string(29, ' ') + "1234"), 12);
  EXPECT_EQ(parseScoreLimit(std::string(31, ' ') + "5"), std::nullopt);
}

}  // namespace
}  // namespace gub
