#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures of the program's windows under Xvfb, to look at them after a change:
#   tools/zrzut/zrzuty_okien.sh [build folder with UI and tests on] [output folder]
# Builds the target zrzuty_okien (tools/zrzut/zrzuty_okien.cpp) and runs it; the PNG files (and
# the test report as PDF) land in the output folder.
set -euo pipefail
tu="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$tu/../../build}"
wynik="${2:-/tmp/sondrel_zrzuty}"
cmake --build "$build" --target zrzuty_okien
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/zrzuty_okien" "$wynik"
echo "$wynik"
