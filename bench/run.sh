#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# bench/run.sh — measures what the running ぽこたま window costs, side by side with Debian's
# xcalc, on one private Xvfb: time to the first painted frame, resident memory, CPU use while
# the lamps run, and repaints per second (X damage for both; for ぽこたま also the paint events
# of its widgets, counted by bench/paint_rate.cpp in a run of its own). Prints a Markdown table
# of medians.
#
#   RUNS=7             runs of each program, taken in turn (pokotama, the paint-rate driver,
#                      xcalc, pokotama, …)
#   STARTS=15          back-to-back starts of each program (and of a bare Qt window) that
#                      measure only the first painted frame
#   IDLE_STARTS=5      starts of the bare Qt window after 13 s of idling, as the full runs'
#   BUILD_DIR=build    where the program is built and the probe goes (BUILD_DIR/bench)
#   POKOTAMA_BIN=PATH  measure this program instead of building BUILD_DIR/pokotama
#   FIRST_FRAME_GAP_MS=50  the quiet gap that ends the first frame
#   TIMELINE=1         instead of measuring, print the map and damage timeline of one start
#                      of each program, to check what "first painted frame" picks out
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source bench/private_xvfb.sh

runs=${RUNS:-7}
starts=${STARTS:-15}
idle_starts=${IDLE_STARTS:-5}
build=${BUILD_DIR:-build}
gap=${FIRST_FRAME_GAP_MS:-50}

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" \
    gcc pkg-config x11-apps libxcb1-dev libxcb-damage0-dev

[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target pokotama_paint_rate >/dev/null
paint_rate=$(realpath "$build/bench/pokotama_paint_rate")
if [ -n "${POKOTAMA_BIN:-}" ]; then
    pokotama=$(realpath "$POKOTAMA_BIN")
else
    cmake --build "$build" --parallel "$(nproc)" --target pokotama >/dev/null
    pokotama=$(realpath "$build/pokotama")
fi
probe=$build/bench/window_probe
mkdir -p "$build/bench"
# shellcheck disable=SC2046 # pkg-config prints several words on purpose
cc -std=c17 -O2 -Wall -Wextra -Wpedantic -Werror bench/window_probe.c -o "$probe" \
    $(pkg-config --cflags --libs xcb xcb-damage)
bare=$build/bench/bare_qt_window
# shellcheck disable=SC2046
g++ -std=c++20 -O2 -fPIC -Wall -Wextra -Wpedantic -Werror bench/bare_qt_window.cpp -o "$bare" \
    $(pkg-config --cflags --libs Qt6Widgets)

start_private_xvfb

run() { # run NAME PROBE-OPTIONS… — one start of the named program under the probe
    local name=$1
    shift
    case $name in
    pokotama) "$probe" -g "$gap" -s "$xvfb_pid" "$@" -- "$pokotama" ;;
    paint_rate) "$probe" -g "$gap" "$@" -- "$paint_rate" ;;
    xcalc) "$probe" -g "$gap" -s "$xvfb_pid" "$@" -- xcalc ;;
    bare) "$probe" -g "$gap" "$@" -- "$bare" ;;
    esac </dev/null
}

if [ -n "${TIMELINE:-}" ]; then
    for name in pokotama xcalc; do
        run "$name" -q >/dev/null # warm the caches first, as the measured runs are
        echo "== $name" >&2
        run "$name" -v -q
    done
    exit 0
fi

echo "Measuring on display $DISPLAY: $runs runs of each program, about $((runs * 43 / 60 + 1)) min," \
    "then $starts back-to-back starts of each and $idle_starts idle starts of the bare window." >&2
cut -d' ' -f1 /proc/loadavg >"$work/load" # other work on the machine lengthens the timings
run pokotama -q >/dev/null # warm-up starts: the first start after a build reads cold files
run xcalc -q >/dev/null
for i in $(seq "$runs"); do
    # The driver runs between the two, so that each start of ぽこたま still follows xcalc's run.
    for name in pokotama paint_rate xcalc; do
        echo "  run $i/$runs: $name" >&2
        run "$name" >"$work/$name.$i"
    done
    # The driver's count of the window's paint events: the mean of its once-a-second lines
    # inside the counting window. Each line counts the second before it, so the lines stamped
    # inside the window cover it to within the phase of the driver's one-second timer.
    read -r from to < <(sed -n 's/^count_window_s=//p' "$work/paint_rate.$i")
    awk -v from="$from" -v to="$to" '
        $1 == "stderr" && $3 == "paints/s" && $2 > from && $2 <= to {
            split($4, c, "="); split($5, t, "="); canvas += c[2]; text += t[2]; n++ }
        END { if (n) printf "paints_canvas_per_s=%.2f\npaints_text_per_s=%.2f\npaints_per_s=%.2f\n",
                            canvas / n, text / n, (canvas + text) / n }' \
        "$work/paint_rate.$i" >>"$work/pokotama.$i"
done
# Start-up again, in starts that follow each other at once: each start above follows 13 s in
# which the machine was all but idle, and on some machines (virtual ones especially) a
# program that needs more CPU to start is held back more after idling.
for name in pokotama xcalc bare; do
    run "$name" -q >/dev/null # after the full runs, the first start would follow 13 s idle
done
for i in $(seq "$starts"); do
    for name in pokotama xcalc bare; do
        run "$name" -q >"$work/$name-start.$i"
    done
done
# The bare window after idling as long as the full runs' starts do, for their figure.
for i in $(seq "$idle_starts"); do
    sleep 13
    run bare -q >"$work/bare.$i"
done
bash bench/summary.sh "$work" "$runs" "$gap" "$starts"
