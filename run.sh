#!/usr/bin/env bash
# Sets up, builds and starts Sondrel on the bundled sample class.
set -euo pipefail
cd "$(dirname "$0")"
source tools/pakiety.sh
zainstaluj_pakiety
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Only the desktop program: the tests and benchmarks are built by ./test.sh.
cmake --build build -j "$(nproc)" --target sondrel
exec build/bin/sondrel samples/*.sko
