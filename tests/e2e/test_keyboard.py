#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Play without a mouse: N on the title deals, the arrows show the cursor, S
starts play, H marks a card (two decks: card or pair) that Space then plays or
raises for Up to play, L shows the last trick and L again brings the table
back unchanged, a whole one-deck deal is played with keys alone, and F1 opens
the rules page that Escape or Enter closes with the game going on.
Screenshots of the marks, the last trick and the rules page go to
$GUB_E2E_SHOTS when it is set."""

import os
import sys
import time

from gubtest import (HEIGHT, TWO_DECKS, WIDTH, Failure, Game, HandLayout, check, log, run,
                     start_at_title)

CURSOR = (255, 217, 25)
HINT = (25, 242, 76)


def marked(shot, colour, region):
    """How many pixels of `region` show the mark's colour (every second one)."""
    x0, y0, x1, y1 = region
    count = 0
    for y in range(y0, y1, 2):
        for x in range(x0, x1, 2):
            p = shot.pixel(x, y)
            if all(abs(a - b) <= 24 for a, b in zip(p, colour)):
                count += 1
    return count


def save(shot, name):
    folder = os.environ.get("GUB_E2E_SHOTS")
    if folder:
        os.makedirs(folder, exist_ok=True)
        shot.save(os.path.join(folder, name))
        log(f"screenshot {os.path.join(folder, name)}")


