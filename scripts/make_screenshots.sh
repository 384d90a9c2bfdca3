#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# make_screenshots.sh [BUILD_DIRECTORY] — builds form1_screenshots and takes the screenshots
# of docs/ (form1-calculating.png, about.png) on a virtual X server, framed by openbox where
# it is installed (bare windows otherwise). Run by hand; needs xvfb-run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target form1_screenshots

# Runs on the virtual display: the window manager, if any, then the screenshots.
session='
if command -v openbox >/dev/null; then
    openbox --sm-disable &
    sleep 1
fi
QT_QPA_PLATFORM=xcb "$0" "$1"'
xvfb-run -a -s "-screen 0 1024x768x24" \
    bash -c "$session" "$build/bench/form1_screenshots" "$root/docs"
