#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A server without GLX: the game still opens its full-screen window, which
draws nothing but takes its input: Options opens the options dialog, and
Escape ends the game with status 0."""

import sys
import time

from gubtest import (HEIGHT, WIDTH, Failure, Game, Xvfb, check, log, window_manager,
                     windows_named)
from test_options_dialog import wait_closed


def main():
    log(f"window manager: {window_manager()}")
    try:
        with Xvfb(extra_args=["-extension", "GLX"]) as server:
            game = Game(server)
            try:
                game.start()
                deadline = time.monotonic() + 15
                while not windows_named(server, "Gub Cards"):
                    check(game.running(), "the game ended at start-up")
                    check(time.monotonic() < deadline, "no window")
                    time.sleep(0.05)
                time.sleep(1)
                game.click(WIDTH // 2, HEIGHT * 203 // 384)
                deadline = time.monotonic() + 10
                while not windows_named(server, "Gub Cards V3.00"):
                    check(time.monotonic() < deadline, "Options did not open the dialog")
                    time.sleep(0.05)
                log("without GL the window still opens the options dialog")
                game.key("Escape", window=windows_named(server, "Gub Cards V3.00")[0])
                wait_closed(game, "Gub Cards V3.00")
                game.key("Escape")
                check(game.wait_exit(5) == 0, "Escape did not end the game with status 0")
                log("Escape ended it")
            finally:
                game.close()
    except Failure as failure:
        log(f"FAILED: {failure}")
        return 1
    log("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
