#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
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

# Runs one named check and adds it to the totals.
check() {
    local nazwa=$1
    shift
    if "$@"; then
        echo "-- $nazwa: ok"
        passed=$((passed + 1))
    else
        echo "-- $nazwa: FAILED"
        failed=$((failed + 1))
    fi
}

# The desktop entry, the software-centre description, the file types and the manual pages, as
# the desktop's own validators read them.
echo "== packaging"
check "desktop entry" desktop-file-validate resources/pl.brenvik.sondrel.desktop
check "metainfo" appstreamcli validate --no-net resources/pl.brenvik.sondrel.metainfo.xml
dane=$(mktemp -d)
mkdir -p "$dane/mime/packages" "$dane/pliki"
cp resources/sondrel-mime.xml "$dane/mime/packages/sondrel.xml"
cp /usr/share/mime/packages/freedesktop.org.xml "$dane/mime/packages/"
check "file types" env XDG_DATA_HOME="$dane" update-mime-database "$dane/mime"
# recognised by their contents too, before the generic PAK archive they are kinds of; a check
# that cannot run (no gio) fails, it is never skipped
rodzaj() {
    if ! command -v gio >/dev/null; then
        echo "   gio is missing (package libglib2.0-bin)"
        return 1
    fi
    env XDG_DATA_HOME="$dane" XDG_DATA_DIRS="$dane" gio info -a standard::content-type "$1" |
        grep "content-type: $2\$" >/dev/null
}
cp samples/adamczyk_zofia.sko "$dane/pliki/odpowiedzi"
cp samples/test.skt "$dane/pliki/test"
cp samples/testy.skg "$dane/pliki/lista"
check "answer file by content" rodzaj "$dane/pliki/odpowiedzi" application/x-sondrel-sko
check "test file by content" rodzaj "$dane/pliki/test" application/x-sondrel-skt
check "test list by content" rodzaj "$dane/pliki/lista" application/x-sondrel-skg
rm -rf "$dane"
for strona in resources/man/*.1; do
    check "manual $(basename "$strona")" \
        bash -c 'test -z "$(groff -man -ww -z -Tutf8 -K utf8 "$1" 2>&1)"' _ "$strona"
done

echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSONDREL_TESTS=ON \
      -DSONDREL_BENCH=ON >/dev/null
cmake --build build -j "$jobs"
run_ctest build

echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSONDREL_SANITIZE=ON \
      -DSONDREL_TESTS=ON -DSONDREL_BENCH=OFF -DSONDREL_UI=ON >/dev/null
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
