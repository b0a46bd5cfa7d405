// SPDX-License-Identifier: MIT
// The generated pictures through the game's own loaders: every one loads
// without a message, and colours come out in the order each loader promises.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/screen_layout.h"
#include "render/image_loaders.h"
#include "runtime_files.h"

namespace gub::asset_tests {
namespace {

std::vector<std::string> messages;
void recordMessage(const char* text) { messages.emplace_back(text); }

class GameLoaders : public ::testing::Test {
 protected:
  void SetUp() override {
    messages.clear();
    setLoaderMessageHook(recordMessage);
  }
  void TearDown() override { setLoaderMessageHook(nullptr); }
};

TEST_F(GameLoaders, TextureLoaderTakesTheTableAndEveryCard) {
  for (const std::string& name : textureNames()) {
    SCOPED_TRACE(name);
    Texture texture;
    ASSERT_EQ(texture.load(runtimePath(name).c_str()), 1);
    EXPECT_EQ(texture.swapRedBlue(), 1);
    EXPECT_TRUE(texture.isValid());
    const Bmp bmp(name);
    EXPECT_EQ(texture.width, bmp.width());
    EXPECT_EQ(texture.height, bmp.height());
    EXPECT_EQ(texture.pixelBytes, static_cast<size_t>(texture.height) * texture.rowStride);
  }
  EXPECT_TRUE(messages.empty()) << messages.front();
}

TEST_F(GameLoaders, OverlayLoaderTakesEveryOverlayPicture) {
  for (const std::string& name : overlayNames()) {
    SCOPED_TRACE(name);
    OverlayImage image;
    ASSERT_TRUE(image.load(runtimePath(name).c_str()));
    const Bmp bmp(name);
    EXPECT_EQ(image.width, bmp.width());
    EXPECT_EQ(image.height, bmp.height());
    ASSERT_NE(image.pixels, nullptr);
  }
  EXPECT_TRUE(messages.empty()) << messages.front();
}

TEST_F(GameLoaders, TheAceOfHeartsIsRedOnceSwappedForUpload) {
  Texture ace;
  ASSERT_EQ(ace.load(runtimePath("crd/27.crd").c_str()), 1);
  ASSERT_EQ(ace.swapRedBlue(), 1);
  // The middle of the large heart: 48 design rows below the top of the face,
  // which is the last stored row, in a file of 128 design pixels a side.
  const int d = ace.width / 128;
  const int row = ace.height - 1 - 48 * d;
  const uint8_t* p = ace.pixels.get() + row * ace.rowStride + 35 * d * 3;
  EXPECT_GT(p[0], 150) << "red first after the swap";
  EXPECT_LT(p[2], 90);
}

TEST_F(GameLoaders, TheTitleButtonsAreLightInTheOverlayRows) {
  OverlayImage title;
  ASSERT_TRUE(title.load(runtimePath("bg/back.bg").c_str()));
  const int d = layout::TitleDensity;
  ASSERT_EQ(title.width, layout::TitleSize.width * d);
  ASSERT_EQ(title.height, layout::TitleSize.height * d);
  // Rows run bottom-up; in design pixels the New game button spans rows
  // 131 ... 171 from the top. Its left end (x 140) is clear of the caption.
  auto at = [&](int x, int yFromTop) {
    return title.pixels.get() + ((title.height - 1 - yFromTop * d) * title.width + x * d) * 4;
  };
  const uint8_t* button = at(140, 138);
  EXPECT_GT(button[0], 200);
  EXPECT_GT(button[1], 190);
  EXPECT_EQ(button[3], 128);
  // Between two buttons lies the dark baize.
  const uint8_t* gap = at(250, 177);
  EXPECT_LT(gap[0] + gap[1] + gap[2], 3 * 110);
}

}  // namespace
}  // namespace gub::asset_tests
