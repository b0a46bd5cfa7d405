#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Figures of the real game under Xvfb (a benchmark, not a test):
  - the time from exec to the first title frame on the screen, side by side
    with a bare wx GL window (a canvas cleared and swapped once) started the
    same way in the same rounds, median of 9 runs each, with the sound on and
    with the sound off; and the resident memory of each with the title shown;
  - the time from a click on a card to the presented frame, over the thirteen
    tricks of a one-deck deal, with the pause after the trick left out (the
    settings file's speed set to 0).
Run from the build folder's tests/e2e with the same environment as the tests:
  GUB_CARDS=... GUB_RUNTIME=... GUB_HAND_SLOTS=... GUB_X11_PROBE=... \
  GUB_BARE_GL_WINDOW=... measure.py [--start-up-only]
or simply:
  cmake --build build --target gub-measure
"""

import os
import signal
import statistics
import subprocess
import sys
import time

from gubtest import (HEIGHT, SOUND_ON, SPEED, WIDTH, Failure, Game, HandLayout, Xvfb, new_game,
                     press_start, start_at_title)

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


# The bare window's clear colour (0.2, 0.6, 0.4).
BARE_COLOUR = (51, 153, 102)


def bare_targets():
    return [(x, y, *BARE_COLOUR) for x in (WIDTH // 8, WIDTH // 2, WIDTH * 7 // 8)
            for y in (HEIGHT // 8, HEIGHT // 2, HEIGHT * 7 // 8)]


def first_frame(program, targets, cwd, env):
    """Milliseconds from exec to the first frame showing `targets`, and the
    resident memory a second later (the program started and idle)."""
    args = [str(v) for t in targets for v in t]
    out = subprocess.run([os.environ["GUB_X11_PROBE"], "first-frame", *args, "--", program],
                         cwd=cwd, env=env, capture_output=True, text=True).stdout
    fields = out.split()
    if len(fields) < 2:
        raise Failure(f"the probe gave no answer for {program}: {out!r}")
    pid = int(fields[1])
    try:
        if fields[0] == "timeout":
            raise Failure(f"no first frame of {program}")
        time.sleep(1.0)
        return float(fields[0]), rss_kib(pid)
    finally:
        os.kill(pid, signal.SIGKILL)
        while os.path.exists(f"/proc/{pid}"):
            time.sleep(0.02)
        time.sleep(0.3)


def start_up(server):
    # The sound on through SDL's dummy device: the mixer and the soundfont are
    # loaded as on a desktop, with nothing to hear.
    games = {"on": Game(server, fields={SOUND_ON: 1}), "off": Game(server, fields={SOUND_ON: 0})}
    times = {"bare": [], "on": [], "off": []}
    memory = {"bare": [], "on": [], "off": []}
    try:
        targets = title_targets(games["on"])
        runners = {
            "bare": lambda: first_frame(os.environ["GUB_BARE_GL_WINDOW"], bare_targets(),
                                        games["on"].folder, games["on"].env),
            "on": lambda: first_frame(os.environ["GUB_CARDS"], targets, games["on"].folder,
                                      games["on"].env),
            "off": lambda: first_frame(os.environ["GUB_CARDS"], targets, games["off"].folder,
                                       games["off"].env),
        }
        order = list(runners)
        for round_ in range(RUNS):
            # Each program takes each place in the round in turn.
            for name in order[round_ % 3:] + order[:round_ % 3]:
                ms, kib = runners[name]()
                times[name].append(ms)
                memory[name].append(kib)
    finally:
        for game in games.values():
            game.close()
    labels = {"bare": "bare wx GL window", "on": "gub-cards, sound on", "off": "gub-cards, sound off"}
    bare = statistics.median(times["bare"])
    print(f"exec to first frame, median of {RUNS} runs each, side by side:")
    for name, label in labels.items():
        median = statistics.median(times[name])
        print(f"  {label:<22} {median:6.0f} ms (min {min(times[name]):.0f}, max "
              f"{max(times[name]):.0f})  {median / bare:.2f}x the bare window")
    print("resident memory one second after the first frame, median:")
    for name, label in labels.items():
        print(f"  {label:<22} {statistics.median(memory[name]) / 1024:6.1f} MiB")


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
        if "--start-up-only" not in sys.argv[1:]:
            click_to_frame(server)
    return 0


if __name__ == "__main__":
    sys.exit(main())
