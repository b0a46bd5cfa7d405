#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A two-deck deal: a card raised by a click and played by a second click, one
raised and played with the right button, one raised and played by a double
click; a right press with nothing raised changes nothing."""

import sys
import time

from gubtest import (TWO_DECKS, WIDTH, Failure, Game, HandLayout, log, new_game, press_start,
                     run, start_at_title, check)


# Presses on the same spot closer together than this are a double click.
DOUBLE_CLICK_GAP = 0.6


def slots_to_try(count):
    """Slot 0, which is always playable when the user leads (nothing of the
    user's is declared here), and one slot in each quarter of the hand for a
    single card led by a computer seat (the hand is sorted by suit). A led
    pair refuses every single card; the deal is then given up."""
    return [s for s in (0, 7, 14, 21) if s < count]


class Deal:
    def __init__(self, game, hand):
        self.game, self.hand = game, hand
        self.region = hand.region()
        self.count = 26

    def raise_card(self, slot):
        shot = self.game.settle()
        before = shot.region(*self.region)
        self.game.click(*self.hand.position(slot))
        raised = self.game.wait_change(self.region, before)
        if raised is None:
            raise Failure(f"a click on slot {slot} did not raise the card")
        return before, raised

    def play(self, how):
        """Tries the cards from the left until one is played `how`; a refused
        card is lowered again. True when a card was played."""
        for slot in slots_to_try(self.count):
            lowered, raised = self.raise_card(slot)
            time.sleep(DOUBLE_CLICK_GAP)
            if how == "second click":
                self.game.click(*self.hand.position(slot))
            else:
                self.game.click(*self.hand.position(slot), button=3)
            after = self.game.wait_change(self.region, raised.region(*self.region))
            if after is not None and after.region(*self.region) != lowered:
                self.count -= 1
                log(f"slot {slot} played by {how}")
                return True
            if how == "right button":
                check(after is None, "a refused right press changed the hand")
                time.sleep(DOUBLE_CLICK_GAP)
                self.game.click(*self.hand.position(slot))  # refused again: lowers it
                if self.game.wait_change(self.region, raised.region(*self.region)) is None:
                    raise Failure("the refused card could not be lowered")
            # A refused second click lowers the card by itself.
        return False

    def play_double_click(self):
        """A double click raises a card and plays it in one gesture; refused,
        the card stays raised, and the next click lowers it."""
        for slot in slots_to_try(self.count):
            before = self.game.settle().region(*self.region)
            self.game.click(*self.hand.position(slot), double=True)
            after = self.game.wait_change(self.region, before)
            if after is None:
                raise Failure("a double click changed nothing")
            time.sleep(DOUBLE_CLICK_GAP)
            self.game.click(*self.hand.position(slot))
            next_state = self.game.wait_change(self.region, after.region(*self.region))
            check(next_state is not None, "a click on a card changed nothing")
            if next_state.region(*self.region) == before:
                continue  # refused, and now lowered again
            # Played: the click has raised the card that moved into the slot.
            self.count -= 1
            log(f"slot {slot} played by a double click")
            return True
        return False


def scenario(server):
    game = Game(server, fields={TWO_DECKS: 1})
    try:
        start_at_title(game)
        hand = HandLayout(26)
        gestures = ["second click", "right button", "double click"]
        for deal_number in range(20):
            new_game(game)
            press_start(game)
            deal = Deal(game, hand)
            if deal_number == 0:
                # A right press with nothing raised does nothing.
                shot = game.settle()
                game.click(WIDTH // 2, 250, button=3)
                whole = (0, 0, WIDTH, 768)
                check(game.wait_change(whole, shot.region(*whole), 0.5) is None,
                      "a right press without a raised card changed the screen")
            # Each gesture once; a turn where no single card can be played
            # (a led pair, say) costs a new deal.
            while gestures:
                played = deal.play_double_click() if gestures[0] == "double click" \
                    else deal.play(gestures[0])
                if not played:
                    break
                gestures.pop(0)
            if not gestures:
                break
            # A new deal in a new run: within one run, whoever last took the
            # queen of spades leads every later deal, which may never let
            # a single card be played.
            log("no single card playable at this turn; starting again")
            game.key("Escape")
            check(game.wait_exit(5) == 0, "Escape did not end the game")
            start_at_title(game)
        else:
            raise Failure("no deal let single cards be played")
        check(game.running(), "the game ended")
    finally:
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
