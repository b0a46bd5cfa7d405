#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A FIFO in place of one of the game's files counts as a missing file and
never holds the game up: with a FIFO for the settings file, the music, an
overlay picture, a card picture or the table picture the game is on the
screen within a second of the time a start with no FIFO takes (the two
textures with their "missing file" message), and with FIFOs for both wave
files a match still ends within a second of the click."""

import os
import subprocess
import sys
import time

from gubtest import (HEIGHT, MAX_SCORE, SOUND_ON, WIDTH, Game, HandLayout, check, log, new_game,
                     play_one_deck_card, press_start, run)

LIMIT = 1.0  # seconds


def with_fifos(server, names, fields=None):
    game = Game(server, fields=fields, remove=names)
    for name in names:
        os.mkfifo(os.path.join(game.folder, name))
    return game


def message_boxes(game):
    """The game's windows smaller than the screen: its message boxes."""
    boxes = []
    for window in game.windows("Gub Cards"):
        out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                             capture_output=True, text=True,
                             env=dict(os.environ, DISPLAY=game.server.display)).stdout
        size = dict(line.split("=", 1) for line in out.split() if "=" in line)
        if int(size.get("WIDTH", WIDTH)) < WIDTH:
            boxes.append(window)
    return boxes


def starts_at_once(server, names, fields=None, message=False, limit=None):
    """Seconds until the game shows its title screen, or the message box for a
    missing texture when one is expected (at most `limit`); the title screen
    after that box is answered (the box comes after the title, as the
    textures are read once the title is up)."""
    game = with_fifos(server, names, fields)
    try:
        game.start()
        seconds = None
        boxes = set()
        deadline = time.monotonic() + 15
        while True:
            check(game.running(), "the game ended")
            check(time.monotonic() < deadline, "no title screen within 15 s")
            found = message_boxes(game)
            title = not found and game.shows_title(game.shot())
            if seconds is None and (found or title):
                seconds = time.monotonic() - game.started
                log(f"FIFO for {', '.join(names) or 'nothing'}: "
                    f"{'a message' if found else 'the title'} after {seconds:.3f} s")
                check(limit is None or seconds < limit, f"that took {seconds:.2f} s")
            if title and (boxes or not message):
                break
            unanswered = [box for box in found if box not in boxes]
            if unanswered:
                # A box answered a moment ago may still be listed as it goes.
                boxes.update(unanswered)
                time.sleep(0.3)
                game.key("Return", window=unanswered[-1])
            time.sleep(0.02)
        check(len(boxes) == (1 if message else 0),
              f"{len(boxes)} message boxes, expected {1 if message else 0}")
        if message:
            log("title screen after the message")
        return seconds
    finally:
        game.close()


def match_ends_with_fifo_waves(server):
    game = with_fifos(server, ["win.wav", "lose.wav"], fields={MAX_SCORE: 0, SOUND_ON: 1})
    try:
        game.start()
        game.wait_for(game.shows_title, "title screen")
        hand = HandLayout(13)
        new_game(game)
        press_start(game)
        for count in range(13, 0, -1):
            shot = play_one_deck_card(game, hand, count)
        check(game.shows_deal_over(shot), "no deal-over scores")
        log("deal over")
        clicked = time.monotonic()
        game.click(WIDTH // 2, HEIGHT // 2 - 150)
        shot = game.wait_for(lambda s: not game.shows_deal_over(s), "the end of the match")
        seconds = time.monotonic() - clicked
        log(f"match over {seconds:.3f} s after the click")
        check(seconds < LIMIT, f"the end of the match took {seconds:.2f} s")
        shot = game.settle(shot)
        check(not game.shows_start_button(shot), "a new deal instead of the end of the match")
        time.sleep(0.2)
        game.click(WIDTH // 2, HEIGHT // 2 - 150)
        game.wait_for(game.shows_title, "title screen after the match")
        log("the next click leads to the title")
    finally:
        game.close()


def scenario(server):
    # A busy machine slows every start: the bound is a second past the slower
    # of two ordinary starts, where a FIFO opened for reading waits for ever.
    limit = max(starts_at_once(server, []), starts_at_once(server, [])) + LIMIT
    starts_at_once(server, ["gub.cfg"], limit=limit)
    starts_at_once(server, ["gub.mid"], fields={SOUND_ON: 1}, limit=limit)
    starts_at_once(server, ["bg/menu.bg", "bg/7.bg"], limit=limit)
    starts_at_once(server, ["crd/5.crd"], message=True, limit=limit)
    starts_at_once(server, ["bg/table.bg"], message=True, limit=limit)
    match_ends_with_fifo_waves(server)


if __name__ == "__main__":
    sys.exit(run(scenario))
