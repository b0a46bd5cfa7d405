// SPDX-License-Identifier: MIT
// The renderer the window drives: the pictures it owns, the GL set-up at
// window creation, the state applied on every resize, and one whole frame.
#include "render/renderer.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "engine/table_geometry.h"
#include "render/image_loaders.h"
#include "render/overlays.h"
#include "render/scene.h"

namespace gub {

struct Renderer::Impl {
  Texture table;
  OverlayPictures overlays;
  GLuint tableTexture = 0;
  GLuint cardTextures[CardPictureCount] = {};
  GLuint listBase = 0;
  TableScene scene;
  // `table` holds the file's pixels, read ahead of the GL set-up.
  bool tableRead = false;
  bool tableStarted = false;
  std::vector<HandMark> marks;
};

namespace {

// Cards and the table come at more pixels than a 1024 x 768 window shows, so
// that they stay sharp on large screens. Minified, they are sampled from
// their smaller copies, so far cards and the far side of the table neither
// shimmer nor lose their lines. One copy is enough, and costs half the
// sampling of blending two; the bias picks the sharper of the two nearest
// copies, so far cards keep their lines.
void setTextureParameters() {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_LOD_BIAS, -0.5f);
}

// The next smaller copy of RGB rows `stride` bytes apart, in packed rows:
// each pixel the mean of the (up to) 2 x 2 pixels it covers.
std::unique_ptr<uint8_t[]> halve(const uint8_t* rgb, size_t stride, int32_t width, int32_t height,
                                 int32_t& halfWidth, int32_t& halfHeight) {
  halfWidth = width > 1 ? width / 2 : 1;
  halfHeight = height > 1 ? height / 2 : 1;
  auto out =
      std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(halfWidth) * halfHeight * 3);
  const int32_t dx = width > 1 ? 1 : 0;
  const int32_t dy = height > 1 ? 1 : 0;
  for (int32_t y = 0; y < halfHeight; ++y) {
    const uint8_t* row0 = rgb + static_cast<size_t>(2 * y) * stride;
    const uint8_t* row1 = rgb + static_cast<size_t>(2 * y + dy) * stride;
    uint8_t* dst = out.get() + static_cast<size_t>(y) * halfWidth * 3;
    for (int32_t x = 0; x < halfWidth; ++x) {
      const size_t a = static_cast<size_t>(2 * x) * 3;
      const size_t b = static_cast<size_t>(2 * x + dx) * 3;
      for (int32_t c = 0; c < 3; ++c) {
        dst[x * 3 + c] =
            static_cast<uint8_t>((row0[a + c] + row0[b + c] + row1[a + c] + row1[b + c] + 2) / 4);
      }
    }
  }
  return out;
}

