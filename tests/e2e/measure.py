#!/usr/bin/env python3
"""Figures of the real game under Xvfb (a benchmark, not a test):
  - the time from exec to the first title frame on the screen, median of 9
    runs, and the resident memory with the title shown;
  - the time from a click on a card to the presented frame, over the thirteen
    tricks of a one-deck deal, with the pause after the trick left out (the
    settings file's speed set to 0).
Run from the build folder's tests/e2e with the same environment as the tests:
  GUB_CARDS=... GUB_RUNTIME=... GUB_HAND_SLOTS=... GUB_X11_PROBE=... measure.py
or simply:
  cmake --build build --target gub-measure
"""

import os
import signal
import statistics
import subprocess
import sys
import time

from gubtest import (HEIGHT, SPEED, WIDTH, Failure, Game, HandLayout, Xvfb, new_game, press_start,
                     start_at_title)

RUNS = 9


def title_targets(game, count=10):
    """Screen pixels of the title picture where it is flat (so that scaling
    can't blur them), with their colours, spread over the screen."""
    back = game.picture("bg/back.bg")
    targets = []
    for gy in range(20, back.height - 20, 37):
        for gx in range(20, back.width - 20, 53):
            colour = back.pixel(gx, gy)
            if sum(colour) < 60:
                continue
            flat = all(back.pixel(gx + dx, gy + dy) == colour for dx in (-2, 0, 2)
                       for dy in (-2, 0, 2))
            if flat:
                # The picture fills the 1024 x 768 screen with row 0 at the top.
                scale = 1024 / back.width
                targets.append((int((gx + 0.5) * scale), int((gy + 0.5) * scale), *colour))
    step = max(1, len(targets) // count)
    return targets[::step][:count]


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def start_up(server):
    game = Game(server, env={"SDL_AUDIODRIVER": "dummy"})
    times, memory = [], []
    try:
        targets = title_targets(game)
        args = [str(v) for t in targets for v in t]
        env = dict(game.env)
        for _ in range(RUNS):
            out = subprocess.run([os.environ["GUB_X11_PROBE"], "first-frame", *args, "--",
                                  os.environ["GUB_CARDS"]],
                                 cwd=game.folder, env=env, capture_output=True, text=True).stdout
            fields = out.split()
            if not fields or fields[0] == "timeout":
                raise Failure(f"no title frame: {out!r}")
            ms, pid = float(fields[0]), int(fields[1])
            time.sleep(1.0)  # the music started, the title shown and idle
            memory.append(rss_kib(pid))
            os.kill(pid, signal.SIGKILL)
            while os.path.exists(f"/proc/{pid}"):
                time.sleep(0.02)
            times.append(ms)
            time.sleep(0.3)
    finally:
        game.close()
    print(f"exec to first title frame: median {statistics.median(times):.0f} ms over {RUNS} runs "
          f"(min {min(times):.0f}, max {max(times):.0f})")
    print(f"resident memory with the title shown: median {statistics.median(memory) / 1024:.0f} MiB")


def click_to_frame(server):
    game = Game(server, fields={SPEED: 0})
    firsts, lasts = [], []
    try:
        start_at_title(game)
        hand = HandLayout(13)
        new_game(game)
        press_start(game)
        x0, y0, x1, y1 = hand.region()
        for count in range(13, 0, -1):
            for slot in range(count):
                game.settle()
                x, y = hand.position(slot)
                result = subprocess.run([os.environ["GUB_X11_PROBE"], "click", str(x), str(y),
                                         str(x0), str(y0), str(x1), str(y1), "700"],
                                        env=game.env, capture_output=True, text=True)
                if result.returncode == 0:
                    first, last = map(float, result.stdout.split())
                    firsts.append(first)
                    lasts.append(last)
                    break
            else:
                raise Failure("no card accepted")
    finally:
        game.close()
    print(f"click on a card to the presented trick frame: median {statistics.median(firsts):.1f} ms "
          f"over {len(firsts)} tricks (min {min(firsts):.1f}, max {max(firsts):.1f})")
    print(f"click on a card to the last frame of the turn (computers played to the user's next "
          f"turn): median {statistics.median(lasts):.1f} ms")


def main():
    with Xvfb() as server:
        start_up(server)
        click_to_frame(server)
    return 0


if __name__ == "__main__":
    sys.exit(main())
