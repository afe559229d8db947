#!/usr/bin/env bash
# The one test command: installs what is missing, builds, runs every test in a normal and in an
# AddressSanitizer + UndefinedBehaviorSanitizer build, then a short run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")"
source tools/pakiety.sh
zainstaluj_pakiety

jobs=$(nproc)
FUZZ_SECONDS=${FUZZ_SECONDS:-20}
passed=0
failed=0

# Runs ctest in a build folder and adds its counts to the totals.
run_ctest() {
    local log
    log=$(mktemp)
    local rc=0
    (cd "$1" && ctest --output-on-failure -j "$jobs") 2>&1 | tee "$log" || rc=$?
    local total bad
    total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
    bad=$(sed -n 's/.* \([0-9]*\) tests failed out of.*/\1/p' "$log" | tail -n 1)
    rm -f "$log"
    passed=$((passed + ${total:-0} - ${bad:-0}))
    failed=$((failed + ${bad:-0}))
    if [ "$rc" -ne 0 ]; then
        echo "$passed passed, $failed failed"
        exit "$rc"
    fi
}

echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
run_ctest build

echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSONDREL_SANITIZE=ON \
      -DSONDREL_BENCH=OFF -DSONDREL_UI=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 run_ctest build-asan

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
    if "$cel" -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 -timeout=10 "$korpus" >"$korpus.log" 2>&1; then
        tail -n 1 "$korpus.log"
        passed=$((passed + 1))
    else
        tail -n 40 "$korpus.log"
        failed=$((failed + 1))
    fi
    rm -rf "$korpus" "$korpus.log"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
