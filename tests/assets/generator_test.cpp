// SPDX-License-Identifier: MIT
// The generator program itself: two runs give the same bytes, it writes the
// whole folder, and it writes a contact sheet on request.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "runtime_files.h"

namespace fs = std::filesystem;

namespace gub::asset_tests {
namespace {

class ScratchDir {
 public:
  explicit ScratchDir(const std::string& tag)
      : path_(fs::temp_directory_path() /
              ("gub-assets-" + tag + "-" + std::to_string(::getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

int runGenerator(const std::string& arguments) {
  const std::string command = std::string("\"") + GUB_ASSETS_EXE + "\" " + arguments;
  return std::system(command.c_str());
}

// Relative path -> contents, for every file under dir.
std::map<std::string, std::vector<uint8_t>> snapshot(const fs::path& dir) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (entry.is_regular_file()) {
      files[fs::relative(entry.path(), dir).generic_string()] = readFile(entry.path().string());
    }
  }
  return files;
}

TEST(Generator, TwoRunsWriteTheSameFilesByteForByte) {
  ScratchDir first("first"), second("second");
  ASSERT_EQ(runGenerator("--out \"" + first.path().string() + "\""), 0);
  ASSERT_EQ(runGenerator("--out \"" + second.path().string() + "\""), 0);
  const auto a = snapshot(first.path());
  const auto b = snapshot(second.path());
  // 53 cards, the table, 29 overlays, settings, music and two jingles.
  EXPECT_EQ(a.size(), 53u + 1 + 29 + 4);
  ASSERT_EQ(a.size(), b.size());
  for (const auto& [name, bytes] : a) {
    ASSERT_TRUE(b.count(name)) << name;
    EXPECT_TRUE(bytes == b.at(name)) << name << " differs between runs";
  }
  // Every picture the game loads is among them.
  for (const std::string& name : textureNames()) EXPECT_TRUE(a.count(name)) << name;
  for (const std::string& name : overlayNames()) EXPECT_TRUE(a.count(name)) << name;
}

TEST(Generator, WritesAContactSheetPngOnRequest) {
  ScratchDir dir("sheet");
  const fs::path sheet = dir.path() / "sheet.png";
  ASSERT_EQ(runGenerator("--contact-sheet \"" + sheet.string() + "\" > /dev/null"), 0);
  const std::vector<uint8_t> png = readFile(sheet.string());
  ASSERT_GT(png.size(), 24u);
  const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  EXPECT_TRUE(std::equal(signature, signature + 8, png.begin()));
  // Width and height from the header chunk: room for the 512-pixel title and
  // every card.
  const uint32_t width = (png[16] << 24) | (png[17] << 16) | (png[18] << 8) | png[19];
  const uint32_t height = (png[20] << 24) | (png[21] << 16) | (png[22] << 8) | png[23];
  EXPECT_GE(width, 512u);
  EXPECT_GE(height, 384u + 128u);
  // Only the sheet: no run-time folder appears beside it.
  EXPECT_FALSE(fs::exists(dir.path() / "bg"));
}

TEST(Generator, RefusesUnknownArgumentsAndAnEmptyRequest) {
  EXPECT_NE(runGenerator("--bogus 2> /dev/null"), 0);
  EXPECT_NE(runGenerator("2> /dev/null"), 0);
}

}  // namespace
}  // namespace gub::asset_tests
