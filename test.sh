#!/usr/bin/env bash
# The one test command: installs what is missing, builds, runs every test in a normal and in an
# AddressSanitizer + UndefinedBehaviorSanitizer build, then a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")"
source tools/pakiety.sh
zainstaluj_pakiety

jobs=$(nproc)
FUZZ_SECONDS=${FUZZ_SECONDS:-20}

echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSONDREL_SANITIZE=ON \
      -DSONDREL_BENCH=OFF -DSONDREL_UI=OFF >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$jobs")

echo "== fuzzing (${FUZZ_SECONDS} s per target)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DSONDREL_FUZZ=ON -DSONDREL_TESTS=OFF -DSONDREL_BENCH=OFF -DSONDREL_UI=OFF >/dev/null
cmake --build build-fuzz -j "$jobs"
for cel in build-fuzz/bin/fuzz_*; do
    [ -x "$cel" ] || continue
    nazwa=$(basename "$cel" | sed 's/^fuzz_//')
    korpus=$(mktemp -d)
    [ -d "fuzz/korpus/$nazwa" ] && cp -r "fuzz/korpus/$nazwa/." "$korpus/"
    echo "-- $nazwa"
    "$cel" -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 -timeout=10 "$korpus" 2>&1 | tail -n 2
    rm -rf "$korpus"
done
echo "all tests passed"
