#!/bin/sh
# SPDX-License-Identifier: MIT
# Puts the licence's SPDX line at the top of every source file that lacks it:
# C++ sources and headers, CMake files, Python and shell scripts (after the
# #! line when there is one). Running it again changes nothing. With --check
# it changes nothing and lists the files that lack the line (status 1 if any).
set -eu
cd "$(dirname "$0")/.."
id="SPDX-License-Identifier: MIT"
mode=${1:-add}

# Build folders and the release tarball's ready-made files are not sources.
files=$(find . -type d \( -name 'build*' -o -name out -o -name prebuilt -o -name .git \) -prune \
  -o -type f \( -name '*.cpp' -o -name '*.h' -o -name CMakeLists.txt -o -name '*.cmake' \
  -o -name '*.py' -o -name '*.sh' -o -name '*.sh.in' \) -print | sort)
missing=0
for f in $files; do
  # Already there within the first lines (after a #! line).
  if head -n 3 "$f" | grep -q "$id"; then continue; fi
  if [ "$mode" = --check ]; then
    echo "$f: no '$id' line" >&2
    missing=1
    continue
  fi
  case "$f" in
    *.cpp | *.h) line="// $id" ;;
    *) line="# $id" ;;
  esac
  tmp=$(mktemp)
  if head -n 1 "$f" | grep -q '^#!'; then
    { head -n 1 "$f"; echo "$line"; tail -n +2 "$f"; } >"$tmp"
  else
    { echo "$line"; cat "$f"; } >"$tmp"
  fi
  # Keep the file's mode (scripts stay executable).
  cat "$tmp" >"$f"
  rm -f "$tmp"
done
exit $missing
