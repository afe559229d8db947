#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders resources/sondrel.svg to the PNG icons in resources/ikony (sondrel-16.png ...
# sondrel-256.png), which are committed beside the SVG. Run after changing the SVG.
set -euo pipefail
tu="$(cd "$(dirname "$0")" && pwd)"
zasoby="$tu/../../resources"
program="$(mktemp -d)/ikony"
g++ -std=c++20 -fPIC -g0 $(pkg-config --cflags Qt6Gui Qt6Svg) "$tu/ikony.cpp" \
    $(pkg-config --libs Qt6Gui Qt6Svg) -o "$program"
QT_QPA_PLATFORM=offscreen "$program" "$zasoby/sondrel.svg" "$zasoby/ikony"
rm -rf "$(dirname "$program")"
ls "$zasoby/ikony"
