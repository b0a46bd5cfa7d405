// SPDX-License-Identifier: MIT
// gub-assets: writes the run-time folder of the game (pictures, music, sounds
// and the default settings file) and, on request, a contact sheet of the pictures.
//
//   gub-assets --out DIR                 the run-time folder
//   gub-assets --contact-sheet FILE.png  every picture on one sheet
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cards.h"
#include "contact_sheet.h"
#include "engine/settings.h"
#include "music.h"
#include "overlays.h"
#include "picture.h"
#include "render/little_endian.h"
#include "sounds.h"

namespace fs = std::filesystem;
using namespace gub::assets;

namespace {

bool writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

// The settings file as the game expects to find it: a reserved 0 followed by
// the defaults of the six options, each where the options' table puts it.
std::vector<uint8_t> defaultSettings() {
  std::vector<uint8_t> bytes(4, 0);
  for (const gub::SettingField& option : gub::SettingFields) {
    bytes.resize(static_cast<size_t>(option.fileOffset) + 4);
    gub::le::Write32(&bytes[static_cast<size_t>(option.fileOffset)],
                     static_cast<uint32_t>(option.DefaultValue()));
  }
  return bytes;
}

std::vector<Picture> allPictures() {
  std::vector<Picture> pictures;
  pictures.push_back(makeTablePicture());
  for (Picture& p : makeOverlayPictures()) pictures.push_back(std::move(p));
  for (Picture& p : makeCardPictures()) pictures.push_back(std::move(p));
  return pictures;
}

bool writeRuntimeFolder(const fs::path& dir, const std::vector<Picture>& pictures) {
  std::error_code error;
  fs::create_directories(dir / "bg", error);
  fs::create_directories(dir / "crd", error);
  bool ok = true;
  for (const Picture& picture : pictures) {
    if (!writeBytes(dir / picture.fileName(), encodeBmp24(picture))) {
      std::fprintf(stderr, "gub-assets: cannot write %s\n", (dir / picture.fileName()).c_str());
      ok = false;
    }
  }
  auto check = [&ok](bool written, const fs::path& path) {
    if (!written) {
      std::fprintf(stderr, "gub-assets: cannot write %s\n", path.c_str());
      ok = false;
    }
  };
  check(writeBytes(dir / "gub.cfg", defaultSettings()), dir / "gub.cfg");
  check(writeMusic(dir / "gub.mid"), dir / "gub.mid");
  check(writeWinSound(dir / "win.wav"), dir / "win.wav");
  check(writeLoseSound(dir / "lose.wav"), dir / "lose.wav");
  return ok;
}

int usage() {
  std::fprintf(stderr,
               "usage: gub-assets [--out DIR] [--contact-sheet FILE.png]\n"
               "  --out DIR                write the run-time folder into DIR\n"
               "  --contact-sheet FILE     write every picture, captioned, into one PNG\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string outDir;
  std::string sheetPath;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      outDir = argv[++i];
    } else if (std::strcmp(argv[i], "--contact-sheet") == 0 && i + 1 < argc) {
      sheetPath = argv[++i];
    } else {
      return usage();
    }
  }
  if (outDir.empty() && sheetPath.empty()) return usage();

  const std::vector<Picture> pictures = allPictures();
  bool ok = true;
  if (!outDir.empty()) ok = writeRuntimeFolder(outDir, pictures) && ok;
  if (!sheetPath.empty()) {
    std::vector<const Picture*> refs;
    for (const Picture& p : pictures) refs.push_back(&p);
    if (!writeContactSheet(refs, sheetPath)) {
      std::fprintf(stderr, "gub-assets: cannot write %s\n", sheetPath.c_str());
      ok = false;
    } else {
      std::printf("gub-assets: contact sheet written to %s\n", sheetPath.c_str());
    }
  }
  return ok ? 0 : 1;
}
