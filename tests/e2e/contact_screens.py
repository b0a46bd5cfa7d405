#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Screenshots of the real game at several screen sizes, for looking at:
the title, the table while declaring, a trick in play and the deal-over
panel, joined into one contact sheet per size.

    contact_screens.py OUTPUT_FOLDER [WIDTHxHEIGHT ...]

Paths come from the environment as for the end-to-end tests."""

import os
import subprocess
import sys

SIZES = ["1024x768", "1920x1080", "3840x2160"]


def shoot(folder, size):
    os.environ["GUB_SCREEN"] = size
    from gubtest import (Game, HandLayout, Xvfb, declare_a_card, new_game, play_one_deck_card,
                         press_start)
    names = []
    with Xvfb() as server:
        game = Game(server)
        try:
            game.start()
            shot = game.settle(game.wait_for(game.shows_title, "title", timeout=60))
            for name, step in (("title", None), ("declaring", "new"), ("playing", "play"),
                               ("deal-over", "finish")):
                if step == "new":
                    shot = new_game(game)
                    hand = HandLayout(13)
                elif step == "play":
                    declare_a_card(game, hand, 13)
                    press_start(game)
                    for count in range(13, 10, -1):
                        shot = play_one_deck_card(game, hand, count)
                elif step == "finish":
                    for count in range(10, 0, -1):
                        shot = play_one_deck_card(game, hand, count)
                path = os.path.join(folder, f"{size}-{name}.png")
                shot.save(path)
                names.append(path)
        finally:
            game.close()
    subprocess.run(["montage", "-label", "%t", *names, "-tile", "2x", "-geometry",
                    "960x540>+8+8", "-background", "#303030", "-fill", "white",
                    os.path.join(folder, f"screens-{size}.png")], check=True)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    sizes = sys.argv[2:] or SIZES
    if len(sizes) == 1:
        shoot(folder, sizes[0])
        return 0
    # The screen size is read once per process, so each size runs in its own.
    for size in sizes:
        subprocess.run([sys.executable, __file__, folder, size], check=True)
        print(f"{folder}/screens-{size}.png", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
