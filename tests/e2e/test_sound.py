#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Music through SDL's disk audio driver: the captured samples are not silent
while the music plays, go silent at once when "Sound" is switched off, come
back when it is switched on, and stay silent from start-up when the settings
file has the sound off. The sound library is loaded only for the sound: not
at all while it is off."""

import array
import math
import os
import sys
import time

from gubtest import SOUND_ON, WIDTH, Failure, Game, check, log, run, start_at_title

RATE = 44100 * 2 * 2  # bytes per second: 44.1 kHz, 16-bit, stereo
# What the mixer may still hold when the music is halted: one device buffer
# of 2048 frames, plus the driver's own, plus the screenshot and key delays.
MARGIN = RATE // 2


def rms(path, start, end=None):
    with open(path, "rb") as f:
        f.seek(start)
        data = f.read() if end is None else f.read(end - start)
    samples = array.array("h")
    samples.frombytes(data[:len(data) // 2 * 2])
    if not samples:
        return 0.0
    return math.sqrt(sum(s * s for s in samples) / len(samples))


def first_sound(path, start):
    """The first 8192 samples from the first nonzero sample at or after the
    byte offset `start`."""
    with open(path, "rb") as f:
        f.seek(start)
        samples = array.array("h")
        data = f.read()
        samples.frombytes(data[:len(data) // 2 * 2])
    for i, s in enumerate(samples):
        if s != 0:
            i -= i % 2  # whole stereo frames
            return samples[i:i + 8192]
    return array.array("h")


def wait_for_audio(path, size, timeout=10):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if os.path.exists(path) and os.path.getsize(path) >= size:
            return
        time.sleep(0.05)
    raise Failure(f"no {size} bytes of audio in {path}")


def sound_library_loaded(game):
    with open(f"/proc/{game.proc.pid}/maps") as f:
        return "libSDL2_mixer" in f.read()


def toggle_sound(game):
    game.click(WIDTH // 2, 400)
    deadline = time.monotonic() + 10
    while not game.windows("Gub Cards V3.00"):
        check(time.monotonic() < deadline, "the options dialog did not open")
        time.sleep(0.05)
    dialog = game.windows("Gub Cards V3.00")[0]
    time.sleep(0.3)
    game.key("Tab", "space", window=dialog)  # Close, then Sound
    size = os.path.getsize(game.audio) if os.path.exists(game.audio) else 0
    game.key("Escape", window=dialog)
    return size


def sound_on(server):
    game = Game(server, fields={SOUND_ON: 1})
    game.audio = os.path.join(game.scratch, "audio.raw")
    game.env.update(SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=game.audio)
    try:
        start_at_title(game)
        wait_for_audio(game.audio, 3 * RATE)
        level = rms(game.audio, 0, 3 * RATE)
        check(level > 200, f"the music is silent (RMS {level:.0f})")
        check(sound_library_loaded(game), "music without the sound library in the process")
        log(f"music playing, RMS {level:.0f}")

        off_at = toggle_sound(game)
        check(game.read_field(SOUND_ON) == 0, "sound off was not saved")
        wait_for_audio(game.audio, off_at + MARGIN + 2 * RATE)
        level = rms(game.audio, off_at + MARGIN, off_at + MARGIN + 2 * RATE)
        check(level == 0, f"still sound after switching it off (RMS {level:.0f})")
        log("silent after Sound was switched off")

        on_at = toggle_sound(game)
        check(game.read_field(SOUND_ON) == 1, "sound on was not saved")
        wait_for_audio(game.audio, on_at + MARGIN + 2 * RATE)
        level = rms(game.audio, on_at + MARGIN, on_at + MARGIN + 2 * RATE)
        check(level > 200, f"the music did not come back (RMS {level:.0f})")
        log(f"music back after Sound was switched on, RMS {level:.0f}")
        # From its beginning: the first sound after the silence is the same,
        # sample for sample, as the first sound at start-up.
        check(first_sound(game.audio, off_at + MARGIN) == first_sound(game.audio, 0),
              "the music did not start from its beginning")
        log("the music started from its beginning")
    finally:
        game.close()


def sound_off(server):
    game = Game(server, fields={SOUND_ON: 0})
    game.audio = os.path.join(game.scratch, "audio.raw")
    game.env.update(SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=game.audio)
    try:
        start_at_title(game)
        time.sleep(2)
        check(not os.path.exists(game.audio), "an audio device was opened with the sound off")
        check(not sound_library_loaded(game), "the sound library was loaded with the sound off")
        log("no music and no sound library at start-up with the sound off")
        # Switched on from the options, the music starts.
        toggle_sound(game)
        check(game.read_field(SOUND_ON) == 1, "sound on was not saved")
        wait_for_audio(game.audio, 2 * RATE)
        level = rms(game.audio, 0)
        check(level > 200, f"no music after Sound was switched on (RMS {level:.0f})")
        log(f"music after Sound was switched on, RMS {level:.0f}")
    finally:
        game.close()


def scenario(server):
    sound_on(server)
    sound_off(server)


if __name__ == "__main__":
    sys.exit(run(scenario))