def trick_area():
    """The middle of the table, where the trick lies."""
    return (WIDTH // 4, HEIGHT // 5, WIDTH * 3 // 4, HEIGHT * 3 // 5)


def play_by_keys(game, hand, count, use_hint):
    """One card of a `count`-card hand: by the hint, or by walking the cursor
    from the left until a card is taken. Returns the settled screen."""
    region = hand.region()
    marks = (0, max(0, hand.top - 80), WIDTH, HEIGHT)
    shot = game.settle()
    if use_hint:
        game.key("h")
        shot = game.wait_for(lambda s: marked(s, HINT, marks) > 10, "the hint mark", timeout=20)
        shot = game.settle(shot)
        if count == 13:
            save(shot, "hint-mark.png")
        before = shot.region(*region)
        game.key("space")
        changed = game.wait_change(region, before, timeout=3)
        check(changed is not None, "the hinted card was not played")
        check(marked(changed, HINT, marks) == 0, "the hint mark stayed after the play")
        return changed
    game.key(*(["Left"] * 13))
    for slot in range(count):
        shot = game.settle()
        before = shot.region(*region)
        game.key("space")
        changed = game.wait_change(region, before)
        if changed is not None:
            return changed
        log(f"slot {slot} refused")
        game.key("Right")
    raise Failure(f"no card of the {count} was accepted")


def hinted_slots(shot, hand):
    """The slots under the hint's wedges, left to right."""
    # Near their tips, where the wedges of neighbouring cards stand apart.
    rows = [y for y in range(max(0, hand.top - 80), hand.bottom)
            if any(marked_pixel(shot, x, y, HINT) for x in range(0, WIDTH, 2))]
    check(rows, "no hint wedge")
    tip = max(rows)
    xs = sorted({x for y in range(tip - 8, tip - 1)
                 for x in range(0, WIDTH) if marked_pixel(shot, x, y, HINT)})
    clusters, start, last = [], None, None
    for x in xs:
        if start is None or x - last > 3:
            if start is not None:
                clusters.append((start + last) / 2)
            start = x
        last = x
    if start is not None:
        clusters.append((start + last) / 2)
    # The outermost strips of the hit test run on to the screen's edges: their
    # cards lie one step beyond their neighbours.
    centres = dict(hand.centres)
    last = max(centres)
    centres[0] = 2 * centres[1] - centres[2]
    centres[last] = 2 * centres[last - 1] - centres[last - 2]
    return sorted({min(centres, key=lambda s: abs(centres[s] - c)) for c in clusters})


def marked_pixel(shot, x, y, colour):
    return all(abs(a - b) <= 24 for a, b in zip(shot.pixel(x, y), colour))


def two_deck_trick(server):
    """Two decks: Space raises the card under the cursor and lowers it again,
    H marks the card or pair to play, which Space raises and Up plays as the
    right button would."""
    game = Game(server, fields={TWO_DECKS: 1})
    try:
        start_at_title(game)
        hand = HandLayout(26)
        region = hand.region()
        marks = (0, max(0, hand.top - 80), WIDTH, HEIGHT)
        game.key("n")
        game.wait_for(lambda s: game.shows_table(s) and game.shows_start_button(s),
                      "the two-deck table after N")
        game.key("s")
        game.wait_for(lambda s: not game.shows_start_button(s), "start of play after S")
        # The cursor first, so that only the card moves below.
        game.key("Right")
        shot = game.wait_for(lambda s: marked(s, CURSOR, marks) > 10, "the cursor")
        shot = game.settle(shot)
        before = shot.region(*region)
        game.key("space")
        raised = game.wait_change(region, before, timeout=3)
        check(raised is not None, "Space raised nothing")
        save(raised, "two-decks-raised.png")
        game.key("space")
        lowered = game.wait_change(region, raised.region(*region), timeout=3)
        check(lowered is not None and lowered.region(*region) == before,
              "Space did not lower the raised card")
        log("Space raised a card and lowered it again")

        game.key("h")
        shot = game.wait_for(lambda s: marked(s, HINT, marks) > 10, "the two-deck hint", timeout=20)
        shot = game.settle(shot)
        save(shot, "two-decks-hint.png")
        slots = hinted_slots(shot, hand)
        check(1 <= len(slots) <= 2, f"the hint marks {slots}")
        log(f"hint marks slots {slots}")
        # The hint brings the cursor to its first card.
        keys = ["space"]
        if len(slots) == 2:
            keys += ["Right"] * (slots[1] - slots[0]) + ["space"]
        game.key(*keys)
        shot = game.settle()
        game.key("Up")
        played = game.wait_change(region, shot.region(*region), timeout=3)
        check(played is not None, "Up did not play the hinted cards")
        log("the hinted cards raised by Space and played by Up")
    finally:
        game.close()


def scenario(server):
    two_deck_trick(server)
    game = Game(server)
    try:
        start_at_title(game)
        hand = HandLayout(13)
        game.key("n")
        shot = game.wait_for(lambda s: game.shows_table(s) and game.shows_start_button(s),
                             "the table after N")
        shot = game.settle(shot)
        marks = (0, max(0, hand.top - 80), WIDTH, HEIGHT)
        check(marked(shot, CURSOR, marks) == 0 and marked(shot, HINT, marks) == 0,
              "a mark shows before any key")
        game.key("Right")
        shot = game.wait_for(lambda s: marked(s, CURSOR, marks) > 10, "the cursor")
        log("cursor shown")
        game.key("s")
        shot = game.wait_for(lambda s: not game.shows_start_button(s), "start of play after S")
        log("playing")

        for count in range(13, 0, -1):
            shot = play_by_keys(game, hand, count, use_hint=count % 2 == 1)
            log(f"trick {14 - count} played")
            if count == 11:
                # The last trick, then back to the table as it was.
                shot = game.settle()
                area = trick_area()
                before = shot.region(*area)
                game.key("l")
                shown = game.wait_change(area, before, timeout=3)
                check(shown is not None, "L showed nothing")
                save(shown, "last-trick.png")
                game.key("l")
                back = game.wait_change(area, shown.region(*area), timeout=3)
                check(back is not None and back.region(*area) == before,
                      "the table did not come back after L")
                log("last trick shown and back")
            if count in (7, 5):
                # Escape once, Enter the other time: both only close the page.
                closing_key = "Escape" if count == 7 else "Return"
                shot = game.settle()
                game.key("F1")
                deadline = time.monotonic() + 10
                while not game.windows("Gub Cards: rules and keys"):
                    check(time.monotonic() < deadline, "F1 opened no rules page")
                    time.sleep(0.1)
                time.sleep(0.5)
                if count == 7:
                    save(game.shot(), "rules-page.png")
                dialog = game.windows("Gub Cards: rules and keys")[0]
                game.key(closing_key, window=dialog)
                game.wait_no_window("Gub Cards: rules and keys")
                time.sleep(0.3)
                check(game.running(), f"{closing_key} in the rules page ended the game")
                after = game.settle()
                check(after.region(*hand.region()) == shot.region(*hand.region()),
                      "the table changed behind the rules page")
                log(f"rules page opened by F1 and closed by {closing_key}")

        game.wait_for(game.shows_deal_over, "deal-over scores after the thirteenth trick",
                      timeout=15)
        log("deal-over scores shown")
        game.key("space")
        game.wait_for(lambda s: not game.shows_deal_over(s), "the key after the deal")
        data = os.path.join(game.data_dir, "gub-cards", "statistics")
        check(os.path.isfile(data), "no statistics file after a deal")
        log("statistics written: " + open(data).read().replace("\n", " | "))
        check(game.running(), "the game ended")
    finally:
        game.close()


if __name__ == "__main__":
    sys.exit(run(scenario))
