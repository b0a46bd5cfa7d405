#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages that are missing, in two sets:
#   install-deps.sh          what building and playing the game needs
#   install-deps.sh --tests  that, and what the tests need on top
# (--list, --list-tests and --list-assets print the sets instead.)
# Does nothing when everything is already there; uses sudo when not run as root.
# One package a line: adding one to either set is a one-line change.
set -euo pipefail

# Building and playing: the compiler and build tools, wx with its GL canvas,
# Mesa, SDL2_mixer with a General MIDI soundfont, and X11.
play_packages=(
  build-essential
  cmake
  ninja-build
  pkg-config
  libwxgtk3.2-dev
  libgl-dev
  libglu1-mesa-dev
  libgl1-mesa-dri
  libx11-dev
  libsdl2-mixer-dev
  timgm6mb-soundfont
)

# Also part of the play set: the libraries and the font that draw the
# run-time folder's pictures, music and sounds and the icon. A build from a
# release tarball can do without them (it ships them drawn, in prebuilt/).
asset_packages=(
  libcairo2-dev
  libpango1.0-dev
  fonts-dejavu-core
  libsmf-dev
  libsndfile1-dev
)

# The tests: GoogleTest; EGL for the pixel tests; clang, its sanitizer and
# fuzzer runtime and clang-format; Xvfb, xdotool, ImageMagick, the X
# utilities, XTest and XDamage for the end-to-end tests and their probe; the
# checkers of the desktop entry, the AppStream metadata, the manual page and
# the scalable icon.
test_packages=(
  libgtest-dev
  libegl-dev
  libegl-mesa0
  clang
  libclang-rt-14-dev
  clang-format
  xvfb
  xdotool
  imagemagick
  x11-utils
  libxtst-dev
  libxdamage-dev
  python3
  appstream
  desktop-file-utils
  man-db
  librsvg2-bin
  # Window managers the end-to-end tests also run under; mutter wants a
  # private session bus.
  openbox
  mutter
  dbus-daemon
)

packages=("${play_packages[@]}" "${asset_packages[@]}")
case "${1:-}" in
  "") ;;
  --tests) packages+=("${test_packages[@]}") ;;
  --list) printf '%s\n' "${packages[@]}"; exit 0 ;;
  --list-tests) printf '%s\n' "${test_packages[@]}"; exit 0 ;;
  --list-assets) printf '%s\n' "${asset_packages[@]}"; exit 0 ;;
  *) echo "usage: $0 [--tests | --list | --list-tests | --list-assets]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
