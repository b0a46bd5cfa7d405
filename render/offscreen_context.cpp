// SPDX-License-Identifier: MIT
// EGL pbuffer set-up on Mesa's surfaceless platform: no X server, no GPU.
#include "render/offscreen_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

namespace gub {

OffscreenContext::~OffscreenContext() {
  if (display_ == nullptr) return;
  EGLDisplay display = display_;
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (surface_ != nullptr) eglDestroySurface(display, surface_);
  if (context_ != nullptr) eglDestroyContext(display, context_);
  eglTerminate(display);
}

bool OffscreenContext::create(int32_t width, int32_t height, std::string& error) {
  // The same picture on every machine: Mesa's software renderer even where a
  // GPU exists.
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay == nullptr) {
    error = "eglGetPlatformDisplayEXT is not available";
    return false;
  }
  EGLDisplay display =
      getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY) {
    error = "no surfaceless EGL display";
    return false;
  }
  EGLint major = 0;
  EGLint minor = 0;
  if (!eglInitialize(display, &major, &minor)) {
    error = "eglInitialize failed";
    return false;
  }
  display_ = display;
  if (!eglBindAPI(EGL_OPENGL_API)) {
    error = "desktop OpenGL is not offered";
    return false;
  }

  // The window asks for 32 depth bits; take them where offered.
  EGLConfig config = nullptr;
  for (EGLint depth : {32, 24}) {
    const EGLint attributes[] = {EGL_SURFACE_TYPE,
                                 EGL_PBUFFER_BIT,
                                 EGL_RENDERABLE_TYPE,
                                 EGL_OPENGL_BIT,
                                 EGL_RED_SIZE,
                                 8,
                                 EGL_GREEN_SIZE,
                                 8,
                                 EGL_BLUE_SIZE,
                                 8,
                                 EGL_DEPTH_SIZE,
                                 depth,
                                 EGL_NONE};
    EGLConfig found[64];
    EGLint count = 0;
    if (!eglChooseConfig(display, attributes, found, 64, &count)) continue;
    for (EGLint i = 0; i < count && config == nullptr; ++i) {
      EGLint red = 0;
      EGLint alpha = 0;
      EGLint depthSize = 0;
      eglGetConfigAttrib(display, found[i], EGL_RED_SIZE, &red);
      eglGetConfigAttrib(display, found[i], EGL_ALPHA_SIZE, &alpha);
      eglGetConfigAttrib(display, found[i], EGL_DEPTH_SIZE, &depthSize);
      if (red == 8 && alpha == 0 && depthSize == depth) config = found[i];
    }
    if (config != nullptr) break;
  }
  if (config == nullptr) {
    error = "no RGB 888 pbuffer configuration with a depth buffer";
    return false;
  }
  config_ = config;

  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                      EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (context == EGL_NO_CONTEXT) {
    error = "eglCreateContext failed";
    return false;
  }
  context_ = context;
  return resizeSurface(width, height, error);
}

bool OffscreenContext::resizeSurface(int32_t width, int32_t height, std::string& error) {
  EGLDisplay display = display_;
  const EGLint attributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, config_, attributes);
  if (surface == EGL_NO_SURFACE) {
    error = "eglCreatePbufferSurface failed";
    return false;
  }
  if (!eglMakeCurrent(display, surface, surface, context_)) {
    eglDestroySurface(display, surface);
    error = "eglMakeCurrent failed";
    return false;
  }
  if (surface_ != nullptr) eglDestroySurface(display, surface_);
  surface_ = surface;
  width_ = width;
  height_ = height;
  return true;
}

std::vector<uint8_t> OffscreenContext::readPixels() const {
  std::vector<uint8_t> pixels(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  return pixels;
}

bool OffscreenContext::savePpm(const std::string& path) const {
  const std::vector<uint8_t> pixels = readPixels();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  std::fprintf(file, "P6\n%d %d\n255\n", static_cast<int>(width_), static_cast<int>(height_));
  const size_t row = static_cast<size_t>(width_) * 3;
  bool ok = true;
  for (int32_t y = height_ - 1; y >= 0; --y) {
    ok = ok && std::fwrite(pixels.data() + static_cast<size_t>(y) * row, 1, row, file) == row;
  }
  return std::fclose(file) == 0 && ok;
}

}  // namespace gub
