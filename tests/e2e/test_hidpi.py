#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A scaled desktop (GDK_SCALE=2 on a 3840 x 2160 screen): the game draws and
hit-tests in the screen's own pixels, so its title fills the screen exactly as
an unscaled game on the same screen does, New game opens the table, and the
table's corner button leads back to the title."""

import sys
import time

from gubtest import Failure, Game, Xvfb, check, log, window_manager

W, H = 3840, 2160
NEW_GAME = (W // 2, H * 151 // 384)
CORNER_BUTTON = (W - W * 46 // 1024, H * 23 // 768)
CORNER = (W - W * 92 // 1024 + 4, 4, W - 4, H * 46 // 768 - 4)


def sampled(shot, x0=0, y0=0, x1=W, y1=H, step=9):
    return [shot.pixel(x, y) for y in range(y0, y1, step) for x in range(x0, x1, step)]


def agreement(a, b, tolerance=24):
    same = sum(all(abs(p - q) <= tolerance for p, q in zip(u, v)) for u, v in zip(a, b))
    return same / len(a)


def drawn(shot):
    """Something other than one flat colour in each quarter of the screen."""
    for qx in (0, W // 2):
        for qy in (0, H // 2):
            colours = set(sampled(shot, qx, qy, qx + W // 2, qy + H // 2, step=97))
            if len(colours) < 8:
                return False
    return True


def wait_until(game, predicate, what, timeout=30):
    deadline = time.monotonic() + timeout
    while True:
        check(game.running(), f"the game ended while waiting for {what}")
        shot = game.shot()
        if predicate(shot):
            # Steady for a whole second: a window manager may still be
            # placing the window.
            return game.settle(shot, interval=1.0, timeout=20)
        if time.monotonic() > deadline:
            shot.save("/tmp/test_hidpi-timeout.png")
            raise Failure(f"no {what} within {timeout} s (screen in /tmp/test_hidpi-timeout.png)")
        time.sleep(0.2)


def run_at_scale(server, scale, reference=None):
    """The title, New game and the corner button; returns what was seen."""
    game = Game(server, env={"GDK_SCALE": str(scale), "GDK_DPI_SCALE": "1"})
    try:
        # What the screen shows without the game: a window manager's
        # background is no title.
        empty = sampled(game.shot())
        game.start()
        title = wait_until(game, lambda s: drawn(s) and agreement(sampled(s), empty) < 0.5,
                           f"a drawn title at scale {scale}")
        seen = {"title": sampled(title)}
        if reference is not None:
            share = agreement(seen["title"], reference["title"])
            check(share > 0.97, f"the scaled title agrees with the unscaled one in {share:.1%}")
            log(f"scale {scale}: the title fills the screen ({share:.1%} as unscaled)")
        game.click(*NEW_GAME)
        table = wait_until(game, lambda s: agreement(sampled(s), seen["title"]) < 0.5,
                           f"the table at scale {scale}")
        seen["corner"] = sampled(table, *CORNER, step=3)
        if reference is not None:
            share = agreement(seen["corner"], reference["corner"])
            check(share > 0.97, f"the table's corner button agrees in {share:.1%} only")
            log(f"scale {scale}: New game shows the table")
        game.click(*CORNER_BUTTON)
        back = wait_until(game, lambda s: agreement(sampled(s), seen["title"]) > 0.97,
                          f"the title again at scale {scale}")
        check(back is not None, "no title")
        log(f"scale {scale}: the corner button leads back to the title")
        game.key("Escape")
        check(game.wait_exit(10) == 0, "Escape did not end the game")
        game.wait_no_window("Gub Cards")
        return seen
    finally:
        game.close()


def main():
    log(f"window manager: {window_manager()}")
    try:
        with Xvfb(W, H) as server:
            reference = run_at_scale(server, 1)
            run_at_scale(server, 2, reference)
    except Failure as failure:
        log(f"FAILED: {failure}")
        return 1
    log("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
