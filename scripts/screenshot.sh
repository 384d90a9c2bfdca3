#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# screenshot.sh PROGRAM OUTPUT.png — starts PROGRAM on the current X display, waits until
# its window is mapped and painted, saves a screenshot of the screen area it covers, and
# ends the program. Used by run.sh where there is no display of our own.
set -euo pipefail
program=$1
output=$2

# Qt wants a private runtime directory; a bare Xvfb session has none.
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
QT_QPA_PLATFORM=xcb "$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

for _ in $(seq 100); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"ぽこたま"'; then
        break
    fi
    sleep 0.05
done
sleep 1.5 # let the lamp show run a few ticks
import -window root -crop "$(xwininfo -name 'ぽこたま' | awk '
    /Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {printf "%dx%d+%d+%d", w, h, x, y}')" "$output"
