#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The installed game: `cmake --install` into a staging folder puts the
launcher, the program, the run-time files, the desktop entry, the AppStream
metadata, the icons and the manual page where a desktop finds them; the launcher starts the game in a per-user copy
of the run-time folder, which keeps the player's settings over an update."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

from gubtest import MAX_SCORE, Failure, Game, check, log, run

PREFIX = "/usr"
APP_ID = "io.github.gubcards.GubCards"


def installed_games(stage):
    """Pids of running programs from the staged installation."""
    pids = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                if os.path.realpath(f"/proc/{entry}/exe").startswith(stage):
                    pids.append(int(entry))
            except OSError:
                pass
    return pids


def scenario(server):
    stage = tempfile.mkdtemp(prefix="gub-install-")
    try:
        subprocess.run(["cmake", "--install", os.environ["GUB_BUILD_DIR"], "--prefix", PREFIX],
                       env=dict(os.environ, DESTDIR=stage), check=True, capture_output=True)
        root = stage + PREFIX
        launcher = os.path.join(root, "bin/gub-cards")
        for path in ["bin/gub-cards", "libexec/gub-cards/gub-cards"]:
            check(os.access(os.path.join(root, path), os.X_OK), f"{path} is not executable")
        for path in [f"share/applications/{APP_ID}.desktop",
                     f"share/metainfo/{APP_ID}.metainfo.xml",
                     f"share/icons/hicolor/48x48/apps/{APP_ID}.png",
                     f"share/icons/hicolor/256x256/apps/{APP_ID}.png",
                     f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
                     "share/man/man6/gub-cards.6", "share/doc/gub-cards/LICENSE",
                     "share/gub-cards/runtime/gub.cfg", "share/gub-cards/runtime/gub.mid",
                     "share/gub-cards/runtime/bg/back.bg", "share/gub-cards/runtime/crd/53.crd"]:
            check(os.path.isfile(os.path.join(root, path)), f"{path} was not installed")
        entry = open(os.path.join(root, f"share/applications/{APP_ID}.desktop")).read()
        for line in ["Type=Application", "Name=Gub Cards", "Exec=gub-cards", f"Icon={APP_ID}"]:
            check(line in entry.splitlines(), f"desktop entry lacks {line}")
        with open(os.path.join(root, f"share/icons/hicolor/48x48/apps/{APP_ID}.png"), "rb") as f:
            header = f.read(24)
        check(header[:8] == b"\x89PNG\r\n\x1a\n" and struct.unpack(">II", header[16:24]) == (48, 48),
              "the 48x48 icon is no 48 x 48 PNG")
        # What a software centre's indexer reads: the metadata together with
        # the desktop entry and the icons it names, as installed.
        tree = subprocess.run(["appstreamcli", "validate-tree", "--strict", "--no-net", root],
                              capture_output=True, text=True)
        check(tree.returncode == 0, "appstreamcli validate-tree:\n" + tree.stdout + tree.stderr)
        log("files installed")

        # The launcher, as a player would start it: a fresh home.
        game = Game(server)
        home = os.path.join(game.scratch, "home")
        os.mkdir(home)
        game.env.update(HOME=home)
        game.env.pop("XDG_DATA_HOME", None)
        os.environ["GUB_CARDS"] = launcher
        data = os.path.join(home, ".local/share/gub-cards")
        try:
            game.start()
            game.wait_for(game.shows_title, "title screen from the launcher")
            check(os.path.isfile(os.path.join(data, "crd/1.crd")), "no per-user run-time folder")
            program = installed_games(stage)
            check(len(program) == 1, f"{len(program)} installed programs running, not 1")
            cwd = os.readlink(f"/proc/{program[0]}/cwd")
            check(cwd == data, f"the game runs in {cwd}, not in the per-user folder")
            log("the launcher starts the game in the per-user folder")
            # Desktops tie the window to the renamed entry by its class.
            wm_class = [line.split("=", 1)[1] for line in entry.splitlines()
                        if line.startswith("StartupWMClass=")]
            window = game.windows("Gub Cards")[0]
            props = subprocess.run(["xprop", "-id", window, "WM_CLASS"], capture_output=True,
                                   text=True, env=dict(os.environ, DISPLAY=server.display)).stdout
            check(wm_class and f'"{wm_class[0]}"' in props,
                  f"the window's {props.strip()} is not the entry's StartupWMClass {wm_class}")
            os.kill(program[0], 9)
            game.proc.wait()

            # The player's settings survive an update of the installed files.
            with open(os.path.join(data, "gub.cfg"), "r+b") as f:
                f.seek(MAX_SCORE)
                f.write(struct.pack("<i", 777))
            later = time.time() + 10
            installed = os.path.join(root, "share/gub-cards/runtime")
            for name in ["gub.cfg", "win.wav"]:
                os.utime(os.path.join(installed, name), (later, later))
            game.start()
            game.wait_for(game.shows_title, "title screen after the update")
            with open(os.path.join(data, "gub.cfg"), "rb") as f:
                f.seek(MAX_SCORE)
                check(struct.unpack("<i", f.read(4))[0] == 777, "the update replaced gub.cfg")
            check(os.path.getmtime(os.path.join(data, "win.wav")) == later,
                  "the update did not bring the newer sound")
            log("settings kept and newer files copied after an update")
        finally:
            for pid in installed_games(stage):
                os.kill(pid, 9)
            game.close()
    finally:
        shutil.rmtree(stage, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(run(scenario))
