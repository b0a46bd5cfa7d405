// SPDX-License-Identifier: MIT
// The settings file: what loading makes of missing, short, zeroed and odd
// files and of things that are no files, that every write touches its own
// four bytes and nothing else, and the bounds of the pause it sets.
#include "shell/settings_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/fifo.h"

namespace gub {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/gub-settings-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    path_ = (dir_ / "gub.cfg").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  void writeFile(const Bytes& bytes) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  Bytes readFile() {
    std::ifstream in(path_, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static Bytes fileOf(const std::vector<int32_t>& fields) {
    Bytes bytes;
    for (int32_t field : fields) {
      uint32_t v = static_cast<uint32_t>(field);
      for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
    return bytes;
  }
  // A settings record with every field away from its default, so that a
  // load that forgets a default shows up.
  static Settings scrambled() {
    Settings s;
    s.maxScore = 77;
    s.soundOn = 0;
    s.declareExceptSheep = 1;
    s.speedDelayMs = 5;
    s.oppositeIsFriend = 0;
    s.twoDecks = 1;
    return s;
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(SettingsFileTest, MissingFileGivesTheDefaults) {
  Settings s = scrambled();
  loadSettings(s, path_.c_str());
  EXPECT_EQ(s.maxScore, 1000);
  EXPECT_EQ(s.soundOn, 1);
  EXPECT_EQ(s.declareExceptSheep, 0);
  EXPECT_EQ(s.speedDelayMs, 1000);
  EXPECT_EQ(s.oppositeIsFriend, 0);
  EXPECT_EQ(s.twoDecks, 0);
  EXPECT_FALSE(fs::exists(path_)) << "loading must not create the file";
}

TEST_F(SettingsFileTest, FullFileIsReadInFileOrderAndLittleEndian) {
  // reserved, maxScore, soundOn, declareExceptSheep, speedDelayMs, oppositeIsFriend, twoDecks
  writeFile(fileOf({0x7EADBEEF, 0x12345678, 1, 1, 2000, 1, 1}));
  Settings s = scrambled();
  loadSettings(s, path_.c_str());
  EXPECT_EQ(s.maxScore, 0x12345678);
  EXPECT_EQ(s.soundOn, 1);
  EXPECT_EQ(s.declareExceptSheep, 1);
  EXPECT_EQ(s.speedDelayMs, 2000);
  EXPECT_EQ(s.oppositeIsFriend, 1);
  EXPECT_EQ(s.twoDecks, 1);
}

TEST_F(SettingsFileTest, TwentyEightZeroBytes) {
  writeFile(Bytes(28, 0));
  Settings s;
  loadSettings(s, path_.c_str());
  EXPECT_EQ(s.maxScore, 0);
  EXPECT_EQ(s.soundOn, 0);
  EXPECT_EQ(s.declareExceptSheep, 0);
  EXPECT_EQ(s.speedDelayMs, 0);
  EXPECT_EQ(s.oppositeIsFriend, 0);
  EXPECT_EQ(s.twoDecks, 0);
}

TEST_F(SettingsFileTest, ShortFileReadsWholeFieldsOnly) {
  // Reserved, maxScore, soundOn, then two bytes of declareExceptSheep.
  Bytes bytes = fileOf({9, 250, 0});
  bytes.push_back(1);
  bytes.push_back(0);
  writeFile(bytes);
  Settings s = scrambled();
  loadSettings(s, path_.c_str());
  EXPECT_EQ(s.maxScore, 250);
  EXPECT_EQ(s.soundOn, 0);
  EXPECT_EQ(s.declareExceptSheep, 0) << "a cut field keeps its default";
  EXPECT_EQ(s.speedDelayMs, 1000);
  EXPECT_EQ(s.twoDecks, 0);

  // Only the reserved field, or less: all defaults.
  writeFile(Bytes{1, 2, 3});
  s = scrambled();
  loadSettings(s, path_.c_str());
  EXPECT_EQ(s.maxScore, 1000);
  EXPECT_EQ(s.soundOn, 1);
}

TEST_F(SettingsFileTest, UnusualValuesAreTakenAsTheyStand) {
  writeFile(fileOf({0, -5, 7, -1, 500, 2, 3, /* beyond the record: */ 99}));
  Settings s;
  loadSettings(s, path_.c_str());
  EXPECT_EQ(s.maxScore, -5);
  EXPECT_EQ(s.soundOn, 7);
  EXPECT_EQ(s.declareExceptSheep, -1);
  EXPECT_EQ(s.speedDelayMs, 500);
  EXPECT_EQ(s.oppositeIsFriend, 2);
  EXPECT_EQ(s.twoDecks, 3);

  writeFile(fileOf({0, INT32_MIN, 0, 0, -2000, 0, 0}));
  loadSettings(s, path_.c_str());
  EXPECT_EQ(s.maxScore, INT32_MIN);
  EXPECT_EQ(s.speedDelayMs, -2000);
}

TEST_F(SettingsFileTest, EachWriteTouchesOnlyItsOwnField) {
  const int32_t offsets[] = {OffsetMaxScore,     OffsetSoundOn,          OffsetDeclareExceptSheep,
                             OffsetSpeedDelayMs, OffsetOppositeIsFriend, OffsetTwoDecks};
  Bytes original(28);
  for (size_t i = 0; i < original.size(); ++i) original[i] = static_cast<unsigned char>(0xA0 + i);
  for (int32_t offset : offsets) {
    writeFile(original);
    writeSetting(offset, -2, path_.c_str());
    Bytes after = readFile();
    ASSERT_EQ(after.size(), 28u) << "offset " << offset;
    for (int32_t i = 0; i < 28; ++i) {
      if (i >= offset && i < offset + 4) {
        EXPECT_EQ(after[i], i == offset ? 0xFE : 0xFF) << "offset " << offset << " byte " << i;
      } else {
        EXPECT_EQ(after[i], original[i]) << "offset " << offset << " byte " << i;
      }
    }
  }
}

TEST_F(SettingsFileTest, WritesReadBackAndLeaveTheReservedFieldAlone) {
  writeFile(fileOf({0x55AA33CC, 1000, 1, 0, 1000, 0, 0}));
  writeSetting(OffsetMaxScore, 2500, path_.c_str());
  writeSetting(OffsetSoundOn, 0, path_.c_str());
  writeSetting(OffsetDeclareExceptSheep, 1, path_.c_str());
  writeSetting(OffsetSpeedDelayMs, 1, path_.c_str());
  writeSetting(OffsetOppositeIsFriend, 1, path_.c_str());
  // "2 cards" clicked twice from unmarked: written twice, ends at 0.
  int32_t twoDecks = 0;
  for (int click = 0; click < 2; ++click) {
    twoDecks = toggledSetting(twoDecks);
    writeSetting(OffsetTwoDecks, twoDecks, path_.c_str());
  }
  Settings s;
  loadSettings(s, path_.c_str());
  EXPECT_EQ(s.maxScore, 2500);
  EXPECT_EQ(s.soundOn, 0);
  EXPECT_EQ(s.declareExceptSheep, 1);
  EXPECT_EQ(s.speedDelayMs, 1);
  EXPECT_EQ(s.oppositeIsFriend, 1);
  EXPECT_EQ(s.twoDecks, 0);
  EXPECT_EQ(readFile(), fileOf({0x55AA33CC, 2500, 0, 1, 1, 1, 0}));
}

TEST_F(SettingsFileTest, AnythingButARegularFileCountsAsMissing) {
  // A FIFO would keep the start waiting for a writer; a folder or a device
  // can't hold the fields. Loading gives the defaults, a write goes nowhere.
  const std::string fifo = (dir_ / "fifo.cfg").string();
  ASSERT_TRUE(testing::makeFifo(fifo));
  for (const std::string& path : {fifo, dir_.string(), std::string("/dev/null")}) {
    Settings s = scrambled();
    EXPECT_TRUE(testing::returnsWithin(path, [&] {
      loadSettings(s, path.c_str());
      writeSetting(OffsetSoundOn, 0, path.c_str());
    })) << path;
    EXPECT_EQ(s.maxScore, 1000) << path;
    EXPECT_EQ(s.soundOn, 1) << path;
    EXPECT_EQ(s.twoDecks, 0) << path;
  }
}

TEST_F(SettingsFileTest, WriteNeverCreatesTheFile) {
  writeSetting(OffsetTwoDecks, 1, path_.c_str());
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(SettingsFileTest, WriteBeyondTheEndExtendsWithZeros) {
  writeFile(fileOf({7, 300}));
  writeSetting(OffsetTwoDecks, 1, path_.c_str());
  EXPECT_EQ(readFile(), fileOf({7, 300, 0, 0, 0, 0, 1}));
}

TEST_F(SettingsFileTest, PauseIsTheSpeedWithinZeroToTenSeconds) {
  const int32_t cases[][2] = {{1, 1},         {1000, 1000},      {2000, 2000}, {500, 500},
                              {10000, 10000}, {10001, 10000},    {0, 0},       {-1, 0},
                              {INT32_MIN, 0}, {INT32_MAX, 10000}};
  for (const auto& c : cases) EXPECT_EQ(pauseAfterTrickMs(c[0]), c[1]) << c[0];
}

TEST_F(SettingsFileTest, TogglingFollowsTheCheckBoxRule) {
  EXPECT_EQ(toggledSetting(0), 1);
  EXPECT_EQ(toggledSetting(1), 0);
  // Anything else read from the file counts as marked and clears.
  EXPECT_EQ(toggledSetting(3), 0);
  EXPECT_EQ(toggledSetting(-1), 0);
}

}  // namespace
}  // namespace gub
