// SPDX-License-Identifier: MIT
// Timing probe for the game under Xvfb, for the figures of the README and the
// report (not a test). Two modes:
//   x11_probe first-frame X Y R G B [X Y R G B ...] -- PROGRAM [ARGS...]
//     starts PROGRAM and prints the milliseconds from exec until every listed
//     screen pixel shows its colour (within 24 per channel), then its pid; the
//     program is left running.
//   x11_probe click X Y X0 Y0 X1 Y1 [TIMEOUT_MS]
//     clicks at (X, Y) with XTest and prints the milliseconds until the screen
//     rectangle [X0, X1) x [Y0, Y1) first changes, then until its last change
//     (no further change for 400 ms); exits 1 when nothing changes within
//     TIMEOUT_MS (default 10000).
// Both sleep until the server reports damage to the screen and only then read
// it back, once per batch of reports: reading the screen in a tight loop
// would take the very server time the measured program needs to draw.
// and, for the tests, one more:
//   x11_probe close WINDOW taskbar|direct
//     asks WINDOW to close as a taskbar does (_NET_CLOSE_WINDOW to the window
//     manager) or as a window manager does (WM_DELETE_WINDOW to the window).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Target {
  int x, y, r, g, b;
};

bool pixelMatches(Display* display, const Target& t) {
  XImage* image =
      XGetImage(display, DefaultRootWindow(display), t.x, t.y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  unsigned long p = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  int r = static_cast<int>((p >> 16) & 0xFF), g = static_cast<int>((p >> 8) & 0xFF),
      b = static_cast<int>(p & 0xFF);
  return std::abs(r - t.r) <= 24 && std::abs(g - t.g) <= 24 && std::abs(b - t.b) <= 24;
}

std::vector<char> grab(Display* display, int x0, int y0, int x1, int y1) {
  XImage* image =
      XGetImage(display, DefaultRootWindow(display), x0, y0, x1 - x0, y1 - y0, AllPlanes, ZPixmap);
  std::vector<char> bytes;
  if (image != nullptr) {
    bytes.assign(image->data, image->data + image->bytes_per_line * image->height);
    XDestroyImage(image);
  }
  return bytes;
}

// Damage reports for the whole screen. Raw rectangles need no subtracting:
// the server sends one report for every drawing and keeps nothing.
class ScreenDamage {
 public:
  explicit ScreenDamage(Display* display) : display_(display) {
    int error = 0;
    if (!XDamageQueryExtension(display_, &eventBase_, &error)) return;
    damage_ = XDamageCreate(display_, DefaultRootWindow(display_), XDamageReportRawRectangles);
    XSync(display_, False);
  }
  ~ScreenDamage() {
    if (damage_ != 0) XDamageDestroy(display_, damage_);
  }
  ScreenDamage(const ScreenDamage&) = delete;
  ScreenDamage& operator=(const ScreenDamage&) = delete;

  bool ok() const { return damage_ != 0; }

  // Waits up to `timeoutMs` for reports; true when one touched the rectangle
  // [x0, x1) x [y0, y1). Takes every report already queued.
  bool wait(double timeoutMs, int x0, int y0, int x1, int y1) {
    Clock::time_point start = Clock::now();
    bool touched = false;
    for (;;) {
      while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type != eventBase_ + XDamageNotify) continue;
        const XRectangle& area = reinterpret_cast<XDamageNotifyEvent&>(event).area;
        if (area.x < x1 && area.x + area.width > x0 && area.y < y1 && area.y + area.height > y0) {
          touched = true;
        }
      }
      double left = timeoutMs - msSince(start);
      if (touched || left <= 0) return touched;
      pollfd connection{ConnectionNumber(display_), POLLIN, 0};
      poll(&connection, 1, static_cast<int>(left) + 1);
    }
  }

 private:
  Display* display_;
  int eventBase_ = 0;
  Damage damage_ = 0;
};

