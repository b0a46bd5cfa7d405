#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The main window: it covers the whole screen at its origin with the title
"Gub Cards" and the game's icon; keypad plus and minus zoom the table, the
main keyboard's plus and minus do nothing."""

import subprocess
import sys
import time

from gubtest import HEIGHT, WIDTH, Game, check, log, new_game, press_start, run, start_at_title

WHOLE = (0, 0, WIDTH, HEIGHT)


def window_facts(game, window):
    env = dict(game.env)
    geometry = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True,
                              env=env).stdout
    facts = {}
    for line in geometry.splitlines():
        key, _, value = line.strip().partition(":")
        facts[key] = value.strip()
    props = subprocess.run(["xprop", "-id", window, "_NET_WM_ICON", "WM_NAME"],
                           capture_output=True, text=True, env=env).stdout
    return facts, props


def scenario(server):
    game = Game(server)
    try:
        start_at_title(game)
        windows = game.windows("Gub Cards")
        check(len(windows) == 1, f"{len(windows)} windows named Gub Cards")
        facts, props = window_facts(game, windows[0])
        check(facts.get("Absolute upper-left X") == "0" and facts.get("Absolute upper-left Y") == "0",
              "the window is not at the screen's origin")
        check(facts.get("Width") == str(WIDTH) and facts.get("Height") == str(HEIGHT),
              f"the window is {facts.get('Width')} x {facts.get('Height')}")
        check('WM_NAME(UTF8_STRING) = "Gub Cards"' in props or 'WM_NAME(STRING) = "Gub Cards"' in props,
              "the window title is not Gub Cards")
        check("_NET_WM_ICON(CARDINAL) =" in props, "the window has no icon")
        log("full-screen window titled Gub Cards, with its icon")

        new_game(game)
        shot = press_start(game)
        before = shot.region(*WHOLE)
        game.key("plus", "minus")
        check(game.wait_change(WHOLE, before, 0.5) is None, "the main keyboard's plus zoomed")
        game.key("KP_Add")
        zoomed = game.wait_change(WHOLE, before, 2)
        check(zoomed is not None, "keypad plus did not zoom")
        game.key("KP_Add")
        closer = game.wait_change(WHOLE, zoomed.region(*WHOLE), 2)
        check(closer is not None, "a second keypad plus did not zoom further")
        game.key("KP_Subtract", "KP_Subtract")
        time.sleep(0.3)
        back = game.settle()
        differing = sum(a != b for a, b in zip(back.region(*WHOLE), before))
        # Not exactly back (single precision), but within a few pixels' worth.
        check(differing < len(before) // 50, "keypad minus did not undo the zoom")
        log("keypad zoom in and out")
    finally:
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
