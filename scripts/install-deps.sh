#!/usr/bin/env bash
# Installs the Debian 12 packages the game, its asset generator and its tests need.
# Does nothing when everything is already there; uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang clang-format libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libwxgtk3.2-dev libgl-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri libegl-mesa0
  libsdl2-mixer-dev timgm6mb-soundfont
  libcairo2-dev libpango1.0-dev fonts-dejavu-core libsmf-dev libsndfile1-dev
  xvfb xauth xdotool imagemagick x11-utils libxtst-dev python3
  # Window managers the end-to-end tests also run under; mutter wants a
  # private session bus.
  openbox mutter dbus-daemon
)

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
