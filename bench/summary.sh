#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# bench/summary.sh DIR RUNS GAP_MS STARTS — prints the machine and a Markdown table of medians
# from the probe's key=value files that run.sh collected: DIR/pokotama.N and DIR/xcalc.N from the
# full runs, DIR/NAME-start.N from the back-to-back starts (NAME pokotama, xcalc or bare).
set -euo pipefail
dir=$1
runs=$2
gap=$3
starts=$4

# figure PROGRAM KEY [DIVISOR] → "median min max count" over the runs that have the figure;
# the probe writes -1 for a figure it could not take, so negative values are left out.
figure() {
    cat "$dir/$1".* | sed -n "s/^$2=//p" | awk -v d="${3:-1}" '$1 >= 0 { print $1 / d }' |
        sort -g | awk '{ v[NR] = $1 } END {
            if (!NR) exit
            m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            print m, v[1], v[NR], NR }'
}

# row LABEL TARGET-OP TARGET-VALUE FORMAT KEY [DIVISOR] — one line of the table. The ratio is
# pokotama's median over xcalc's; "meets" compares pokotama's median with the target. With
# FROM=-start the figures come from the back-to-back starts instead of the full runs; with
# NO_RATIO=1 the ratio is left out (counts that are often 0).
row() {
    local label=$1 op=$2 target=$3 format=$4 key=$5 divisor=${6:-1}
    local p x n=$runs
    p=$(figure "pokotama${FROM:-}" "$key" "$divisor")
    x=$(figure "xcalc${FROM:-}" "$key" "$divisor")
    [ -z "${FROM:-}" ] || n=$starts
    awk -v label="$label" -v op="$op" -v target="$target" -v f="$format" -v runs="$n" \
        -v no_ratio="${NO_RATIO:-}" \
        -v p="$p" -v x="$x" 'function cell(s, a) {
            if (s == "") return "—"
            split(s, a, " ")
            c = sprintf(f " (" f "–" f ")", a[1], a[2], a[3])
            return a[4] < runs ? c " [" a[4] " of " runs " runs]" : c
        }
        BEGIN {
            split(p, pv, " "); split(x, xv, " ")
            ratio = (p != "" && x != "" && xv[1] > 0 && !no_ratio) ? sprintf("%.1f×", pv[1] / xv[1]) : "—"
            goal = "—"; meets = "—"
            if (op == "<") { goal = "< " target }
            if (op == "<=") { goal = "≤ " target }
            if (op != "-" && p != "")
                meets = (op == "<" ? pv[1] < target : pv[1] <= target) ? "yes" : "no"
            printf "| %s | %s | %s | %s | %s | %s |\n", label, goal, cell(p), cell(x), ratio, meets
        }'
}

version() { dpkg-query -W -f '${Version}' "$1" 2>/dev/null || echo unknown; }

echo
echo "Date: $(date '+%Y-%m-%d %H:%M %Z')"
echo "Machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1)," \
    "kernel $(uname -r), Debian $(cat /etc/debian_version), Qt $(version libqt6core6)," \
    "xcalc from x11-apps $(version x11-apps), Xvfb $(version xvfb)"
echo "Runs: $runs of each program, alternating, after one warm-up start of each; Xvfb" \
    "1280x1024x24, no window manager (the probe gives the new window the focus), no session" \
    "bus; first frame ends at a quiet gap of $gap ms; CPU and damage over 10 s from 3 s after exec;" \
    "then $starts back-to-back starts of each program, ended at their first frame."
load_start=$(cat "$dir/load")
load_end=$(cut -d' ' -f1 /proc/loadavg)
echo "Load average (1 min): $load_start at the start, $load_end at the end."
if awk -v a="$load_start" -v b="$load_end" -v n="$(nproc)" 'BEGIN { exit !(a > n / 2 || b > n / 2) }'; then
    echo "The machine was busy with other work: start-up times are longer and wider than on an" \
        "idle machine; memory and repaint counts are not affected, CPU time little."
fi
echo
echo "Each cell: median (min–max) over the runs."
echo
echo "| Figure | Target | ぽこたま | xcalc | ratio | ぽこたま meets target |"
echo "|---|---|---|---|---|---|"
FROM=-start row "First painted frame, ms after exec (back-to-back starts)" "<=" 40 "%.1f" first_frame_ms
FROM=-start row "· window mapped, ms after exec" - - "%.1f" map_ms
FROM=-start row "· CPU time the program used until the first damage, ms" - - "%.1f" first_damage_cpu_ms
FROM=-start NO_RATIO=1 row "· pages read from disk until then (major faults)" - - "%.0f" first_damage_major_faults
row "First painted frame, ms after exec (starts after 13 s of idling)" "<=" 40 "%.1f" first_frame_ms
row "· window mapped, ms after exec" - - "%.1f" map_ms
row "· first damage in the window, ms after exec" - - "%.1f" first_damage_ms
row "· CPU time the program used until then, ms" - - "%.1f" first_damage_cpu_ms
NO_RATIO=1 row "· pages read from disk until then (major faults)" - - "%.0f" first_damage_major_faults
row "Resident memory 3 s after exec, MB (VmRSS/1024)" "<" 40 "%.1f" rss_kb 1024
row "· of which anonymous (RssAnon), MB" - - "%.1f" rss_anon_kb 1024
row "CPU over 10 s, % of one core (utime+stime)" "<" 0.3 "%.2f" cpu_percent
row "· the same from the scheduler's ns count" "<" 0.3 "%.3f" cpu_sched_percent
row "Xvfb's CPU over the same 10 s, % of one core" - - "%.3f" server_cpu_percent
row "X damage events per second" - - "%.1f" damage_per_s
row "· damaged kilopixels per second" - - "%.1f" damage_kpixels_per_s
row "Paint events per second in ぽこたま's widgets (canvas + display lines), bench/paint_rate" - - "%.1f" paints_per_s
row "· of the canvas" - - "%.1f" paints_canvas_per_s
row "· of the display lines" - - "%.1f" paints_text_per_s
# median FIGURE [FORMAT] → the median (min–max) of figure's output, or as FORMAT gives them
median() {
    awk -v s="$1" -v f="${2:-%.1f (%.1f–%.1f)}" 'BEGIN {
        split(s, a, " "); if (s == "") printf "—"; else printf f, a[1], a[2], a[3] }'
}
echo
echo "A bare Qt 6 window of the same shape (bench/bare_qt_window.cpp): first painted frame" \
    "$(median "$(figure bare-start first_frame_ms)") ms in the same back-to-back starts, CPU" \
    "until then $(median "$(figure bare-start first_damage_cpu_ms)" %.1f) ms; after 13 s of" \
    "idling $(median "$(figure bare first_frame_ms)") ms, with" \
    "$(median "$(figure bare first_damage_major_faults)" %.0f) major faults (median)."
