#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""On a 16:9 screen (1920 x 1080): the title picture shows whole and its three
drawn buttons do what they say (Options opens the dialog, New game deals,
Exit ends the program); a whole deal is played by clicks on the drawn cards
and the Menu corner leads back to the title."""

import os
import sys
import time

os.environ["GUB_SCREEN"] = "1920x1080"

from gubtest import (Failure, Game, check, layout, log, new_game, run,  # noqa: E402
                     start_at_title)
from test_one_deck_deal import play_a_deal  # noqa: E402


def wait_windows(game, name, present, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if bool(game.windows(name)) == present:
            return
        time.sleep(0.05)
    raise Failure(f"{name} {'did not open' if present else 'did not close'}")


def scenario(server):
    game = Game(server)
    try:
        start_at_title(game)
        game.click(*layout().centre("options"))
        wait_windows(game, "Gub Cards V3.00", True)
        log("the drawn Options button opens the options dialog")
        time.sleep(0.3)
        game.key("Escape", window=game.windows("Gub Cards V3.00")[0])
        wait_windows(game, "Gub Cards V3.00", False)
        check(game.running(), "closing the options dialog ended the game")
        game.wait_for(game.shows_title, "title screen after the options dialog")

        new_game(game)
        log("the drawn New game button deals")
        game.click(*layout().centre("menu"))
        game.wait_for(game.shows_title, "title screen after the Menu corner")
        log("the drawn Menu corner leads back to the title")

        play_a_deal(game)

        game.click(*layout().centre("exit"))
        status = game.wait_exit(10)
        check(status == 0, f"the drawn Exit button did not end the program (status {status})")
        log("the drawn Exit button ends the program")
    finally:
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
