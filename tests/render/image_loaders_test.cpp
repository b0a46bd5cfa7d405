// SPDX-License-Identifier: MIT
// The two picture loaders: what they read from well-formed files, the messages
// for files they refuse (short ones too, and things that are no files), and
// damaged headers that must be refused without a read or write outside a
// buffer (these run under the sanitizers too).
#include "render/image_loaders.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "render/bmp_writer.h"
#include "tests/support/fifo.h"

namespace gub {
namespace {

std::vector<std::string> messages;
void recordMessage(const char* text) { messages.emplace_back(text); }

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    messages.clear();
    setLoaderMessageHook(recordMessage);
    char pattern[] = "/tmp/gub-loaders-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    setLoaderMessageHook(nullptr);
    for (const std::string& file : written_) unlink(file.c_str());
    rmdir(folder_.c_str());
  }

  std::string write(const std::vector<uint8_t>& bytes) {
    const std::string path = folder_ + "/picture" + std::to_string(written_.size()) + ".bg";
    EXPECT_TRUE(bmp::writeFile(path, bytes));
    written_.push_back(path);
    return path;
  }

  std::string folder_;
  std::vector<std::string> written_;
};

// A 3 x 2 picture whose every pixel has its own colour: rows of 9 bytes padded
// to 12.
bmp::Rgb gradient(int32_t x, int32_t y) {
  return {static_cast<uint8_t>(10 + x), static_cast<uint8_t>(20 + y), static_cast<uint8_t>(30)};
}

std::vector<uint8_t> threeByTwo() { return bmp::make(3, 2, gradient); }

void setU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  bmp::putU32(bytes, at, value);
}

// --- Well-formed files -----------------------------------------------------

