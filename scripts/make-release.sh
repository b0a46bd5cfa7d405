#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the source release tarball out/gub-cards-VERSION.tar.gz: the committed
# sources (HEAD) with the run-time folder and the icons already drawn, in
# prebuilt/, so that a packager can build the game without cairo, pango,
# libsmf and libsndfile (the build copies prebuilt/ when they are missing, or
# when configured with -DGUB_USE_PREBUILT=ON).
#   scripts/make-release.sh [BUILD_DIR]   (default build-release; an existing
#                                          build folder is reused)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
version=$(sed -n 's/^project(GubCards VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=gub-cards-$version

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target gub_runtime gub_icons >/dev/null

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
git archive --format=tar --prefix="$name/" HEAD | tar -x -C "$stage"
mkdir -p "$stage/$name/prebuilt/icons"
cp -R "$build/runtime" "$stage/$name/prebuilt/runtime"
# The game rewrites gub.cfg when it is played from the build folder; ship the
# pristine one.
cp "$build/defaults/gub.cfg" "$stage/$name/prebuilt/runtime/gub.cfg"
cp "$build"/shell/icons/gub-cards-*.png "$stage/$name/prebuilt/icons/"

# The same bytes for the same commit and drawings: fixed order, owner and time.
mkdir -p out
stamp=$(git log -1 --format=%ct HEAD)
tar -C "$stage" --sort=name --owner=0 --group=0 --numeric-owner --mtime="@$stamp" \
  -cf - "$name" | gzip -n -9 >"out/$name.tar.gz"
echo "out/$name.tar.gz"