int firstFrame(Display* display, int argc, char** argv) {
  std::vector<Target> targets;
  int i = 2;
  for (; i + 4 < argc && std::strcmp(argv[i], "--") != 0; i += 5) {
    targets.push_back({std::atoi(argv[i]), std::atoi(argv[i + 1]), std::atoi(argv[i + 2]),
                       std::atoi(argv[i + 3]), std::atoi(argv[i + 4])});
  }
  if (i >= argc || std::strcmp(argv[i], "--") != 0 || i + 1 >= argc) return 2;
  ScreenDamage damage(display);
  if (!damage.ok()) {
    std::fprintf(stderr, "x11_probe: the server has no DAMAGE extension\n");
    return 2;
  }
  // The program keeps running after the probe has answered: it must not
  // hold the probe's output open.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  Clock::time_point start = Clock::now();
  int spawned = posix_spawn(&pid, argv[i + 1], &actions, nullptr, argv + i + 1, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return 1;
  const int width = DisplayWidth(display, DefaultScreen(display));
  const int height = DisplayHeight(display, DefaultScreen(display));
  while (msSince(start) < 30000) {
    if (!damage.wait(30000 - msSince(start), 0, 0, width, height)) break;
    bool all = true;
    for (const Target& t : targets) {
      if (!pixelMatches(display, t)) {
        all = false;
        break;
      }
    }
    if (all) {
      std::printf("%.1f %d\n", msSince(start), static_cast<int>(pid));
      return 0;
    }
  }
  std::printf("timeout %d\n", static_cast<int>(pid));
  return 1;
}

int click(Display* display, int argc, char** argv) {
  const double timeoutMs = argc > 8 ? std::atof(argv[8]) : 10000.0;
  constexpr double QuietMs = 400.0;
  int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
  int x0 = std::atoi(argv[4]), y0 = std::atoi(argv[5]), x1 = std::atoi(argv[6]),
      y1 = std::atoi(argv[7]);
  ScreenDamage damage(display);
  if (!damage.ok()) {
    std::fprintf(stderr, "x11_probe: the server has no DAMAGE extension\n");
    return 2;
  }
  XTestFakeMotionEvent(display, -1, x, y, CurrentTime);
  XSync(display, False);
  usleep(100000);
  // The pointer's own drawing is no change of the picture.
  damage.wait(0, x0, y0, x1, y1);
  std::vector<char> current = grab(display, x0, y0, x1, y1);
  Clock::time_point start = Clock::now();
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XFlush(display);
  double first = -1, last = -1;
  for (;;) {
    double left = first < 0 ? timeoutMs - msSince(start) : QuietMs - (msSince(start) - last);
    if (left <= 0 || msSince(start) > 10000.0 + timeoutMs) break;
    if (!damage.wait(left, x0, y0, x1, y1)) continue;
    std::vector<char> now = grab(display, x0, y0, x1, y1);
    if (now != current) {
      last = msSince(start);
      if (first < 0) first = last;
      current = std::move(now);
    }
  }
  std::printf("%.1f %.1f\n", first, last);
  return first >= 0 ? 0 : 1;
}

int closeWindow(Display* display, char** argv) {
  Window window = std::strtoul(argv[2], nullptr, 0);
  Window root = DefaultRootWindow(display);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.format = 32;
  event.xclient.window = window;
  if (std::strcmp(argv[3], "taskbar") == 0) {
    event.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = 2;  // from a pager or taskbar
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  } else {
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
  }
  XSync(display, False);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 2;
  int status = 2;
  if (argc > 2 && std::strcmp(argv[1], "first-frame") == 0)
    status = firstFrame(display, argc, argv);
  if ((argc == 8 || argc == 9) && std::strcmp(argv[1], "click") == 0) {
    status = click(display, argc, argv);
  }
  if (argc == 4 && std::strcmp(argv[1], "close") == 0) status = closeWindow(display, argv);
  XCloseDisplay(display);
  return status;
}
