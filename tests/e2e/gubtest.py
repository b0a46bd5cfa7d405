# SPDX-License-Identifier: MIT
"""End-to-end test kit for gub-cards: a private Xvfb server, a scratch copy of
the run-time folder, the real binary driven by xdotool, and judgements made
from screenshots (ImageMagick `import`) against the game's own pictures.

Paths come from the environment, set by CTest: GUB_CARDS (the binary),
GUB_RUNTIME (the generated run-time folder), GUB_HAND_SLOTS (the helper that
prints where the hand's cards are, by the game's own hit test), GUB_SCREEN_LAYOUT
(the helper that prints where the flat pictures and their press areas are),
GUB_X11_PROBE (the X helper that also sends close requests).
GUB_SCREEN ("1920x1080") sets the screen size; 1024 x 768 without it.

GUB_WM picks the window manager the server runs: "none" (a bare server, the
default), "openbox" or "mutter". Desktops defer and reorder what a bare
server does at once, so every scenario runs under each.
"""

import math
import os
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

WIDTH, HEIGHT = (int(v) for v in os.environ.get("GUB_SCREEN", "1024x768").split("x"))

# Settings file offsets.
MAX_SCORE, SOUND_ON, DECLARE_EXCEPT_SHEEP, SPEED, OPPOSITE_IS_FRIEND, TWO_DECKS = 4, 8, 12, 16, 20, 24


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def log(message):
    print(f"[{time.strftime('%H:%M:%S')}] {message}", flush=True)


class Picture:
    """A 24-bit BMP from the run-time folder, rows top first, as RGB."""

    def __init__(self, path):
        data = open(path, "rb").read()
        check(data[:2] == b"BM", f"{path} is no BMP")
        offset = struct.unpack_from("<I", data, 10)[0]
        self.width, height = struct.unpack_from("<ii", data, 18)
        self.height = abs(height)
        stride = (self.width * 3 + 3) // 4 * 4
        self.rows = []
        for r in range(self.height):
            src = r if height < 0 else self.height - 1 - r
            row = data[offset + src * stride: offset + src * stride + self.width * 3]
            # BGR to RGB
            rgb = bytearray(len(row))
            rgb[0::3], rgb[1::3], rgb[2::3] = row[2::3], row[1::3], row[0::3]
            self.rows.append(bytes(rgb))

    def pixel(self, x, y):
        i = x * 3
        row = self.rows[y]
        return row[i], row[i + 1], row[i + 2]


class Shot:
    """One screenshot of the whole screen."""

    def __init__(self, data, width=WIDTH, height=HEIGHT):
        check(len(data) == width * height * 3, f"screenshot of {len(data)} bytes")
        self.data = data
        self.width, self.height = width, height

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return self.data[i], self.data[i + 1], self.data[i + 2]

    def region(self, x0, y0, x1, y1):
        """The bytes of the rectangle [x0, x1) x [y0, y1)."""
        w = self.width
        return b"".join(self.data[(y * w + x0) * 3:(y * w + x1) * 3] for y in range(y0, y1))

    def save(self, path):
        subprocess.run(["convert", "-size", f"{self.width}x{self.height}", "-depth", "8", "rgb:-",
                        path], input=self.data, check=False)

    def matches(self, picture, gl_x, gl_y, zoom=1, tolerance=48, step=3):
        """The share of sampled pixels of `picture`, drawn zoomed with its lower
        left corner at GL window pixel (gl_x, gl_y), that the screen shows: GL
        fills the pixels whose centres the zoomed picture covers."""
        height = math.ceil(picture.height * zoom - 0.5)
        width = math.ceil(picture.width * zoom - 0.5)
        hits = total = 0
        for gy in range(0, height, step):
            for gx in range(0, width, step):
                sx, sy = gl_x + gx, self.height - 1 - (gl_y + gy)
                if not (0 <= sx < self.width and 0 <= sy < self.height):
                    continue
                px = min(int((gx + 0.5) / zoom), picture.width - 1)
                py = min(int((gy + 0.5) / zoom), picture.height - 1)
                want = picture.pixel(px, picture.height - 1 - py)
                got = self.pixel(sx, sy)
                total += 1
                if all(abs(a - b) <= tolerance for a, b in zip(want, got)):
                    hits += 1
        return hits / total if total else 0.0


