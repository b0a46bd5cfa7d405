#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Takes the screenshots the AppStream metadata shows (data/screenshots/):
the title screen, and the table a few tricks into a one-deck deal. They are
kept in the sources under fixed names, so the metadata's addresses stay the
same from release to release; run this again when the picture changes:
`cmake --build <build> --target gub-screenshots`.
"""

import os
import sys

from gubtest import (Game, HandLayout, declare_a_card, log, new_game, play_one_deck_card,
                     press_start, run)

OUT = os.environ.get("GUB_SCREENSHOTS", os.path.join(os.path.dirname(__file__),
                                                     "../../data/screenshots"))


def scenario(server):
    game = Game(server)
    try:
        game.start()
        shot = game.settle(game.wait_for(game.shows_title, "title screen"))
        shot.save(os.path.join(OUT, "title.png"))
        hand = HandLayout(13)
        new_game(game)
        declare_a_card(game, hand, 13)
        press_start(game)
        for count in (13, 12, 11, 10):
            play_one_deck_card(game, hand, count)
        game.settle().save(os.path.join(OUT, "table.png"))
        log(f"screenshots written to {OUT}")
    finally:
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
