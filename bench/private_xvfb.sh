# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the bench scripts: start_private_xvfb starts an Xvfb of our own on a free
# display, points DISPLAY (and Qt) at it, gives the run a scratch directory $work, and ends
# both when the script exits.

start_private_xvfb() {
    work=$(mktemp -d)
    xvfb_pid=
    trap stop_private_xvfb EXIT
    trap 'exit 130' INT TERM

    # -displayfd lets the server pick a free display number and tell us which.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
    export QT_QPA_PLATFORM=xcb
    # No session bus: without an address libdbus would autolaunch a dbus-daemon that outlives us.
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

stop_private_xvfb() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
