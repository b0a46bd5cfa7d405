#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The options dialog by keyboard: Tab and Shift+Tab run round the six stops
Close, Sound, declare except sheep, the score limit, opposite is friend and
2 cards, and back to Close. Where the focus is shows in what Space does
there: Close closes the dialog, a check box toggles its setting."""

import sys
import time

from gubtest import (DECLARE_EXCEPT_SHEEP, MAX_SCORE, OPPOSITE_IS_FRIEND, SOUND_ON, TWO_DECKS,
                     Game, check, log, run, start_at_title)
from test_options_dialog import open_options, wait_closed

DIALOG = "Gub Cards V3.00"
FIELDS = (MAX_SCORE, SOUND_ON, DECLARE_EXCEPT_SHEEP, OPPOSITE_IS_FRIEND, TWO_DECKS)


def settings(game):
    return {offset: game.read_field(offset) for offset in FIELDS}


def still_open(game):
    time.sleep(0.4)
    return bool(game.windows(DIALOG))


def field_becomes(game, offset, value, timeout=5.0):
    """Switching the sound on opens the audio device and loads the music
    before the setting is written: allow it the time."""
    deadline = time.monotonic() + timeout
    while game.read_field(offset) != value:
        if time.monotonic() > deadline:
            return False
        time.sleep(0.05)
    return True


def scenario(server):
    game = Game(server, fields={SOUND_ON: 0})
    try:
        start_at_title(game)
        start = settings(game)

        # The dialog opens on Close; six Tabs come round to it again.
        dialog = open_options(game)
        game.key(*["Tab"] * 6, "space", window=dialog)
        wait_closed(game, DIALOG)
        check(settings(game) == start, "six Tabs and Space changed a setting")
        log("six Tabs from Close come back to Close")

        # The seventh goes on to Sound; Shift+Tab steps back to Close.
        dialog = open_options(game)
        game.key(*["Tab"] * 7, "space", window=dialog)
        check(still_open(game), "the seventh Tab was on Close")
        check(field_becomes(game, SOUND_ON, 1), "the seventh Tab is not on Sound")
        game.key("shift+Tab", "space", window=dialog)
        wait_closed(game, DIALOG)
        log("the seventh Tab is on Sound, Shift+Tab goes back to Close")

        # Shift+Tab from Close goes to the last stop, 2 cards, and five more
        # back round to Close.
        dialog = open_options(game)
        game.key("shift+Tab", "space", window=dialog)
        check(still_open(game), "Shift+Tab from Close stayed on Close")
        check(field_becomes(game, TWO_DECKS, 1), "Shift+Tab from Close is not on 2 cards")
        game.key(*["shift+Tab"] * 5, "space", window=dialog)
        wait_closed(game, DIALOG)
        expected = {**start, SOUND_ON: 1, TWO_DECKS: 1}
        check(settings(game) == expected, f"settings {settings(game)}, expected {expected}")
        log("Shift+Tab runs round the other way")

        # Each stop in turn: Space on the n-th acts on that control alone.
        for tabs, offset in ((2, DECLARE_EXCEPT_SHEEP), (4, OPPOSITE_IS_FRIEND)):
            dialog = open_options(game)
            before = settings(game)
            game.key(*["Tab"] * tabs, "space", window=dialog)
            check(still_open(game), f"Tab {tabs} was on Close")
            after = settings(game)
            check(after == {**before, offset: 1 - before[offset]},
                  f"Space after {tabs} Tabs changed {before} to {after}")
            game.key("Escape", window=dialog)
            wait_closed(game, DIALOG)
        log("Tab 2 is declare except sheep, Tab 4 opposite is friend")
        check(game.running(), "the game ended")
    finally:
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
