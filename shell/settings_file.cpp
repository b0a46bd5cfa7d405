// Reading and writing "gub.cfg" field by field, with plain stdio so that the
// file is open only for the moment of each access. Only a regular file is
// used: anything else at its name (a FIFO, a folder, a device) counts as a
// missing file, so it can neither freeze the start nor take the writes.
#include "shell/settings_file.h"

#include <cstdio>

#include "render/regular_file.h"

namespace gub {

namespace {

int32_t decodeLittleEndian(const unsigned char* bytes) {
  uint32_t v = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
               (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
  return static_cast<int32_t>(v);
}

}  // namespace

void loadSettings(Settings& settings, const char* path) {
  // oppositeIsFriend has no default of its own here: it is 0 from program
  // start and this runs once, before anything could change it.
  settings.soundOn = 1;
  settings.maxScore = 1000;
  settings.speedDelayMs = 1000;
  settings.declareExceptSheep = 0;
  settings.twoDecks = 0;

  std::FILE* file = openRegularStream(path, false);
  if (file == nullptr) return;
  int32_t* fields[] = {&settings.maxScore,           &settings.soundOn,
                       &settings.declareExceptSheep, &settings.speedDelayMs,
                       &settings.oppositeIsFriend,   &settings.twoDecks};
  if (std::fseek(file, OffsetMaxScore, SEEK_SET) == 0) {
    for (int32_t* field : fields) {
      unsigned char bytes[4];
      // A field cut short by the end of the file counts as missing.
      if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) break;
      *field = decodeLittleEndian(bytes);
    }
  }
  std::fclose(file);
}

void writeSetting(int32_t offset, int32_t value, const char* path) {
  // Opened for update without creating: a missing file stays missing.
  std::FILE* file = openRegularStream(path, true);
  if (file == nullptr) return;
  uint32_t v = static_cast<uint32_t>(value);
  const unsigned char bytes[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                  static_cast<unsigned char>(v >> 16),
                                  static_cast<unsigned char>(v >> 24)};
  if (std::fseek(file, offset, SEEK_SET) == 0) std::fwrite(bytes, 1, sizeof bytes, file);
  std::fclose(file);
}

}  // namespace gub
