#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Stale-frame loop (a measurement, not a test): plays the opening of a deal
and goes back to the title again and again, while a watcher compares what the
game's window holds (a screenshot of the window itself) with what the screen
shows (a screenshot of the root window). A frame counts as stale when the
window has held it for STALE_AFTER seconds and the screen still shows
something else. The game's own steps wait on the window's screenshots, so a
stale screen cannot stall the loop.

    stale_frame_loop.py [--rounds N] [--cards N] [wm ...]

Needs the same environment as the end-to-end tests; the build's
`gub-stale-frame-loop` target sets it.
"""

import argparse
import subprocess
import sys
import threading
import time

from gubtest import (HEIGHT, WIDTH, Failure, Game, HandLayout, Shot, Xvfb, layout, log, new_game,
                     play_one_deck_card, press_start)

STALE_AFTER = 1.0  # seconds the screen may lag behind the window


class WindowGame(Game):
    """The game judged from its own window's contents, not from the screen."""

    def window_shot(self):
        found = self.windows("Gub Cards")
        deadline = time.monotonic() + 15
        while not found and time.monotonic() < deadline:
            time.sleep(0.05)
            found = self.windows("Gub Cards")
        if not found:
            raise Failure("no main window")
        out = subprocess.run(["import", "-display", self.server.display, "-window", found[0],
                              "-depth", "8", "rgb:-"], capture_output=True)
        if len(out.stdout) != WIDTH * HEIGHT * 3:
            raise Failure("the window is not full screen")
        return Shot(out.stdout)

    def root_shot(self):
        return Game.shot(self)

    def shot(self):
        return self.window_shot()


class Watcher(threading.Thread):
    """Counts the window's frames that the screen did not show in time."""

    def __init__(self, game):
        super().__init__(daemon=True)
        self.game = game
        self.stop = threading.Event()
        self.frames = 0  # frames the window held for at least STALE_AFTER
        self.stale = 0
        self.worst = 0.0  # the longest lag seen, in seconds

    def run(self):
        frame, since, shown, counted = None, 0.0, False, False
        while not self.stop.is_set():
            try:
                window = self.game.window_shot().data
                root = self.game.root_shot().data
            except (Failure, subprocess.CalledProcessError):
                time.sleep(0.05)
                continue
            now = time.monotonic()
            if window != frame:
                frame, since, shown, counted = window, now, False, False
            if root == frame and not shown:
                shown = True
                self.worst = max(self.worst, now - since)
            if not counted and now - since >= STALE_AFTER:
                counted = True
                self.frames += 1
                if not shown:
                    self.stale += 1
                    self.worst = max(self.worst, now - since)
                    path = f"/tmp/stale-frame-{self.stale}.png"
                    Shot(root).save(path)
                    log(f"stale screen (saved in {path})")


def one_round(game, cards):
    new_game(game)
    press_start(game)
    hand = HandLayout(13)
    for count in range(13, 13 - cards, -1):
        play_one_deck_card(game, hand, count)
    if cards == 13:
        game.wait_for(game.shows_deal_over, "deal-over scores")
    time.sleep(STALE_AFTER + 0.3)
    game.click(*layout().centre("menu"))
    game.wait_for(game.shows_title, "title screen")
    time.sleep(STALE_AFTER + 0.3)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rounds", type=int, default=10)
    parser.add_argument("--cards", type=int, default=3)
    parser.add_argument("managers", nargs="*", default=["mutter"])
    args = parser.parse_args()
    rows = []
    for wm in args.managers:
        with Xvfb(wm=wm) as server:
            game = WindowGame(server)
            watcher = Watcher(game)
            failed = 0
            try:
                game.start()
                game.wait_for(game.shows_title, "title screen")
                watcher.start()
                for i in range(args.rounds):
                    try:
                        one_round(game, args.cards)
                    except Failure as failure:
                        failed += 1
                        log(f"round {i + 1} failed: {failure}")
                        game.click(*layout().centre("menu"))
                        time.sleep(1)
                    log(f"{wm} round {i + 1}: {watcher.stale} stale of {watcher.frames} frames")
            finally:
                watcher.stop.set()
                if watcher.is_alive():
                    watcher.join()
                game.close()
            rows.append((wm, watcher.frames, watcher.stale, watcher.worst, failed))
    for wm, frames, stale, worst, failed in rows:
        print(f"{wm}: {stale} stale of {frames} frames, longest lag {worst:.2f} s,"
              f" {failed} rounds failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
