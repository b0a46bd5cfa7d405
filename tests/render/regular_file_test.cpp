// SPDX-License-Identifier: MIT
// Opening the game's files: only a regular file (or a link to one) opens; a
// FIFO, a folder or a device is refused at once, and nothing is created.
#include "render/regular_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/fifo.h"

namespace gub {
namespace {

namespace fs = std::filesystem;

TEST(RegularFileTest, OnlyRegularFilesOpen) {
  char pattern[] = "/tmp/gub-files-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path dir = pattern;
  const std::string plain = (dir / "plain").string();
  std::ofstream(plain) << "data";
  const std::string link = (dir / "link").string();
  fs::create_symlink(plain, link);
  const std::string fifo = (dir / "fifo").string();
  ASSERT_TRUE(testing::makeFifo(fifo));
  const std::string missing = (dir / "missing").string();

  struct Case {
    std::string path;
    bool opens;
  };
  const Case cases[] = {
      {plain, true},         {link, true},         {fifo, false},
      {dir.string(), false}, {"/dev/null", false}, {missing, false},
  };
  for (const Case& c : cases) {
    for (bool forUpdate : {false, true}) {
      std::FILE* stream = nullptr;
      EXPECT_TRUE(testing::returnsWithin(c.path, [&] {
        stream = openRegularStream(c.path.c_str(), forUpdate);
      })) << c.path;
      EXPECT_EQ(stream != nullptr, c.opens) << c.path << (forUpdate ? " for update" : "");
      // Reading a FIFO that was wrongly opened might wait for ever.
      if (stream != nullptr && !c.opens) std::fclose(stream);
      if (stream == nullptr || !c.opens) continue;
      char text[5] = {};
      EXPECT_EQ(std::fread(text, 1, 4, stream), 4u);
      EXPECT_STREQ(text, "data");
      // Open for reading only unless asked, and never left open in a child.
      const int flags = fcntl(fileno(stream), F_GETFL);
      EXPECT_EQ(flags & O_ACCMODE, forUpdate ? O_RDWR : O_RDONLY);
      EXPECT_EQ(flags & O_NONBLOCK, 0);
      EXPECT_NE(fcntl(fileno(stream), F_GETFD) & FD_CLOEXEC, 0);
      std::fclose(stream);
    }
  }
  EXPECT_FALSE(fs::exists(missing)) << "opening for update created the file";
  fs::remove_all(dir);
}

}  // namespace
}  // namespace gub
