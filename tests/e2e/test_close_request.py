#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The window manager's close request ends the game with status 0, as Escape
does: Alt+F4 and a taskbar's Close under a window manager, the close message
itself on a bare server. Under a window manager the window is announced as
full screen."""

import os
import subprocess
import sys
import time

from gubtest import (Failure, Game, HandLayout, check, log, new_game, play_one_deck_card,
                     press_start, run, start_at_title, window_manager)


def close_with(game, how):
    window = game.windows("Gub Cards")[0]
    if how == "Alt+F4":
        # The manager takes the keys once it has given the window the focus.
        deadline = time.monotonic() + 10
        while game.active_window() != int(window):
            check(time.monotonic() < deadline, "the window manager never activated the game")
            time.sleep(0.1)
        # Mutter on a fresh server lets the first key event through without
        # looking at its bindings; Alt alone wakes it and means nothing to
        # the game.
        game.xdotool("key", "alt")
        time.sleep(0.3)
        game.xdotool("key", "alt+F4")
    else:
        mode = "taskbar" if how == "taskbar Close" else "direct"
        subprocess.run([os.environ["GUB_X11_PROBE"], "close", window, mode], check=True,
                       env=dict(os.environ, DISPLAY=game.server.display))
    status = game.wait_exit(5)
    if status is None:
        raise Failure(f"{how}: the game did not end within 5 s")
    check(status == 0, f"{how}: exit status {status}")
    log(f"{how} ended the game with status 0")


def scenario(server):
    wm = window_manager()
    ways = ["Alt+F4", "taskbar Close"] if wm != "none" else ["close message"]
    game = Game(server)
    try:
        for i, how in enumerate(ways):
            if i > 0:
                game.wait_no_window("Gub Cards")
            start_at_title(game)
            if wm != "none":
                window = game.windows("Gub Cards")[0]
                state = subprocess.run(["xprop", "-id", window, "_NET_WM_STATE"],
                                       capture_output=True, text=True, env=game.env).stdout
                check("_NET_WM_STATE_FULLSCREEN" in state, f"not full screen: {state.strip()}")
            if i == 0:
                # Also in the middle of a deal.
                new_game(game)
                press_start(game)
                play_one_deck_card(game, HandLayout(13), 13)
            close_with(game, how)
    finally:
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
