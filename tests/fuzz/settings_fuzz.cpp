// SPDX-License-Identifier: MIT
// Fuzzes the settings file reader and writer with arbitrary file contents, and
// the score-limit parser with arbitrary texts.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "shell/score_limit.h"
#include "shell/settings_file.h"

namespace {

char scratchDir[] = "/tmp/gub-settings-fuzz-XXXXXX";

void removeScratch() {
  std::remove((std::string(scratchDir) + "/gub.cfg").c_str());
  rmdir(scratchDir);
}

std::string settingsPath() {
  static std::string path = [] {
    if (mkdtemp(scratchDir) == nullptr) abort();
    std::atexit(removeScratch);
    return std::string(scratchDir) + "/gub.cfg";
  }();
  return path;
}

std::vector<unsigned char> readAll(const std::string& path) {
  std::vector<unsigned char> bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) abort();
  int c;
  while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
  std::fclose(file);
  return bytes;
}

int32_t fieldAt(const std::vector<unsigned char>& bytes, size_t offset) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
  return static_cast<int32_t>(v);
}

void checkSettingsFile(const uint8_t* data, size_t size) {
  const std::string path = settingsPath();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) abort();
  std::fclose(file);

  gub::Settings loaded;
  gub::loadSettings(loaded, path.c_str());
  const int32_t fields[] = {loaded.maxScore,     loaded.soundOn,          loaded.declareExceptSheep,
                            loaded.speedDelayMs, loaded.oppositeIsFriend, loaded.twoDecks};
  const int32_t defaults[] = {1000, 1, 0, 1000, 0, 0};
  for (size_t k = 0; k < 6; ++k) {
    size_t offset = 4 + 4 * k;
    std::vector<unsigned char> original(data, data + size);
    int32_t expected = offset + 4 <= size ? fieldAt(original, offset) : defaults[k];
    if (fields[k] != expected) abort();
  }

  // Write every field with a value taken from the input, then check that the
  // rest of the file, the reserved field above all, is as it was.
  const int32_t offsets[] = {gub::OffsetMaxScore,           gub::OffsetSoundOn,
                             gub::OffsetDeclareExceptSheep, gub::OffsetSpeedDelayMs,
                             gub::OffsetOppositeIsFriend,   gub::OffsetTwoDecks};
  int32_t written[6];
  for (size_t k = 0; k < 6; ++k) {
    written[k] = static_cast<int32_t>(0x9E3779B9u * static_cast<uint32_t>(k + 1) ^
                                      static_cast<uint32_t>(size) ^ (size > k ? data[k] : 0u));
    gub::writeSetting(offsets[k], written[k], path.c_str());
  }
  std::vector<unsigned char> after = readAll(path);
  if (after.size() != (size > 28 ? size : 28)) abort();
  for (size_t i = 0; i < after.size(); ++i) {
    if (i >= 4 && i < 28) continue;
    unsigned char before = i < size ? data[i] : 0;
    if (after[i] != before) abort();
  }
  for (size_t k = 0; k < 6; ++k) {
    if (fieldAt(after, 4 + 4 * k) != written[k]) abort();
  }
}

void checkScoreLimit(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::optional<int32_t> value = gub::parseScoreLimit(text);
  if (!value) return;
  if (*value < 0) abort();
  // What is accepted reads back the same when written plainly.
  if (gub::parseScoreLimit(std::to_string(*value)) != value) abort();
  // No accepted text carries a minus sign before its number.
  for (char c : text.substr(0, text.find_first_not_of(" \t+"))) {
    if (c == '-') abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  checkSettingsFile(data, size);
  checkScoreLimit(data, size);
  return 0;
}
