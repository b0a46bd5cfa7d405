#!/usr/bin/env python3
"""A whole one-deck deal by clicks: New game, a card declared by clicking it,
Start, thirteen tricks played from the hand, the deal-over scores, the next
click dealing again with the totals drawn (or, when the deal already reached
the score limit, ending the match), and back to the title."""

import sys

from gubtest import (WIDTH, HEIGHT, Game, HandLayout, check, declare_a_card, log, new_game,
                     play_one_deck_card, press_start, run, start_at_title)

# The running totals with their labels, as drawn at 1024 x 768 (numbers grow
# leftwards from their start, so each area reaches well to the left).
TOTALS = {
    "you": (230, 728, 450, HEIGHT),
    "east": (780, 92, 1010, 134),
    "north": (400, 58, 580, 98),
    "west": (0, 92, 192, 134),
}


def scenario(server):
    game = Game(server)
    try:
        start_at_title(game)
        hand = HandLayout(13)
        start = new_game(game)
        zero_totals = {seat: start.region(*area) for seat, area in TOTALS.items()}
        declare_a_card(game, hand, 13)
        press_start(game)
        log("playing")
        for count in range(13, 0, -1):
            shot = play_one_deck_card(game, hand, count)
            log(f"trick {14 - count} played")
        # A compositing window manager may show the last trick a moment longer.
        game.wait_for(game.shows_deal_over, "deal-over scores after the thirteenth trick",
                      timeout=10)
        log("deal-over scores shown")

        game.click(WIDTH // 2, HEIGHT // 2 - 150)
        shot = game.wait_for(lambda s: not game.shows_deal_over(s), "the click after the deal")
        shot = game.settle(shot)
        changed = [seat for seat, area in TOTALS.items() if shot.region(*area) != zero_totals[seat]]
        check(changed, "the totals still show the start of the match")
        if game.shows_start_button(shot):
            log(f"dealt again; totals changed for {', '.join(changed)}")
            game.click(WIDTH - 40, 20)
            game.wait_for(game.shows_title, "title screen after the corner button")
            log("corner button leads back to the title")
        else:
            # A deal with declared cards can reach the limit of 1000 at once.
            end = game.picture("bg/end.bg")
            check(any(shot.matches(end, WIDTH // 2 - 276 + 69 * k, HEIGHT - 240) > 0.9
                      for k in range(5)), "neither a new deal nor the end of the match")
            log(f"the match is over; totals changed for {', '.join(changed)}")
            game.click(WIDTH // 2, HEIGHT // 2)
            game.wait_for(game.shows_title, "title screen after the match")
            log("the next click leads back to the title")
        check(game.running(), "the game ended")
    finally:
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
