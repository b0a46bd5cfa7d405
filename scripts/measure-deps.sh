#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How much each dependency set would add to a Debian 12 system: the number of
# packages apt would install and their installed size. Runs apt-get in
# simulation only, against the given root (a debootstrap folder, or / for this
# machine), so nothing is installed:
#   debootstrap --variant=minbase bookworm /tmp/deb12 http://deb.debian.org/debian
#   scripts/measure-deps.sh /tmp/deb12
# DESKTOP=task-gnome-desktop measures on top of that desktop instead: apt
# takes a package status (written to /tmp inside the root) that lists the
# desktop's packages, with their recommends, as installed.
set -euo pipefail
root=${1:?usage: $0 DEBIAN_ROOT}
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t play < <("$here/install-deps.sh" --list)
mapfile -t tests < <("$here/install-deps.sh" --list-tests)
mapfile -t assets < <("$here/install-deps.sh" --list-assets)
prebuilt=()
for p in "${play[@]}"; do
  [[ " ${assets[*]} " == *" $p "* ]] || prebuilt+=("$p")
done

in_root() { if [ "$root" = / ]; then "$@"; else chroot "$root" "$@"; fi; }
status=()
if [ -n "${DESKTOP:-}" ]; then
  # The root's status, then a status stanza for each package the desktop's
  # installation would bring (as apt-cache shows it, less the archive fields).
  desktop_status=/tmp/gub-desktop-status
  # shellcheck disable=SC2046
  { cat "$root/var/lib/dpkg/status"; echo
    in_root apt-cache show $(in_root apt-get -s -q install "$DESKTOP" 2>/dev/null |
      awk '/^Inst /{ v=$3; if (v ~ /^\[/) v=$4; gsub(/[()]/, "", v); print $2 "=" v }') |
      awk '/^$/ { print; next }
           /^[^ \t]/ { f = $1; keep = f ~ /^(Package|Version|Architecture|Depends|Pre-Depends|Provides|Conflicts|Breaks|Replaces|Multi-Arch|Essential|Installed-Size):$/ }
           keep { print }
           /^Package:/ { print "Status: install ok installed" }'
  } >"$root$desktop_status"
  status=(-o "Dir::State::status=$desktop_status")
fi

# "Inst name [old] (version ...)" lines of a simulated install -> count, MiB.
measure() {
  local label=$1; shift
  in_root apt-get "${status[@]}" -s -q install --no-install-recommends "$@" 2>/dev/null |
    awk '/^Inst /{ v=$3; if (v ~ /^\[/) v=$4; gsub(/[()]/, "", v); print $2 "=" v }' >"$tmp"
  local count size
  count=$(wc -l <"$tmp")
  size=0
  if [ "$count" -gt 0 ]; then
    # shellcheck disable=SC2046
    size=$(in_root apt-cache show $(cat "$tmp") 2>/dev/null |
      awk '/^Package: /{ if (!(p in seen)) { seen[p]; total += s } p = $2; s = 0 }
           /^Installed-Size: /{ s = $2 }
           END { if (!(p in seen)) total += s; printf "%.0f", total / 1024 }')
  fi
  printf '%-44s %4d packages %6d MiB\n' "$label" "$count" "$size"
}
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
measure "play set (build and play)" "${play[@]}"
measure "play set, release tarball's prebuilt/ used" "${prebuilt[@]}"
measure "play and test sets (the test command)" "${play[@]}" "${tests[@]}"
