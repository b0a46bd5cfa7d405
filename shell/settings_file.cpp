// SPDX-License-Identifier: MIT
// Reading and writing "gub.cfg" field by field, with plain stdio so that the
// file is open only for the moment of each access. Only a regular file is
// used: anything else at its name (a FIFO, a folder, a device) counts as a
// missing file, so it can neither freeze the start nor take the writes.
#include "shell/settings_file.h"

#include <cstdio>

#include "render/little_endian.h"
#include "render/regular_file.h"

namespace gub {

namespace {

// The loader reads the fields in one run from the first offset on.
constexpr bool FieldsFollowOneAnother() {
  for (const SettingField& option : SettingFields)
    if (option.fileOffset != SettingFields[0].fileOffset + 4 * (&option - SettingFields))
      return false;
  return true;
}
static_assert(FieldsFollowOneAnother());

}  // namespace

void loadSettings(Settings& settings, const char* path) {
  settings = Settings{};
  std::FILE* file = openRegularStream(path, false);
  if (file == nullptr) return;
  // The fields lie one after another from the first option's offset on.
  if (std::fseek(file, SettingFields[0].fileOffset, SEEK_SET) == 0) {
    for (const SettingField& option : SettingFields) {
      uint8_t bytes[4];
      // A field cut short by the end of the file counts as missing.
      if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) break;
      settings.*option.field = static_cast<int32_t>(le::Read32(bytes));
    }
  }
  std::fclose(file);
}

void writeSetting(int32_t offset, int32_t value, const char* path) {
  // Opened for update without creating: a missing file stays missing.
  std::FILE* file = openRegularStream(path, true);
  if (file == nullptr) return;
  uint8_t bytes[4];
  le::Write32(bytes, static_cast<uint32_t>(value));
  if (std::fseek(file, offset, SEEK_SET) == 0) std::fwrite(bytes, 1, sizeof bytes, file);
  std::fclose(file);
}

}  // namespace gub
