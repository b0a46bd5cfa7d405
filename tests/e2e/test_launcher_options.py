#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The installed launcher's command line: --help and --version answer at
once, with or without a display, open no window and leave nothing in the
player's home; anything else is refused with status 2 and says why; and
without a display the launcher makes no per-user folder before it gives up."""

import os
import re
import shutil
import subprocess
import sys
import tempfile

from gubtest import check, log, run

PREFIX = "/usr"


def scenario(server):
    stage = tempfile.mkdtemp(prefix="gub-options-")
    try:
        subprocess.run(["cmake", "--install", os.environ["GUB_BUILD_DIR"], "--prefix", PREFIX],
                       env=dict(os.environ, DESTDIR=stage), check=True, capture_output=True)
        launcher = os.path.join(stage + PREFIX, "bin/gub-cards")
        home = os.path.join(stage, "home")
        os.mkdir(home)
        base = {k: v for k, v in os.environ.items()
                if k not in ("DISPLAY", "WAYLAND_DISPLAY", "XDG_DATA_HOME")}
        base.update(HOME=home, XDG_RUNTIME_DIR=stage, SDL_AUDIODRIVER="dummy")

        def launch(args, display):
            env = dict(base, DISPLAY=display) if display else base
            # A game that started would stay on the screen: the timeout
            # catches it.
            return subprocess.run([launcher, *args], env=env, capture_output=True, text=True,
                                  timeout=60)

        def windows():
            return subprocess.run(["xdotool", "search", "--name", "Gub Cards"],
                                  env=dict(os.environ, DISPLAY=server.display),
                                  capture_output=True, text=True).stdout.split()

        for display in (server.display, None):
            where = "with a display" if display else "without a display"
            for option in ("--help", "-h"):
                done = launch([option], display)
                check(done.returncode == 0, f"{option} {where}: status {done.returncode}")
                check(done.stdout.startswith("Usage: gub-cards") and "--version" in done.stdout,
                      f"{option} {where} printed {done.stdout!r}")
                check(done.stderr == "", f"{option} {where} complained: {done.stderr!r}")
            done = launch(["--version"], display)
            check(done.returncode == 0 and re.fullmatch(r"gub-cards \d+\.\d+(\.\d+)*\n", done.stdout),
                  f"--version {where}: status {done.returncode}, {done.stdout!r}")
            log(f"--help and --version answered {where}")

            for args, message in ((["--fullscreen"], "unknown option '--fullscreen'"),
                                  (["--help", "-x"], "unknown option '-x'"),
                                  (["deal"], "unexpected argument 'deal'")):
                done = launch(args, display)
                check(done.returncode == 2, f"{args} {where}: status {done.returncode}, not 2")
                check(message in done.stderr and "--help" in done.stderr and done.stdout == "",
                      f"{args} {where}: {done.stderr!r}")
            log(f"unknown options refused with status 2 {where}")
            check(windows() == [], "a window of the game appeared")
            check(os.listdir(home) == [], f"the options left {os.listdir(home)} in the home")

        done = launch([], None)
        check(done.returncode == 1 and "display" in done.stderr,
              f"no display: status {done.returncode}, {done.stderr!r}")
        check(os.listdir(home) == [], f"without a display the launcher left {os.listdir(home)}")
        log("without a display the launcher stops before making the per-user folder")
    finally:
        shutil.rmtree(stage, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(run(scenario))