// Uploads a picture once into its texture object with all its smaller copies
// (made here: GL's own generator costs more than the whole upload). A missing
// or refused picture leaves the object without an image: GL then draws those
// faces untextured.
void uploadTexture(GLuint name, const Texture& texture) {
  glBindTexture(GL_TEXTURE_2D, name);
  setTextureParameters();
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  if (texture.isValid() && texture.bitsPerPixel == 24 && texture.width <= largest &&
      texture.height <= largest) {
    glTexImage2D(GL_TEXTURE_2D, 0, 3, texture.width, texture.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 texture.pixels.get());
    // The file's rows are padded to 4 bytes; the copies' rows are packed.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::unique_ptr<uint8_t[]> copy;
    const uint8_t* source = texture.pixels.get();
    size_t stride = static_cast<size_t>(texture.rowStride);
    int32_t width = texture.width;
    int32_t height = texture.height;
    for (GLint level = 1; width > 1 || height > 1; ++level) {
      int32_t halfWidth = 0;
      int32_t halfHeight = 0;
      copy = halve(source, stride, width, height, halfWidth, halfHeight);
      source = copy.get();
      width = halfWidth;
      height = halfHeight;
      stride = static_cast<size_t>(width) * 3;
      glTexImage2D(GL_TEXTURE_2D, level, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, source);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  }
  glBindTexture(GL_TEXTURE_2D, 0);
}

// Flat marks in client pixels over the finished frame: the cursor as a bar
// under the card, the hint as a wedge pointing down onto it.
void drawHandMarks(const std::vector<HandMark>& marks, const ViewState& view) {
  if (marks.empty() || view.clientWidth <= 0 || view.clientHeight <= 0) return;
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, view.clientWidth, view.clientHeight, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  for (const HandMark& mark : marks) {
    const double left = mark.left, right = mark.right + 1.0;
    const double middle = (left + right) / 2.0;
    const double size = std::max(8.0, (right - left) * 0.8);
    if (mark.kind == HandMark::Cursor) {
      const double y = std::min(mark.bottom + 4.0, view.clientHeight - 6.0);
      glColor3f(1.0f, 0.85f, 0.1f);
      glRectd(left + 1, y, right - 1, y + 5);
    } else {
      const double tip = mark.top - 4.0;
      glColor3f(0.1f, 0.95f, 0.3f);
      glBegin(GL_TRIANGLES);
      glVertex2d(middle, tip);
      glVertex2d(middle - size / 2, tip - size);
      glVertex2d(middle + size / 2, tip - size);
      glEnd();
    }
  }
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

}  // namespace

Renderer::Renderer() : impl_(new Impl) {}

Renderer::~Renderer() { delete impl_; }

void Renderer::loadTableTexture() {
  impl_->table.load("bg/table.bg");
  impl_->table.swapRedBlue();
  impl_->tableRead = true;
}

void Renderer::createTitleGl() {
  if (impl_->listBase != 0 || impl_->tableTexture != 0) releaseGl();
  // Mesa's software renderer allocates and frees a few megabytes of scratch
  // memory for every frame. By default glibc hands that back to the kernel at
  // once and takes page faults to get it again on the next frame (about 900
  // a frame, a quarter of the frame time at 1024 x 768); keep it instead.
  mallopt(M_MMAP_THRESHOLD, 16 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  glPolygonMode(GL_FRONT, GL_FILL);
  glPolygonMode(GL_BACK, GL_FILL);
  glShadeModel(GL_SMOOTH);
  glClearColor(0.48f, 0.0f, 0.0f, 1.0f);
  impl_->overlays.loadTitle();
  impl_->tableStarted = false;
}

void Renderer::createTableGl() {
  // A loader's message box runs a modal loop, whose paints must not start
  // this again.
  if (impl_->tableStarted) return;
  impl_->tableStarted = true;
  if (!impl_->tableRead) loadTableTexture();
  glGenTextures(1, &impl_->tableTexture);
  uploadTexture(impl_->tableTexture, impl_->table);
  impl_->table.release();
  impl_->tableRead = false;

  // One card at a time: read, upload, and free the copy (GL keeps its own),
  // so only one picture's pixels are held here at once.
  glGenTextures(CardPictureCount, impl_->cardTextures);
  Texture card;
  char name[32];
  for (int32_t k = 0; k < CardPictureCount; ++k) {
    std::snprintf(name, sizeof name, "crd/%d.crd", static_cast<int>(k + 1));
    card.load(name);
    card.swapRedBlue();
    uploadTexture(impl_->cardTextures[k], card);
    card.release();
  }

  impl_->listBase = glGenLists(SceneListCount);
  if (impl_->listBase != 0) {
    impl_->scene.build(impl_->listBase, impl_->tableTexture, impl_->cardTextures);
  }

  impl_->overlays.loadTable();
  // The pictures' file buffers and texture copies are gone: give their pages
  // back, which the raised thresholds above would otherwise keep.
  malloc_trim(0);
}

void Renderer::createGl() {
  createTitleGl();
  createTableGl();
}

void Renderer::resize(ViewState& view, int32_t width, int32_t height) {
  view.resize(width, height);
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(geometry::FieldOfViewDegrees, view.aspectRatio, geometry::NearPlane,
                 geometry::FarPlane);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDrawBuffer(GL_BACK);

  const GLfloat ambient[4] = {0.7f, 0.7f, 0.7f, 1.0f};
  const GLfloat diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
  const GLfloat specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
  glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, 1.0f);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHTING);

  // Each texture object carries these from its creation; setting them here
  // too keeps whichever object is bound in step with the rest.
  setTextureParameters();
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glEnable(GL_DEPTH_TEST);
}

void Renderer::drawScene(GameState& game, const Settings& settings, const ViewState& view,
                         int32_t screenMode) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (screenMode == ScreenTitle) {
    drawTitlePicture(impl_->overlays, view);
    return;
  }
  drawOverlays(impl_->overlays, game, settings, view);
  if (settings.twoDecks != 0) {
    impl_->scene.drawTwoDecks(game, view);
  } else {
    impl_->scene.drawOneDeck(game, view);
  }
  drawHandMarks(impl_->marks, view);
}

void Renderer::setHandMarks(const HandMark* marks, int32_t count) {
  impl_->marks.assign(marks, marks + count);
}

void Renderer::releaseGl() {
  if (impl_->listBase != 0) glDeleteLists(impl_->listBase, SceneListCount);
  impl_->listBase = 0;
  impl_->scene.forget();
  if (impl_->tableTexture != 0) glDeleteTextures(1, &impl_->tableTexture);
  impl_->tableTexture = 0;
  glDeleteTextures(CardPictureCount, impl_->cardTextures);
  for (GLuint& name : impl_->cardTextures) name = 0;
  impl_->tableStarted = false;
}

}  // namespace gub