TEST_F(LoaderTest, TextureKeepsPaddedRowsAndSwapsToRedGreenBlue) {
  const std::string path = write(threeByTwo());
  Texture texture;
  ASSERT_EQ(texture.load(path.c_str()), 1);
  EXPECT_EQ(texture.width, 3);
  EXPECT_EQ(texture.height, 2);
  EXPECT_EQ(texture.bitsPerPixel, 24);
  EXPECT_EQ(texture.rowStride, 12);
  EXPECT_EQ(texture.fileName, path);
  EXPECT_EQ(texture.infoHeader[14], 24);  // biBitCount as read
  EXPECT_TRUE(texture.isValid());
  // Before the swap the bytes are as stored: blue, green, red.
  EXPECT_EQ(texture.pixels[0], 30);
  EXPECT_EQ(texture.pixels[2], 10);

  ASSERT_EQ(texture.swapRedBlue(), 1);
  for (int32_t y = 0; y < 2; ++y) {
    for (int32_t x = 0; x < 3; ++x) {
      const uint8_t* p = texture.pixels.get() + y * 12 + x * 3;
      EXPECT_EQ(p[0], 10 + x);
      EXPECT_EQ(p[1], 20 + y);
      EXPECT_EQ(p[2], 30);
    }
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(LoaderTest, OverlaySkipsRowPaddingAndAddsAlpha) {
  OverlayImage image;
  ASSERT_TRUE(image.load(write(threeByTwo()).c_str()));
  ASSERT_EQ(image.width, 3);
  ASSERT_EQ(image.height, 2);
  for (int32_t y = 0; y < 2; ++y) {
    for (int32_t x = 0; x < 3; ++x) {
      const uint8_t* p = image.pixels.get() + (y * 3 + x) * 4;
      EXPECT_EQ(p[0], 10 + x);
      EXPECT_EQ(p[1], 20 + y);
      EXPECT_EQ(p[2], 30);
      EXPECT_EQ(p[3], 128);
    }
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(LoaderTest, ColourTableAndMasksMoveOnlyTheOverlayStart) {
  // biClrUsed 2: eight bytes of colour table sit between header and rows.
  std::vector<uint8_t> bytes = threeByTwo();
  setU32(bytes, 46, 2);
  const std::vector<uint8_t> table = {1, 2, 3, 4, 5, 6, 7, 8};
  bytes.insert(bytes.begin() + 54, table.begin(), table.end());
  const std::string path = write(bytes);

  OverlayImage image;
  ASSERT_TRUE(image.load(path.c_str()));
  EXPECT_EQ(image.pixels[0], 10);
  EXPECT_EQ(image.pixels[1], 20);

  // The texture loader still reads from offset 54: the table is its first pixel.
  Texture texture;
  ASSERT_EQ(texture.load(path.c_str()), 1);
  EXPECT_EQ(texture.pixels[0], 1);
  EXPECT_EQ(texture.pixels[1], 2);

  // Bit fields (compression 3) add twelve bytes of masks after the table.
  std::vector<uint8_t> masked = bytes;
  setU32(masked, 30, 3);
  masked.insert(masked.begin() + 62, 12, uint8_t{0xEE});
  ASSERT_TRUE(image.load(write(masked).c_str()));
  EXPECT_EQ(image.pixels[0], 10);
  EXPECT_EQ(image.pixels[4 * 3 + 1], 21);  // first pixel of the second row
}

TEST_F(LoaderTest, OverlayAcceptsALastRowWithoutPadding) {
  std::vector<uint8_t> bytes = threeByTwo();
  bytes.resize(bytes.size() - 3);
  OverlayImage image;
  ASSERT_TRUE(image.load(write(bytes).c_str()));
  EXPECT_EQ(image.pixels[(1 * 3 + 2) * 4], 12);
}

TEST_F(LoaderTest, ReloadingReplacesThePictureAndReleaseEmptiesIt) {
  Texture texture;
  ASSERT_EQ(texture.load(write(threeByTwo()).c_str()), 1);
  ASSERT_EQ(texture.load(write(bmp::solid(5, 4, {1, 2, 3})).c_str()), 1);
  EXPECT_EQ(texture.width, 5);
  EXPECT_EQ(texture.rowStride, 16);
  EXPECT_EQ(texture.pixelBytes, 64u);
  texture.release();
  EXPECT_FALSE(texture.isValid());
  EXPECT_EQ(texture.pixels, nullptr);
  EXPECT_EQ(texture.width, 0);
  EXPECT_EQ(texture.height, 0);
  EXPECT_EQ(texture.bitsPerPixel, 0);
  EXPECT_EQ(texture.swapRedBlue(), 0);

  OverlayImage image;
  ASSERT_TRUE(image.load(write(threeByTwo()).c_str()));
  ASSERT_TRUE(image.load(write(bmp::solid(2, 2, {9, 9, 9})).c_str()));
  EXPECT_EQ(image.width, 2);
  EXPECT_EQ(image.pixels[0], 9);
}

// --- Refused files and their messages --------------------------------------

TEST_F(LoaderTest, MissingFiles) {
  Texture texture;
  EXPECT_EQ(texture.load((folder_ + "/nothing.crd").c_str()), 0);
  EXPECT_EQ(messages, std::vector<std::string>{"Unable to open file for reading"});
  EXPECT_EQ(texture.fileName, folder_ + "/nothing.crd");

  messages.clear();
  OverlayImage image;
  EXPECT_FALSE(image.load((folder_ + "/nothing.bg").c_str()));
  EXPECT_TRUE(messages.empty());
}

TEST_F(LoaderTest, WrongSignatureAndDepth) {
  std::vector<uint8_t> unsigned_ = threeByTwo();
  unsigned_[0] = 'X';
  std::vector<uint8_t> deep = threeByTwo();
  deep[28] = 32;
  std::vector<uint8_t> palette = threeByTwo();
  palette[28] = 8;
  std::vector<uint8_t> twoPlanes = threeByTwo();
  twoPlanes[26] = 2;
  const std::string badSignature = write(unsigned_);
  const std::string depth32 = write(deep);
  const std::string depth8 = write(palette);
  const std::string planes = write(twoPlanes);

  Texture texture;
  EXPECT_EQ(texture.load(badSignature.c_str()), 0);
  EXPECT_EQ(texture.load(depth32.c_str()), 0);
  EXPECT_EQ(texture.load(depth8.c_str()), 0);
  EXPECT_EQ(texture.load(planes.c_str()), 0);
  EXPECT_EQ(messages,
            (std::vector<std::string>{"Invalid BMP file", "Texture file must have 24 bits depth",
                                      "Texture file must have 24 bits depth",
                                      "Texture file must have 24 bits depth"}));

  messages.clear();
  OverlayImage image;
  EXPECT_FALSE(image.load(badSignature.c_str()));
  EXPECT_FALSE(image.load(depth32.c_str()));
  // The overlay loader does not look at the planes.
  EXPECT_TRUE(image.load(planes.c_str()));
  EXPECT_EQ(messages, (std::vector<std::string>{"File format error!", "File is not 24 bit BMP!"}));
}

TEST_F(LoaderTest, FilesShorterThanTheirHeadersMeetTheSignatureAndDepthChecks) {
  // What a short file lacks reads as zeros: a missing signature is a wrong
  // one, a missing depth a wrong depth, and a header whose depth is there
  // still needs rows the file does not hold.
  std::vector<uint8_t> deep = threeByTwo();
  deep[28] = 32;
  std::vector<uint8_t> unsigned_ = threeByTwo();
  unsigned_[0] = 'X';
  struct Case {
    const std::vector<uint8_t>* bytes;
    size_t length;
    const char* texture;
    const char* overlay;  // nullptr: refused without a message
  };
  const std::vector<uint8_t> whole = threeByTwo();
  const Case cases[] = {
      {&whole, 0, "Invalid BMP file", nullptr},
      {&whole, 1, "Invalid BMP file", nullptr},
      {&whole, 2, "Texture file must have 24 bits depth", nullptr},
      {&whole, 13, "Texture file must have 24 bits depth", nullptr},
      {&whole, 14, "Texture file must have 24 bits depth", "File is not 24 bit BMP!"},
      {&whole, 28, "Texture file must have 24 bits depth", "File is not 24 bit BMP!"},
      // The depth's low byte is enough: 24 with a zero high byte.
      {&whole, 29, "Error during reading image", "File format error!"},
      {&whole, 53, "Error during reading image", "File format error!"},
      {&whole, 54, "Error during reading image", "File format error!"},
      {&deep, 30, "Texture file must have 24 bits depth", "File is not 24 bit BMP!"},
      {&unsigned_, 20, "Invalid BMP file", "File format error!"},
  };
  for (const Case& c : cases) {
    const std::string path = write({c.bytes->begin(), c.bytes->begin() + c.length});
    messages.clear();
    Texture texture;
    EXPECT_EQ(texture.load(path.c_str()), 0) << c.length;
    EXPECT_FALSE(texture.isValid());
    OverlayImage image;
    EXPECT_FALSE(image.load(path.c_str())) << c.length;
    EXPECT_EQ(image.pixels, nullptr);
    std::vector<std::string> expected{c.texture};
    if (c.overlay != nullptr) expected.emplace_back(c.overlay);
    EXPECT_EQ(messages, expected) << c.length << " bytes";
  }
}

TEST_F(LoaderTest, FifoFolderOrDeviceCountsAsMissingAndNeverWaits) {
  const std::string fifo = folder_ + "/fifo.bg";
  ASSERT_TRUE(testing::makeFifo(fifo));
  written_.push_back(fifo);
  for (const std::string& path : {fifo, folder_, std::string("/dev/null")}) {
    messages.clear();
    int32_t textureResult = -1;
    bool overlayResult = true;
    EXPECT_TRUE(testing::returnsWithin(path, [&] {
      Texture texture;
      textureResult = texture.load(path.c_str());
      OverlayImage image;
      overlayResult = image.load(path.c_str());
    })) << path;
    EXPECT_EQ(textureResult, 0) << path;
    EXPECT_FALSE(overlayResult) << path;
    EXPECT_EQ(messages, std::vector<std::string>{"Unable to open file for reading"}) << path;
  }
}

// --- Sizes the file does not back up ---------------------------------------

TEST_F(LoaderTest, TextureSizeComesFromTheHeaderWhenBiSizeImageIsShort) {
  // BMP allows 0 here; a smaller number would leave the swap and the upload
  // reading past the rows.
  for (uint32_t sizeImage : {0u, 1u, 23u}) {
    std::vector<uint8_t> bytes = threeByTwo();
    setU32(bytes, 34, sizeImage);
    Texture texture;
    ASSERT_EQ(texture.load(write(bytes).c_str()), 1) << sizeImage;
    EXPECT_EQ(texture.pixelBytes, 24u);
    ASSERT_EQ(texture.swapRedBlue(), 1);
    EXPECT_EQ(texture.pixels[12 + 6], 12);  // last pixel of the top row, red
  }
  // A larger biSizeImage than the file holds does not make the loader read on.
  std::vector<uint8_t> bytes = threeByTwo();
  setU32(bytes, 34, 0x7FFFFFFF);
  Texture texture;
  ASSERT_EQ(texture.load(write(bytes).c_str()), 1);
  EXPECT_EQ(texture.pixelBytes, 24u);
  EXPECT_TRUE(messages.empty());
}

TEST_F(LoaderTest, FileShorterThanItsRowsIsRefusedAndLeavesNothing) {
  std::vector<uint8_t> bytes = threeByTwo();
  bytes.resize(54 + 12 + 5);  // the second row is cut
  const std::string path = write(bytes);

  Texture texture;
  ASSERT_EQ(texture.load(write(threeByTwo()).c_str()), 1);
  EXPECT_EQ(texture.load(path.c_str()), 0);
  EXPECT_FALSE(texture.isValid());
  EXPECT_EQ(texture.pixels, nullptr);
  EXPECT_EQ(texture.swapRedBlue(), 0);

  OverlayImage image;
  ASSERT_TRUE(image.load(write(threeByTwo()).c_str()));
  EXPECT_FALSE(image.load(path.c_str()));
  EXPECT_EQ(image.pixels, nullptr);
  EXPECT_EQ(image.width, 0);
  EXPECT_EQ(image.height, 0);
  EXPECT_EQ(messages,
            (std::vector<std::string>{"Error during reading image", "File format error!"}));
}

TEST_F(LoaderTest, ImpossibleDimensionsAreRefused) {
  struct Case {
    int32_t width;
    int32_t height;
    const char* textureMessage;
  };
  const Case cases[] = {
      {0, 2, "Invalid BMP file"},
      {3, 0, "Invalid BMP file"},
      {-3, 2, "Invalid BMP file"},
      {3, -2, "Invalid BMP file"},           // top-down rows
      {65536, 65536, "Insuffisant memory"},  // width x height x 4 overflows 32 bits
      {0x7FFFFFFF, 1, "Insuffisant memory"},
      {1, 0x40000000, "Insuffisant memory"},
      {MaxPictureSide + 1, 1, "Insuffisant memory"},
      {MaxPictureSide, MaxPictureSide, "Error during reading image"},  // rows not in the file
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = threeByTwo();
    setU32(bytes, 18, static_cast<uint32_t>(c.width));
    setU32(bytes, 22, static_cast<uint32_t>(c.height));
    const std::string path = write(bytes);
    messages.clear();
    Texture texture;
    EXPECT_EQ(texture.load(path.c_str()), 0) << c.width << " x " << c.height;
    EXPECT_FALSE(texture.isValid());
    OverlayImage image;
    EXPECT_FALSE(image.load(path.c_str())) << c.width << " x " << c.height;
    EXPECT_EQ(image.pixels, nullptr);
    EXPECT_EQ(messages, (std::vector<std::string>{c.textureMessage, "File format error!"}))
        << c.width << " x " << c.height;
  }
}

TEST_F(LoaderTest, OverlayColourTableBeyondTheFileIsRefused) {
  for (uint32_t coloursUsed : {3u, 0x40000000u, 0xFFFFFFFFu}) {
    std::vector<uint8_t> bytes = threeByTwo();
    setU32(bytes, 46, coloursUsed);
    messages.clear();
    OverlayImage image;
    EXPECT_FALSE(image.load(write(bytes).c_str())) << coloursUsed;
    EXPECT_EQ(messages, std::vector<std::string>{"File format error!"});
  }
}

TEST_F(LoaderTest, SwapRefusesFieldsThatDoNotFitTheBuffer) {
  Texture texture;
  ASSERT_EQ(texture.load(write(threeByTwo()).c_str()), 1);
  texture.height = 1000;  // the fields are public; the buffer holds two rows
  EXPECT_EQ(texture.swapRedBlue(), 0);
  texture.height = 2;
  texture.rowStride = 4;  // narrower than a row of three pixels
  EXPECT_EQ(texture.swapRedBlue(), 0);
}

TEST_F(LoaderTest, MemoryEntryPointsFollowTheSameRules) {
  const std::vector<uint8_t> bytes = threeByTwo();
  Texture texture;
  ASSERT_EQ(texture.loadFromMemory(bytes.data(), bytes.size(), "in memory"), 1);
  EXPECT_EQ(texture.fileName, "in memory");
  EXPECT_EQ(texture.loadFromMemory(bytes.data(), 60, "cut"), 0);
  OverlayImage image;
  ASSERT_TRUE(image.loadFromMemory(bytes.data(), bytes.size()));
  EXPECT_FALSE(image.loadFromMemory(bytes.data(), 60));
  EXPECT_FALSE(image.loadFromMemory(nullptr, 0));
  EXPECT_EQ(texture.loadFromMemory(nullptr, 0, "empty"), 0);
  EXPECT_EQ(messages, (std::vector<std::string>{"Error during reading image", "File format error!",
                                                "Invalid BMP file"}));
}

}  // namespace
}  // namespace gub
