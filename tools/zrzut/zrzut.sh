#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshot of the skinned windows under Xvfb, to look at the skins after a change:
#   tools/zrzut/zrzut.sh [build folder with UI on] [output.png]
# Needs xvfb-run and ImageMagick's import. Compiles pokaz_okna.cpp against the build's libraries.
set -euo pipefail
tu="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$tu/../../build}"
wynik="${2:-/tmp/sondrel_zrzut.png}"
program="$(mktemp -d)/pokaz_okna"
# the ui library and every layer below it, in link order
warstwy=()
for w in ui tables reports settings charts chartengine analysis formats core; do
    [ -f "$build/libsondrel_$w.a" ] && warstwy+=("$build/libsondrel_$w.a")
done
g++ -std=c++20 -fPIC -g0 -I"$tu/../../src" $(pkg-config --cflags Qt6Widgets) \
    "$tu/pokaz_okna.cpp" "${warstwy[@]}" -ljpeg -lgif \
    $(pkg-config --libs Qt6Widgets Qt6Svg Qt6PrintSupport Qt6WebEngineWidgets) -o "$program"
# The save icon closes itself after two seconds: the picture is taken after one.
xvfb-run -a -s "-screen 0 1280x800x24" bash -c "'$program' & sleep 1; import -window root '$wynik'; wait"
rm -rf "$(dirname "$program")"
echo "$wynik"
