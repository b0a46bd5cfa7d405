#!/bin/sh
# SPDX-License-Identifier: MIT
# A build from a release tarball: given a prebuilt/ folder like the one
# scripts/make-release.sh ships (made here from this build's drawings), a
# fresh configuration with GUB_USE_PREBUILT builds neither the generator nor
# the icon program, and its run-time folder and icons are exact copies.
#   check_prebuilt.sh SOURCE_DIR BUILD_DIR
set -eu
src=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/prebuilt/icons"
cp -R "$build/runtime" "$work/prebuilt/runtime"
cp "$build/defaults/gub.cfg" "$work/prebuilt/runtime/gub.cfg"
cp "$build"/shell/icons/gub-cards-*.png "$work/prebuilt/icons/"

cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGUB_USE_PREBUILT=ON \
  -DGUB_PREBUILT_DIR="$work/prebuilt" >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log"; exit 1; }
if cmake --build "$work/build" --target help | grep -E '^(gub-assets|gub_make_icon):'; then
  echo "the build would still draw what prebuilt/ holds" >&2
  exit 1
fi
cmake --build "$work/build" --target gub_runtime gub_icons >"$work/build.log" 2>&1 ||
  { cat "$work/build.log"; exit 1; }
diff -r "$work/prebuilt/runtime" "$work/build/runtime"
cmp "$work/prebuilt/runtime/gub.cfg" "$work/build/defaults/gub.cfg"
for icon in "$work"/prebuilt/icons/*.png; do
  cmp "$icon" "$work/build/shell/icons/$(basename "$icon")"
done
echo "run-time folder and icons copied from prebuilt/"
