#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and starts Sondrel on the bundled sample class with its test (the full
# analysis: tables, charts, reports and the question popups work at once). Sondrel is a desktop
# program: it needs a display (X11 or Wayland); without one, sondrel-cli does the analysis.
set -euo pipefail
cd "$(dirname "$0")"
source tools/pakiety.sh
zainstaluj_pakiety
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Only the desktop program: the tests and benchmarks are built by ./test.sh.
cmake --build build -j "$(nproc)" --target sondrel
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Sondrel needs a display (X11 or Wayland): DISPLAY and WAYLAND_DISPLAY are not set." >&2
    echo "Built: build/bin/sondrel; start it on a desktop. Without a display the analysis is" >&2
    echo "done by sondrel-cli (cmake --build build --target sondrel-cli)." >&2
    exit 1
fi
exec build/bin/sondrel --test samples/test.skt samples/*.sko
