#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The options dialog from the title screen, by keyboard: "2 cards" toggled
with Tab and Space is written to its field at once; the score limit is parsed
on closing, a rejected text shows its message and keeps the old limit, and the
reserved field is never touched."""

import struct
import sys
import time

from gubtest import (MAX_SCORE, TWO_DECKS, WIDTH, Failure, Game, check, log, run,
                     start_at_title)

RESERVED = 0x5EED1234


def open_options(game):
    game.click(WIDTH // 2, 400)
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        found = game.windows("Gub Cards V3.00")
        if found:
            time.sleep(0.3)
            return found[0]
        time.sleep(0.05)
    raise Failure("the options dialog did not open")


def wait_closed(game, name, timeout=5.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if not game.windows(name):
            return
        time.sleep(0.05)
    raise Failure(f"{name} did not close")


def message_box(game, timeout=5.0):
    """The message box: a second visible window with the game's caption."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = game.windows("Gub Cards")
        if len(found) >= 2:
            return found[-1]
        time.sleep(0.05)
    return None


def set_limit_text(game, dialog, text):
    # Close, Sound, declare except sheep, then the edit field.
    game.key("Tab", "Tab", "Tab", "ctrl+a", "BackSpace", window=dialog)
    if text:
        game.type_text(text)
    time.sleep(0.2)


def scenario(server):
    game = Game(server)
    with open(game.settings_path(), "r+b") as f:
        f.write(struct.pack("<i", RESERVED))
    try:
        start_at_title(game)

        dialog = open_options(game)
        log("options dialog open")
        # Close, Sound, declare except sheep, the limit, opposite is friend, 2 cards.
        game.key("Tab", "Tab", "Tab", "Tab", "Tab", "space", window=dialog)
        time.sleep(0.3)
        check(game.read_field(TWO_DECKS) == 1, "the click on \"2 cards\" was not saved at once")
        game.key("Escape", window=dialog)
        wait_closed(game, "Gub Cards V3.00")
        check(game.read_field(TWO_DECKS) == 1, "byte 24 of gub.cfg is not 1")
        check(game.read_field(MAX_SCORE) == 1000, "the limit changed without being typed")
        log("\"2 cards\" saved as 1")
        game.wait_for(game.shows_title, "title screen after the dialog")

        # A valid limit with blanks around it.
        dialog = open_options(game)
        set_limit_text(game, dialog, "  500 ")
        game.key("Return", window=dialog)
        wait_closed(game, "Gub Cards V3.00")
        check(message_box(game, timeout=0.5) is None, "a valid limit was refused")
        check(game.read_field(MAX_SCORE) == 500, f"limit {game.read_field(MAX_SCORE)}, not 500")
        log("limit 500 accepted")

        # Rejected texts: the message, the dialog closes, the limit stays.
        for text in ("abc", "-20", "2147483648", ""):
            dialog = open_options(game)
            set_limit_text(game, dialog, text)
            game.key("Escape", window=dialog)
            box = message_box(game)
            check(box is not None, f"no message for the limit text {text!r}")
            game.key("Return", window=box)
            wait_closed(game, "Gub Cards V3.00")
            check(len(game.windows("Gub Cards")) == 1, "the message box stayed open")
            check(game.read_field(MAX_SCORE) == 500, f"the limit changed after {text!r}")
            log(f"limit text {text!r} refused")

        with open(game.settings_path(), "rb") as f:
            data = f.read()
        check(len(data) == 28, "the settings file changed its size")
        check(struct.unpack_from("<i", data, 0)[0] == RESERVED, "the reserved field was written")
        check(game.running(), "the game ended")
    finally:
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
