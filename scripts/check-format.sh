#!/bin/sh
# SPDX-License-Identifier: MIT
# Checks that every C++ source is laid out as clang-format lays it out with
# the .clang-format at the root; with --fix it rewrites the files instead.
set -eu
cd "$(dirname "$0")/.."
clang_format=${CLANG_FORMAT:-clang-format-14}
command -v "$clang_format" >/dev/null || clang_format=clang-format

# Build folders and the release tarball's ready-made files are not sources.
files=$(find . -type d \( -name 'build*' -o -name out -o -name prebuilt -o -name .git \) -prune \
  -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sort)
if [ "${1:-}" = --fix ]; then
  # shellcheck disable=SC2086
  exec "$clang_format" -i $files
fi
# shellcheck disable=SC2086
exec "$clang_format" --dry-run -Werror $files
