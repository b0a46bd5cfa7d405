#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Missing files: without the overlay pictures the game starts and plays,
silently; with a card picture missing its message box shows, and after OK
the game goes on."""

import os
import sys
import time

from gubtest import (HEIGHT, WIDTH, Failure, Game, HandLayout, check, log, play_one_deck_card,
                     run)

OVERLAYS = ["menu", "east", "north", "west", "you", "hu", "plus", "minus", "cancel", "end", "back",
            "display", "gub", "sheep", "double", "redT", "meast", "mnorth", "mwest"] + \
    [str(d) for d in range(10)]
# The clear colour (0.48, 0, 0): all that shows where no picture is drawn.
BACKGROUND = (122, 0, 0)


def near(colour, want, tolerance=6):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, want))


def without_overlays(server):
    game = Game(server, remove=[f"bg/{name}.bg" for name in OVERLAYS])
    try:
        game.start()
        shot = game.wait_for(lambda s: near(s.pixel(WIDTH // 2, HEIGHT // 2), BACKGROUND),
                             "the empty title screen")
        shot = game.settle(shot)
        log("started without the overlay pictures")
        check(len(game.windows("Gub Cards")) == 1, "a message box appeared for an overlay")
        whole = (0, 0, WIDTH, HEIGHT)
        # New game (the buttons' places hold without their picture).
        game.click(WIDTH // 2, 300)
        shot = game.wait_change(whole, shot.region(*whole), 5)
        check(shot is not None, "New game showed nothing")
        log("the table is drawn")
        game.click(WIDTH // 2, HEIGHT // 2)  # the start button, invisible
        time.sleep(0.5)
        play_one_deck_card(game, HandLayout(13), 13)
        log("a card was played")
        check(game.running(), "the game ended")
    finally:
        game.close()


def without_a_card(server):
    game = Game(server, remove=["crd/5.crd"])
    try:
        game.start()
        # The title goes up before the cards are read; the message follows.
        game.wait_for(game.shows_title, "title screen")
        deadline = time.monotonic() + 15
        boxes = []
        while time.monotonic() < deadline and len(boxes) < 2:
            check(game.running(), "the game ended")
            boxes = game.windows("Gub Cards")
            time.sleep(0.05)
        check(len(boxes) >= 2, "no message box for the missing card picture")
        log("title screen, then the message box")
        game.key("Return", window=boxes[-1])
        deadline = time.monotonic() + 5
        while len(game.windows("Gub Cards")) > 1:
            check(time.monotonic() < deadline, "the message box stayed")
            time.sleep(0.05)
        game.wait_for(game.shows_title, "title screen after OK")
        log("title screen after OK")
        game.click(WIDTH // 2, 300)
        game.wait_for(game.shows_start_button, "a new deal")
        log("the game goes on")
    finally:
        game.close()


def scenario(server):
    without_overlays(server)
    without_a_card(server)


if __name__ == "__main__":
    sys.exit(run(scenario))
