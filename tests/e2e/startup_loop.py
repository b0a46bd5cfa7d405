#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Start-up loop (a measurement, not a test): starts the game again and again
under each window manager named on the command line (none, openbox, mutter)
and judges each start from a screenshot: the title, a grey window (the GL
picture never came), or something else. Prints the counts and the median
time from exec to the title.

    startup_loop.py [--starts N] none openbox mutter

Needs GUB_CARDS and GUB_RUNTIME as for the end-to-end tests; the build's
`gub-startup-loop` target sets them.
"""

import argparse
import statistics
import sys
import time

from gubtest import HEIGHT, WIDTH, Failure, Game, Xvfb, log, windows_named

JUDGE_AFTER = 10.0  # seconds a start has to show its title


def flat(shot):
    """One colour nearly everywhere: a window with nothing drawn into it."""
    samples = [shot.pixel(x, y) for y in range(0, HEIGHT, 31) for x in range(0, WIDTH, 31)]
    most = max(samples.count(c) for c in set(samples))
    return most > 0.95 * len(samples)


def one_start(server):
    game = Game(server)
    try:
        game.start()
        deadline = game.started + JUDGE_AFTER
        while time.monotonic() < deadline and game.running():
            shot = game.shot()
            if game.shows_title(shot):
                return "title", time.monotonic() - game.started
            time.sleep(0.02)
        if not game.running():
            return "ended", None
        shot = game.shot()
        verdict = "grey" if game.windows("Gub Cards") and flat(shot) else "other"
        shot.save(f"/tmp/startup-loop-{server.wm}-{verdict}-{int(time.time())}.png")
        return verdict, None
    finally:
        if game.running():
            game.key("Escape")
            if game.wait_exit(10) is None:
                log("Escape did not end the game; killing it")
        try:
            game.close()
        except Failure as failure:
            # A toolkit assertion on stderr: reported, the screenshot judges.
            log(str(failure).strip())


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--starts", type=int, default=20)
    parser.add_argument("managers", nargs="*", default=["none", "openbox"])
    args = parser.parse_args()
    rows = []
    for wm in args.managers:
        counts = {"title": 0, "grey": 0, "other": 0, "ended": 0}
        times = []
        try:
            with Xvfb(wm=wm) as server:
                for i in range(args.starts):
                    verdict, seconds = one_start(server)
                    counts[verdict] += 1
                    if seconds is not None:
                        times.append(seconds)
                    log(f"{wm} start {i + 1}: {verdict}"
                        + (f" after {seconds * 1000:.0f} ms" if seconds is not None else ""))
                    # The next copy starts once this one's window is gone.
                    gone = time.monotonic() + 5
                    while windows_named(server, "Gub Cards") and time.monotonic() < gone:
                        time.sleep(0.05)
        except Failure as failure:
            log(f"{wm}: {failure}")
            return 1
        median = f"{statistics.median(times) * 1000:.0f} ms" if times else "-"
        rows.append((wm, args.starts, counts, median))
    print()
    print(f"{'window manager':<16}{'starts':>7}{'title':>7}{'grey':>6}{'other':>7}{'ended':>7}"
          f"  median exec-to-title")
    for wm, starts, counts, median in rows:
        print(f"{wm:<16}{starts:>7}{counts['title']:>7}{counts['grey']:>6}{counts['other']:>7}"
              f"{counts['ended']:>7}  {median}")
    return 0 if all(r[2]["grey"] == 0 for r in rows) else 1


if __name__ == "__main__":
    sys.exit(main())
