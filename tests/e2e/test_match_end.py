#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The end of a match with score limit 0 (over after the first deal): without
the music file the game runs silently and shows no message, the click after
the deal plays "win.wav" or "lose.wav", and the next click leads to the title."""

import os
import sys
import time

from gubtest import (HEIGHT, MAX_SCORE, SOUND_ON, WIDTH, Game, HandLayout, check, log, new_game,
                     play_one_deck_card, press_start, run, start_at_title)
from test_sound import RATE, rms, wait_for_audio


def scenario(server):
    game = Game(server, fields={MAX_SCORE: 0, SOUND_ON: 1}, remove=["gub.mid"])
    audio = os.path.join(game.scratch, "audio.raw")
    game.env.update(SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=audio)
    try:
        start_at_title(game)
        check(len(game.windows("Gub Cards")) == 1, "a message for the missing music")
        hand = HandLayout(13)
        new_game(game)
        press_start(game)
        for count in range(13, 0, -1):
            shot = play_one_deck_card(game, hand, count)
        # A compositing window manager may show the last trick a moment longer.
        shot = game.wait_for(game.shows_deal_over, "deal-over scores", timeout=10)
        log("deal over")

        wait_for_audio(audio, RATE)
        check(rms(audio, 0) == 0, "sound without a music file")
        clicked_at = os.path.getsize(audio)
        game.click(WIDTH // 2, HEIGHT // 2 - 150)
        shot = game.wait_for(lambda s: not game.shows_deal_over(s), "the end of the match")
        shot = game.settle(shot)
        check(not game.shows_start_button(shot), "a new deal instead of the end of the match")
        wait_for_audio(audio, clicked_at + RATE)
        level = rms(audio, clicked_at, clicked_at + RATE)
        check(level > 100, f"no end-of-match sound (RMS {level:.0f})")
        log(f"match over, end-of-match sound RMS {level:.0f}")

        time.sleep(0.2)
        game.click(WIDTH // 2, HEIGHT // 2 - 150)
        game.wait_for(game.shows_title, "title screen after the match")
        log("the next click leads to the title")
    finally:
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
