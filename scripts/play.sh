#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing for the game alone (not the tests' tools), builds
# the game and starts it in the build's run-time folder (pictures, music,
# sounds and the settings file it rewrites).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  echo "No display: Gub Cards needs an X display (set DISPLAY, e.g. run this from a desktop" >&2
  echo "session, over ssh -X, or under xvfb-run)." >&2
  exit 1
fi

scripts/install-deps.sh
# The same build folder and type as the test command, so neither rebuilds the other's work;
# a folder the test command configured keeps its tests, a new one builds the game alone.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target gub-cards gub_runtime
cd build/runtime
exec ../bin/gub-cards
