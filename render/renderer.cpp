// The renderer the window drives: the pictures it owns, the GL set-up at
// window creation, the state applied on every resize, and one whole frame.
#include "render/renderer.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/table_geometry.h"
#include "render/image_loaders.h"
#include "render/overlays.h"
#include "render/scene.h"

namespace gub {

struct Renderer::Impl {
  Texture table;
  Texture cards[CardPictureCount];
  OverlayPictures overlays;
  GLuint tableTexture = 0;
  GLuint cardTextures[CardPictureCount] = {};
  GLuint listBase = 0;
  TableScene scene;
  std::vector<HandMark> marks;
};

namespace {

void setTextureParameters() {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
}

// Uploads a picture once into its texture object. A missing or refused picture
// leaves the object without an image: GL then draws those faces untextured.
void uploadTexture(GLuint name, const Texture& texture) {
  glBindTexture(GL_TEXTURE_2D, name);
  setTextureParameters();
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  if (texture.isValid() && texture.bitsPerPixel == 24 && texture.width <= largest &&
      texture.height <= largest) {
    glTexImage2D(GL_TEXTURE_2D, 0, 3, texture.width, texture.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 texture.pixels.get());
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
}

void Renderer::createGl() {
  if (impl_->listBase != 0) releaseGl();
  // Mesa's software renderer allocates and frees a few megabytes of scratch
  // memory for every frame. By default glibc hands that back to the kernel at
  // once and takes page faults to get it again on the next frame (about 900
  // a frame, a quarter of the frame time at 1024 x 768); keep it instead.
  mallopt(M_MMAP_THRESHOLD, 16 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  glPolygonMode(GL_FRONT, GL_FILL);
  glPolygonMode(GL_BACK, GL_FILL);
  glShadeModel(GL_SMOOTH);

  glGenTextures(1, &impl_->tableTexture);
  uploadTexture(impl_->tableTexture, impl_->table);

  char name[32];
  for (int32_t k = 0; k < CardPictureCount; ++k) {
    std::snprintf(name, sizeof name, "crd/%d.crd", static_cast<int>(k + 1));
    impl_->cards[k].load(name);
    impl_->cards[k].swapRedBlue();
  }
  glGenTextures(CardPictureCount, impl_->cardTextures);
  for (int32_t k = 0; k < CardPictureCount; ++k) {
    uploadTexture(impl_->cardTextures[k], impl_->cards[k]);
  }

  impl_->listBase = glGenLists(SceneListCount);
  if (impl_->listBase != 0) {
    impl_->scene.build(impl_->listBase, impl_->tableTexture, impl_->cardTextures);
  }

  glClearColor(0.48f, 0.0f, 0.0f, 1.0f);
  impl_->overlays.loadAll();
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
}

}  // namespace gub