def window_manager():
    """The window manager the scenarios run under: none, openbox or mutter."""
    return os.environ.get("GUB_WM", "none") or "none"


class Xvfb:
    """A private X server on a free display number, with the window manager
    GUB_WM names (or `wm`) running on it."""

    def __init__(self, width=WIDTH, height=HEIGHT, wm=None, extra_args=()):
        self.width, self.height = width, height
        self.extra_args = list(extra_args)
        self.wm = wm or window_manager()
        self.wm_proc = None

    def __enter__(self):
        read_fd, write_fd = os.pipe()
        self.log = tempfile.TemporaryFile()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
             f"{self.width}x{self.height}x24", "-nolisten", "tcp", "-noreset", *self.extra_args],
            pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=self.log)
        os.close(write_fd)
        # The server writes the number, then a newline: read both before
        # closing, or its second write fails and it gives up.
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n") and time.monotonic() < deadline:
            ready, _, _ = select.select([read_fd], [], [], 0.5)
            if ready:
                chunk = os.read(read_fd, 64)
                if not chunk:
                    break
                number += chunk
        os.close(read_fd)
        number = number.decode().strip()
        check(number.isdigit(), "Xvfb gave no display number")
        self.display = ":" + number
        try:
            self.start_window_manager()
        except BaseException:
            self.__exit__()
            raise
        return self

    def start_window_manager(self):
        if self.wm == "none":
            return
        commands = {
            "openbox": ["openbox", "--sm-disable"],
            # Mutter wants a session bus; a private one goes with it.
            "mutter": ["dbus-run-session", "--", "mutter", "--x11", "--replace", "--sm-disable"],
        }
        check(self.wm in commands, f"unknown window manager {self.wm!r}")
        self.wm_log = tempfile.TemporaryFile()
        env = dict(os.environ, DISPLAY=self.display, NO_AT_BRIDGE="1")
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        self.wm_proc = subprocess.Popen(commands[self.wm], env=env, stdout=self.wm_log,
                                        stderr=self.wm_log, start_new_session=True)
        # It is ready once it has named its check window on the root window.
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            check(self.wm_proc.poll() is None, f"{self.wm} ended at start-up")
            out = subprocess.run(["xprop", "-root", "-display", self.display,
                                  "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True).stdout
            if "window id" in out:
                return
            time.sleep(0.1)
        raise Failure(f"{self.wm} did not come up")

    def stop_window_manager(self):
        if self.wm_proc is None:
            return
        try:
            os.killpg(self.wm_proc.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        try:
            self.wm_proc.wait(10)
        except subprocess.TimeoutExpired:
            os.killpg(self.wm_proc.pid, signal.SIGKILL)
            self.wm_proc.wait()
        self.wm_proc = None

    def __exit__(self, *exc):
        self.stop_window_manager()
        self.proc.terminate()
        try:
            self.proc.wait(10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


def windows_named(server, name):
    """The visible windows called exactly `name` on the server."""
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"],
                         capture_output=True, text=True,
                         env=dict(os.environ, DISPLAY=server.display)).stdout
    return [w for w in out.split() if w]


class HandLayout:
    """Where the user's cards are, by the game's own hit test."""

    def __init__(self, slots):
        out = subprocess.run([os.environ["GUB_HAND_SLOTS"], str(WIDTH), str(HEIGHT), str(slots)],
                             check=True, capture_output=True, text=True).stdout
        self.centres = {}
        for line in out.splitlines():
            parts = line.split()
            if parts[0] == "band":
                self.top, self.bottom = int(parts[1]), int(parts[2])
            elif parts[0] == "slot":
                self.centres[int(parts[1])] = (int(parts[2]) + int(parts[3])) // 2
        self.y = (self.top + self.bottom) // 2

    def position(self, slot):
        return self.centres[slot], self.y

    def region(self):
        """The screen rows of the hand (above the seat's own totals)."""
        return (0, max(0, self.top - 60), WIDTH, min(HEIGHT - 40, self.bottom + 10))


class ScreenLayout:
    """Where the game puts its flat pictures and press areas on this screen."""

    def __init__(self):
        out = subprocess.run([os.environ["GUB_SCREEN_LAYOUT"], str(WIDTH), str(HEIGHT)],
                             check=True, capture_output=True, text=True).stdout
        self.pictures, self.presses, self.totals = {}, {}, {}
        for line in out.splitlines():
            kind, *rest = line.split()
            if kind == "unit":
                self.unit = float(rest[0])
            elif kind == "title":
                self.title = (int(rest[0]), int(rest[1]), float(rest[2]))
            elif kind == "picture":
                self.pictures[rest[0]] = (int(rest[1]), int(rest[2]))
            elif kind == "press":
                self.presses[rest[0]] = tuple(int(v) for v in rest[1:])
            elif kind == "total":
                self.totals[int(rest[0])] = (int(rest[1]), int(rest[2]))

    def centre(self, name):
        """The middle of a press area, in client pixels."""
        left, top, right, bottom = self.presses[name]
        return (left + right) // 2, (top + bottom) // 2


_layout = None


def layout():
    global _layout
    if _layout is None:
        _layout = ScreenLayout()
    return _layout


class Game:
    """The game in a scratch copy of the run-time folder, on a given server."""

    def __init__(self, server, fields=None, remove=(), env=None):
        self.server = server
        self.scratch = tempfile.mkdtemp(prefix="gub-e2e-")
        self.folder = os.path.join(self.scratch, "run")
        shutil.copytree(os.environ["GUB_RUNTIME"], self.folder)
        # A private runtime folder: the instance lock of these copies can't
        # meet a game the user is running.
        self.runtime_dir = os.path.join(self.scratch, "xdg")
        os.mkdir(self.runtime_dir, 0o700)
        self.write_field(SPEED, 1)
        for offset, value in (fields or {}).items():
            self.write_field(offset, value)
        for name in remove:
            os.remove(os.path.join(self.folder, name))
        # Statistics go to a scratch data folder, never the user's own.
        self.data_dir = os.path.join(self.scratch, "data")
        self.env = dict(os.environ, DISPLAY=server.display, XDG_RUNTIME_DIR=self.runtime_dir,
                        XDG_DATA_HOME=self.data_dir, SDL_AUDIODRIVER="dummy", NO_AT_BRIDGE="1")
        self.env.update(env or {})
        self.pictures = {}
        self.proc = None
        self.stderr_path = os.path.join(self.scratch, "stderr.txt")

    # --- settings file ----------------------------------------------------
    def settings_path(self):
        return os.path.join(self.folder, "gub.cfg")

    def write_field(self, offset, value):
        with open(self.settings_path(), "r+b") as f:
            f.seek(offset)
            f.write(struct.pack("<i", value))

    def read_field(self, offset):
        with open(self.settings_path(), "rb") as f:
            data = f.read()
        return struct.unpack_from("<i", data, offset)[0]

    # --- process ----------------------------------------------------------
    def start(self):
        if self.proc is not None:
            check(not self.running(), "the game is already running")
            self.stderr.close()
        self.stderr = open(self.stderr_path, "ab")
        self.started = time.monotonic()
        # As from a terminal or a launcher: Ctrl+C's signal is not ignored,
        # whatever the test runner itself was started with.
        self.proc = subprocess.Popen([os.environ["GUB_CARDS"]], cwd=self.folder, env=self.env,
                                     stdout=subprocess.DEVNULL, stderr=self.stderr,
                                     preexec_fn=lambda: signal.signal(signal.SIGINT, signal.SIG_DFL))
        return self.proc

    def spawn_another(self):
        """A second copy in the same folder and session."""
        return subprocess.Popen([os.environ["GUB_CARDS"]], cwd=self.folder, env=self.env,
                                stdout=subprocess.DEVNULL, stderr=self.stderr)

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def wait_exit(self, timeout):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def close(self, keep_on_failure=False):
        if self.running():
            self.proc.kill()
            self.proc.wait()
        if self.proc is not None:
            self.stderr.close()
            text = open(self.stderr_path, errors="replace").read()
            if "wx assertion failed" in text:
                raise Failure("wx assertion:\n" + text)
        if not keep_on_failure:
            shutil.rmtree(self.scratch, ignore_errors=True)

    # --- screen -----------------------------------------------------------
    def shot(self):
        data = subprocess.run(["import", "-display", self.server.display, "-window", "root",
                               "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
        return Shot(data, self.server.width, self.server.height)

    def picture(self, name):
        if name not in self.pictures:
            self.pictures[name] = Picture(os.path.join(os.environ["GUB_RUNTIME"], name))
        return self.pictures[name]

    def shows_title(self, shot):
        x, y, zoom = layout().title
        back = self.picture("bg/back.bg")
        # A picture at twice (or any multiple of) its design width of 512 is
        # drawn at the zoom divided by that.
        return shot.matches(back, x, y, zoom=zoom * 512 / back.width, step=7) > 0.9

    def shows_picture(self, shot, name, where):
        x, y = layout().pictures[where]
        return shot.matches(self.picture(name), x, y, zoom=layout().unit) > 0.9

    def shows_table(self, shot):
        return self.shows_picture(shot, "bg/menu.bg", "menu")

    def shows_start_button(self, shot):
        return self.shows_picture(shot, "bg/cancel.bg", "start")

    def shows_deal_over(self, shot):
        return self.shows_picture(shot, "bg/hu.bg", "dealover")

    def wait_for(self, predicate, what, timeout=15.0):
        deadline = time.monotonic() + timeout
        while True:
            check(self.running(), f"the game ended while waiting for {what}")
            shot = self.shot()
            if predicate(shot):
                return shot
            if time.monotonic() > deadline:
                name = os.path.splitext(os.path.basename(sys.argv[0]))[0]
                path = os.path.join(tempfile.gettempdir(), f"{name}-timeout.png")
                shot.save(path)
                # What the window itself holds tells a game that never got
                # there from a compositor that did not show it yet.
                found = self.windows("Gub Cards")
                if found:
                    subprocess.run(["import", "-display", self.server.display, "-window", found[0],
                                    path[:-4] + "-window.png"], check=False)
                raise Failure(f"no {what} within {timeout} s (screen saved in {path},"
                              f" the window's own picture beside it)")
            time.sleep(0.05)

    def settle(self, shot=None, interval=0.12, timeout=10.0):
        """The screen once two shots in a row agree."""
        if self.server.wm == "mutter":
            # The compositor may hold a frame back for a moment.
            interval = max(interval, 0.3)
        deadline = time.monotonic() + timeout
        previous = shot or self.shot()
        while time.monotonic() < deadline:
            time.sleep(interval)
            current = self.shot()
            if current.data == previous.data:
                return current
            previous = current
        raise Failure("the screen never settled")

    def wait_change(self, region, before, timeout=0.8):
        """The settled screen after `region` differs from `before`, or None."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            shot = self.shot()
            if shot.region(*region) != before:
                return self.settle(shot)
            time.sleep(0.04)
        # On a busy machine the answer may come late: look once more at a
        # settled screen before calling the press refused.
        shot = self.settle()
        return shot if shot.region(*region) != before else None

    # --- input ------------------------------------------------------------
    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], check=True,
                       env=dict(os.environ, DISPLAY=self.server.display))

    def type_text(self, text):
        """Types `text` into the focused control (read from stdin, so that a
        leading minus is no option)."""
        subprocess.run(["xdotool", "type", "--delay", "30", "--file", "-"], input=text.encode(),
                       check=True, env=dict(os.environ, DISPLAY=self.server.display))

    def click(self, x, y, button=1, double=False):
        if double:
            self.xdotool("mousemove", x, y, "click", "--repeat", 2, "--delay", 60, button)
        else:
            self.xdotool("mousemove", x, y, "click", button)

    def windows(self, name):
        return windows_named(self.server, name)

    def active_window(self):
        """The window the window manager calls active, or None."""
        out = subprocess.run(["xprop", "-root", "-display", self.server.display,
                              "_NET_ACTIVE_WINDOW"], capture_output=True, text=True).stdout
        try:
            return int(out.split()[-1], 16)
        except (IndexError, ValueError):
            return None

    def wait_no_window(self, name, timeout=5.0):
        deadline = time.monotonic() + timeout
        while self.windows(name):
            check(time.monotonic() < deadline, f"a window named {name} stayed")
            time.sleep(0.05)

    def key(self, *names, window=None):
        """Keys to a window (the main window when none is given); without a
        window manager the focus has to be set by hand."""
        if window is None:
            found = self.windows("Gub Cards")
            check(found, "no main window")
            window = found[0]
        self.xdotool("windowfocus", window)
        time.sleep(0.1)
        for name in names:
            self.xdotool("key", name)
            time.sleep(0.08)


def run(scenario):
    """Runs one scenario with its own server; exit status 0 when it passed."""
    log(f"window manager: {window_manager()}")
    try:
        with Xvfb() as server:
            scenario(server)
    except Failure as failure:
        log(f"FAILED: {failure}")
        return 1
    log("passed")
    return 0


# --- shared steps ---------------------------------------------------------

def start_at_title(game):
    game.start()
    game.wait_for(game.shows_title, "title screen")
    log("title screen shown")


def new_game(game):
    game.click(*layout().centre("newgame"))
    shot = game.wait_for(lambda s: game.shows_table(s) and game.shows_start_button(s),
                         "table with the start button")
    return game.settle(shot)


def declare_a_card(game, hand, slots, attempts=8):
    """Clicks the cards of a fresh deal until one is declared (the declaration
    strip changes); deals again from the title when the hand holds none."""
    strip = (0, 0, layout().presses["menu"][0], layout().presses["menu"][3])
    for _ in range(attempts):
        shot = game.settle()
        for slot in range(slots):
            before = shot.region(*strip)
            game.click(*hand.position(slot))
            changed = game.wait_change(strip, before, timeout=0.5)
            if changed is not None:
                log(f"declared the card in slot {slot}")
                return changed
        log("no declarable card in this hand; dealing again")
        game.click(*layout().centre("menu"))
        game.wait_for(game.shows_title, "title screen")
        new_game(game)
    raise Failure("no hand with a declarable card")


def press_start(game):
    game.click(*layout().centre("start"))
    shot = game.wait_for(lambda s: not game.shows_start_button(s), "start of play")
    return game.settle(shot)


def play_one_deck_card(game, hand, count):
    """Clicks the cards of a `count`-card hand from the left until one is
    played; returns the settled screen."""
    region = hand.region()
    shot = game.settle()
    for slot in range(count):
        before = shot.region(*region)
        game.click(*hand.position(slot))
        changed = game.wait_change(region, before)
        if changed is not None:
            return changed
        log(f"slot {slot} refused")
    raise Failure(f"no card of the {count} was accepted")


if __name__ == "__main__":
    sys.exit("run the test_*.py scenarios instead")
