// SPDX-License-Identifier: MIT
// Draws a mid-deal one-deck frame (hands, flat rows, trick, pile, overlays)
// many times in an EGL pbuffer with Mesa's software renderer and prints the
// median time per frame at 1024 x 768 and at 1920 x 1080.
//
//   frame_bench [--runtime DIR] [--frames N] [--dump PREFIX] [--size WxH]...
//
// DIR is the run-time folder with the generated pictures (the build's own by
// default); without it the plain test pictures are drawn. --dump writes each
// size's last frame to PREFIX-WxH.ppm. Each --size replaces the two default
// sizes. It also prints how long the renderer's start-up took (the pictures
// read from the folder and uploaded, the display lists compiled).
#include <GL/gl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/settings.h"
#include "engine/view_state.h"
#include "render/offscreen_context.h"
#include "render/renderer.h"
#include "render/testkit.h"

namespace {

bool hasPictures(const std::string& folder) {
  struct stat info;
  return stat((folder + "/bg/table.bg").c_str(), &info) == 0 &&
         stat((folder + "/crd/53.crd").c_str(), &info) == 0;
}

double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const size_t index = static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
  return values[index];
}

}  // namespace

int main(int argc, char** argv) {
  std::string runtime = GUB_RUNTIME_DIR;
  std::string dumpPrefix;
  int frames = 200;
  std::vector<std::pair<int, int>> sizes;
  int width = 0;
  int height = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--runtime") == 0 && i + 1 < argc) {
      runtime = argv[++i];
    } else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
      frames = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--dump") == 0 && i + 1 < argc) {
      dumpPrefix = argv[++i];
    } else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc &&
               std::sscanf(argv[i + 1], "%dx%d", &width, &height) == 2 && width > 0 && height > 0) {
      sizes.emplace_back(width, height);
      ++i;
    } else {
      std::fprintf(stderr, "usage: %s [--runtime DIR] [--frames N] [--dump PREFIX] [--size WxH]\n",
                   argv[0]);
      return 2;
    }
  }
  if (!dumpPrefix.empty() && dumpPrefix[0] != '/') {
    char* here = getcwd(nullptr, 0);
    dumpPrefix = std::string(here) + "/" + dumpPrefix;
    free(here);
  }

  std::string pictures = "generated art in " + runtime;
  std::string scratch;
  if (!hasPictures(runtime)) {
    char pattern[] = "/tmp/gub-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr || !gub::testkit::writePictures(pattern)) {
      std::fprintf(stderr, "cannot write the test pictures\n");
      return 1;
    }
    scratch = pattern;
    runtime = scratch;
    pictures = "plain test pictures";
  }
  if (chdir(runtime.c_str()) != 0) {
    std::fprintf(stderr, "cannot enter %s\n", runtime.c_str());
    return 1;
  }

  gub::OffscreenContext context;
  std::string error;
  if (!context.create(1024, 768, error)) {
    std::fprintf(stderr, "no EGL pbuffer: %s\n", error.c_str());
    return 1;
  }
  const auto startUp = std::chrono::steady_clock::now();
  gub::Renderer renderer;
  renderer.loadTableTexture();
  renderer.createGl();
  glFinish();
  const double startUpMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - startUp).count();

  std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  std::printf("pictures: %s\n", pictures.c_str());
  std::printf("start-up: %.1f ms (table texture, GL set-up, cards, overlays)\n", startUpMs);
  std::printf("frame: mid-deal, one deck (hands, flat rows, trick, pile, overlays)\n");

  const gub::Settings settings;
  if (sizes.empty()) sizes = {{1024, 768}, {1920, 1080}};
  for (const auto& [w, h] : sizes) {
    const int size[2] = {w, h};
    if (!context.resizeSurface(size[0], size[1], error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
    gub::ViewState view;
    renderer.resize(view, size[0], size[1]);
    gub::GameState game = gub::testkit::midDealOneDeck();
    for (int i = 0; i < 10; ++i) renderer.drawScene(game, settings, view, gub::ScreenGame);
    glFinish();

    std::vector<double> times;
    times.reserve(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
      const auto start = std::chrono::steady_clock::now();
      renderer.drawScene(game, settings, view, gub::ScreenGame);
      glFinish();
      const auto stop = std::chrono::steady_clock::now();
      times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    std::printf("%4d x %4d: median %.2f ms per frame (min %.2f, 90th percentile %.2f, %d frames)\n",
                size[0], size[1], percentile(times, 0.5), percentile(times, 0.0),
                percentile(times, 0.9), frames);
    if (glGetError() != GL_NO_ERROR) std::printf("GL reported an error\n");
    if (!dumpPrefix.empty()) {
      const std::string path =
          dumpPrefix + "-" + std::to_string(size[0]) + "x" + std::to_string(size[1]) + ".ppm";
      std::printf("  frame written to %s\n", context.savePpm(path) ? path.c_str() : "nowhere");
    }
  }
  renderer.releaseGl();
  if (!scratch.empty()) {
    const std::string command = "rm -rf '" + scratch + "'";
    if (system(command.c_str()) != 0)
      std::fprintf(stderr, "could not remove %s\n", scratch.c_str());
  }
  return 0;
}
