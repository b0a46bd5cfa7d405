#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A whole one-deck deal by clicks: New game, a card declared by clicking it,
Start, thirteen tricks played from the hand, the deal-over scores, the next
click dealing again with the totals drawn (or, when the deal already reached
the score limit, ending the match), and back to the title by the Menu corner."""

import sys

from gubtest import (WIDTH, HEIGHT, Game, HandLayout, check, declare_a_card, layout, log,
                     new_game, play_one_deck_card, press_start, run, start_at_title)


def totals_areas():
    """The running totals with their labels, where the layout puts them
    (numbers grow leftwards from their units digit, so each area reaches well
    to the left)."""
    unit = layout().unit
    areas = {}
    for seat, name in enumerate(("you", "east", "north", "west")):
        x, y = layout().totals[seat]
        areas[name] = (max(0, int(x - 9 * 23 * unit)), max(0, int(HEIGHT - y - 40 * unit)),
                       min(WIDTH, int(x + 24 * unit)), min(HEIGHT, int(HEIGHT - y + 4 * unit)))
    return areas


def play_a_deal(game):
    """From the title screen: a whole deal, the totals it leaves, and back to
    the title."""
    hand = HandLayout(13)
    totals = totals_areas()
    start = new_game(game)
    zero_totals = {seat: start.region(*area) for seat, area in totals.items()}
    declare_a_card(game, hand, 13)
    press_start(game)
    log("playing")
    for count in range(13, 0, -1):
        shot = play_one_deck_card(game, hand, count)
        log(f"trick {14 - count} played")
    # A compositing window manager may show the last trick a moment longer.
    game.wait_for(game.shows_deal_over, "deal-over scores after the thirteenth trick", timeout=10)
    log("deal-over scores shown")

    game.click(WIDTH // 2, HEIGHT // 2 - 150)
    shot = game.wait_for(lambda s: not game.shows_deal_over(s), "the click after the deal")
    shot = game.settle(shot)
    changed = [seat for seat, area in totals.items() if shot.region(*area) != zero_totals[seat]]
    check(changed, "the totals still show the start of the match")
    if game.shows_start_button(shot):
        log(f"dealt again; totals changed for {', '.join(changed)}")
        game.click(*layout().centre("menu"))
        game.wait_for(game.shows_title, "title screen after the corner button")
        log("corner button leads back to the title")
    else:
        # A deal with declared cards can reach the limit of 1000 at once.
        end = game.picture("bg/end.bg")
        x, y = layout().pictures["matchover"]
        unit = layout().unit
        check(any(shot.matches(end, x + round(69 * unit * k), y, zoom=unit) > 0.9
                  for k in range(5)), "neither a new deal nor the end of the match")
        log(f"the match is over; totals changed for {', '.join(changed)}")
        game.click(WIDTH // 2, HEIGHT // 2)
        game.wait_for(game.shows_title, "title screen after the match")
        log("the next click leads back to the title")
    check(game.running(), "the game ended")


def scenario(server):
    game = Game(server)
    try:
        start_at_title(game)
        play_a_deal(game)
    finally:
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
