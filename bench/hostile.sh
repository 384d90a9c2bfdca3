#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# bench/hostile.sh — what hostile input and long runs cost the real window, on one private
# Xvfb (xcb): the time from a click on ＋ until what it changes has been repainted with the
# longest lines there are, the entry line full with the 32,767 characters a user may type and a
# formula of 100,000 characters the program wrote (median over all clicks of all starts), and
# the resident memory of the long runs (the About window shown and hidden 1,000 times and
# closed 100 times; ten minutes of lamp and key-flash ticks run fast between 300 key clicks).
# Prints Markdown.
#
#   RUNS=5           starts of the timing driver
#   REPEATS=5        measured clicks of each kind per start, after one warm-up click
#   BUILD_DIR=build  where the driver and the long-run tests are built
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source bench/private_xvfb.sh

runs=${RUNS:-5}
repeats=${REPEATS:-5}
build=${BUILD_DIR:-build}

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target form1_hostile_figures form1_long_run \
    >/dev/null
driver=$build/bench/form1_hostile_figures
long_run=$build/bench/form1_long_run

start_private_xvfb

load_before=$(cut -d' ' -f1 /proc/loadavg)
for i in $(seq "$runs"); do
    echo "  start $i/$runs of the timing driver" >&2
    "$driver" "$repeats" >"$work/clicks.$i" 2>"$work/clicks.$i.err" </dev/null ||
        { cat "$work/clicks.$i" "$work/clicks.$i.err" >&2; echo "the driver failed" >&2; exit 1; }
done
echo "  long runs (about 10 s)" >&2
long_run_ok=passed
"$long_run" >"$work/long_run" 2>/dev/null </dev/null || long_run_ok=FAILED
load_after=$(cut -d' ' -f1 /proc/loadavg)

# figure KEY → "median min max count" over every click of every start
figure() {
    cat "$work"/clicks.[0-9]* | sed -n "s/^$1=//p" | awk '$1 >= 0' | sort -g | awk '
        { v[NR] = $1 } END {
            if (!NR) exit
            m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            print m, v[1], v[NR], NR }'
}

row() { # row LABEL KEY — one line of the timing table, against the 100 ms target
    local label=$1
    local figures
    figures=$(figure "$2")
    awk -v label="$label" -v f="$figures" 'BEGIN {
        if (f == "") { printf "| %s | — | < 100 ms | — |\n", label; exit }
        split(f, a, " ")
        printf "| %s | %.1f ms (%.1f–%.1f), %d clicks | < 100 ms | %s |\n",
            label, a[1], a[2], a[3], a[4], a[1] < 100 ? "yes" : "no" }'
}

echo "Machine: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(nproc) cores," \
    "$(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo)," \
    "Linux $(uname -r), Qt $(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null | cut -d+ -f1)."
echo "Date: $(date -u +%Y-%m-%d). Load average $load_before before, $load_after after."
echo
echo "| Click on ＋ | Median (range) over $runs starts × $repeats | Target | Meets |"
echo "|---|---|---|---|"
row "full entry line, a number (1 ＋ 2, then 32,766 zeros and a 7 pasted over the 2): both lines repainted" \
    plus_full_number_ms
row "full entry line, too large for a double (32,767 digits): formula line and message box painted" \
    plus_full_too_large_ms
row "100,000-character formula written by the program, then 1 ＋ 2: both lines repainted" \
    plus_long_formula_ms
echo
echo "| Long run ($long_run_ok) | VmRSS | RssAnon |"
echo "|---|---|---|"
sed -n 's/^\[ figures  \] \(.*\): VmRSS \([0-9]*\) kB, RssAnon \([0-9]*\) kB$/| \1 | \2 kB | \3 kB |/p' \
    "$work/long_run"
sed -n 's/^\[ figures  \] \(.*[0-9] .*\)$/\1/p' "$work/long_run" | grep -v VmRSS | sed 's/^/- /'
