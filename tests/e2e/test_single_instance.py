#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""One copy at a time: a second copy ends at once and silently while the first
runs undisturbed; after kill -9 of the first, a new copy starts."""

import signal
import sys
import time

from gubtest import HEIGHT, WIDTH, Failure, Game, check, log, run, start_at_title

WHOLE = (0, 0, WIDTH, HEIGHT)


def scenario(server):
    game = Game(server)
    try:
        start_at_title(game)
        before = game.settle().region(*WHOLE)

        started = time.monotonic()
        second = game.spawn_another()
        try:
            status = second.wait(5)
        except Exception:
            second.kill()
            raise Failure("the second copy kept running")
        elapsed = time.monotonic() - started
        check(status == 0, f"the second copy ended with status {status}")
        check(elapsed < 2.0, f"the second copy took {elapsed:.2f} s to end")
        log(f"second copy ended after {elapsed * 1000:.0f} ms")
        time.sleep(0.3)
        check(len(game.windows("Gub Cards")) == 1, "the second copy showed a window")
        check(game.running(), "the first copy ended")
        check(game.wait_change(WHOLE, before, 0.3) is None, "the first copy's screen changed")

        game.proc.send_signal(signal.SIGKILL)
        game.proc.wait()
        log("first copy killed with SIGKILL")
        # Its window goes with it; the next title must be the new copy's.
        deadline = time.monotonic() + 5
        while game.shows_title(game.shot()):
            check(time.monotonic() < deadline, "the killed copy's window stayed")
            time.sleep(0.05)
        start_at_title(game)
        log("a new copy starts after kill -9")
    finally:
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
