#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and runs every test: the full build (unit,
# pixel and end-to-end tests, and the checks of the sources' layout and
# licence lines, the AppStream metadata, the desktop entry and the manual
# page), the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests

jobs=$(nproc)
export GTEST_COLOR=no

echo "== Full build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
  -DGUB_WITH_BENCH=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGUB_SANITIZE=ON -DBUILD_TESTING=ON \
  -DGUB_WITH_GL=OFF -DGUB_WITH_WX=OFF -DGUB_WITH_ASSETS=OFF -DGUB_WITH_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== Fuzz targets (libFuzzer)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGUB_FUZZ=ON -DBUILD_TESTING=ON -DGUB_WITH_GL=OFF -DGUB_WITH_WX=OFF -DGUB_WITH_ASSETS=OFF \
  -DGUB_WITH_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$jobs"
ctest --test-dir build-fuzz --output-on-failure -L fuzz
