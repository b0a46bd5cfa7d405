#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Enter does nothing on either screen; Escape ends the program with status 0,
also in the middle of a deal."""

import sys
import time

from gubtest import (HEIGHT, WIDTH, Failure, Game, HandLayout, check, log, new_game,
                     play_one_deck_card, press_start, run, start_at_title)

WHOLE = (0, 0, WIDTH, HEIGHT)


def enter_does_nothing(game, where):
    before = game.settle().region(*WHOLE)
    game.key("Return")
    game.key("KP_Enter")
    time.sleep(0.3)
    check(game.running(), f"Enter ended the program on the {where}")
    check(game.wait_change(WHOLE, before, 0.4) is None, f"Enter changed the {where}")
    log(f"Enter does nothing on the {where}")


def scenario(server):
    game = Game(server)
    try:
        start_at_title(game)
        enter_does_nothing(game, "title screen")
        new_game(game)
        press_start(game)
        play_one_deck_card(game, HandLayout(13), 13)
        enter_does_nothing(game, "table")
        log("a deal in progress; pressing Escape")
        game.key("Escape")
        status = game.wait_exit(5)
        if status is None:
            raise Failure("the program did not end within 5 s of Escape")
        check(status == 0, f"exit status {status}")
        log("Escape ended the program with status 0")
    finally:
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
