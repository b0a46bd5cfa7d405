#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""SIGTERM and SIGINT end the game within a second while its music plays (and
with the sound off), and a new copy starts at once: the instance lock goes
with the process."""

import os
import signal
import sys
import time

from gubtest import SOUND_ON, Failure, Game, check, log, run, start_at_title

RATE = 44100 * 2 * 2  # bytes per second of the disk audio driver's output


def wait_for_music(game, timeout=15):
    """Until the disk driver has written a second of output."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if os.path.exists(game.audio) and os.path.getsize(game.audio) >= RATE:
            return
        time.sleep(0.05)
    raise Failure("the music never started")


def scenario(server):
    for sound in (1, 0):
        game = Game(server, fields={SOUND_ON: sound})
        game.audio = os.path.join(game.scratch, "audio.raw")
        game.env.update(SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=game.audio)
        try:
            start_at_title(game)
            for sig in (signal.SIGTERM, signal.SIGINT):
                if sound:
                    wait_for_music(game)
                sent = time.monotonic()
                game.proc.send_signal(sig)
                status = game.wait_exit(1.0)
                check(status is not None,
                      f"{sig.name} with the sound {'on' if sound else 'off'}: still running after 1 s")
                check(status == -sig, f"{sig.name}: exit status {status}")
                log(f"{sig.name}, sound {'on' if sound else 'off'}: ended after "
                    f"{(time.monotonic() - sent) * 1000:.0f} ms")
                # At once, in the same session: the lock must be free. (The
                # server drops the old window with the connection.)
                game.wait_no_window("Gub Cards")
                if os.path.exists(game.audio):
                    os.remove(game.audio)
                start_at_title(game)
                log("a new copy started and shows the title")
        finally:
            game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
