#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Start-up: the title goes up before the cards and the other pictures are
read, yet New game pressed the very moment the title shows finds the table
ready: the first table frame shows the user's thirteen cards with their faces
(a card without its picture is a plain grey box)."""

import os
import signal
import subprocess
import sys
import time

from gubtest import HEIGHT, WIDTH, Game, HandLayout, check, layout, log, run
from measure import title_targets


def is_ink(colour):
    r, g, b = colour
    black = max(colour) < 80 and max(colour) - min(colour) < 16
    red = r > 150 and g < 100 and b < 100
    return black or red


def slot_spans(count):
    """Each slot's visible columns, by the game's own hit test."""
    out = subprocess.run([os.environ["GUB_HAND_SLOTS"], str(WIDTH), str(HEIGHT), str(count)],
                         check=True, capture_output=True, text=True).stdout
    return [(int(f[2]), int(f[3])) for f in (line.split() for line in out.splitlines())
            if f[0] == "slot"]


def cards_without_faces(shot, hand, count=13):
    """The slots whose visible part shows no print on its paper: no stroke at
    least three pixels wide, which the one-pixel edges of the cards are not."""
    bare = []
    for slot, (left, right) in enumerate(slot_spans(count)):
        strokes = paper = 0
        for y in range(hand.top + 4, hand.bottom - 4, 2):
            run = 0
            for x in range(left, min(right + 1, shot.width)):
                colour = shot.pixel(x, y)
                if min(colour) > 160 and max(colour) - min(colour) < 30:
                    paper += 1
                if is_ink(colour):
                    run += 1
                    if run == 3:
                        strokes += 1
                else:
                    run = 0
        if strokes < 2 or paper < 100:
            bare.append(slot)
    return bare


def scenario(server):
    game = Game(server)
    pid = None
    try:
        args = [str(v) for t in title_targets(game) for v in t]
        # The probe starts the game and answers the moment the title is on
        # the screen; the press follows at once.
        out = subprocess.run([os.environ["GUB_X11_PROBE"], "first-frame", *args, "--",
                              os.environ["GUB_CARDS"]], cwd=game.folder, env=game.env,
                             capture_output=True, text=True, timeout=60).stdout.split()
        check(len(out) == 2, f"the probe gave no answer: {out}")
        pid = int(out[1])
        check(out[0] != "timeout", "no title screen")
        game.click(*layout().centre("newgame"))
        log(f"title after {float(out[0]):.0f} ms; New game pressed at once")
        deadline = time.monotonic() + 15
        while True:
            shot = game.shot()
            if game.shows_table(shot) and game.shows_start_button(shot):
                break
            check(time.monotonic() < deadline, "no table after New game")
            time.sleep(0.02)
        bare = cards_without_faces(shot, HandLayout(13))
        if bare:
            shot.save("/tmp/test_start_up-faces.png")
        check(not bare, f"the first table frame shows cards {bare} without their faces")
        log("the first table frame shows every card's face")
    finally:
        if pid is not None:
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
