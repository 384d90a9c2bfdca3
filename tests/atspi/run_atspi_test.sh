#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the program as a screen reader meets it: its own X server (Xvfb), D-Bus session and
# accessibility bus, then the pyatspi client that drives it. Every process it starts is ended
# on the way out. Usage: run_atspi_test.sh PROGRAM CLIENT.py
set -euo pipefail

program=$1
client=$2

# A private session bus first: the accessibility bus and the program find each other on it.
if [ -z "${POKOTAMA_ATSPI_SESSION:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "FAIL: dbus-run-session missing (package dbus)"; exit 2; }
    POKOTAMA_ATSPI_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi

fail() {
    echo "FAIL: $*" >&2
    exit 2
}

# Debian's own Python: pyatspi is a Debian package, not one of pip's.
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || fail "no python3 with pyatspi (package python3-pyatspi)"

launcher=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher \
    /usr/lib/at-spi2/at-spi-bus-launcher 2>/dev/null | head -n 1 || true)
[ -n "$launcher" ] || fail "at-spi-bus-launcher missing (package at-spi2-core)"
command -v Xvfb >/dev/null || fail "Xvfb missing (package xvfb)"

work=$(mktemp -d)
started=()

# Ends a process we started and whatever it started in turn (the accessibility bus's daemon
# and the registry it activates), children first, each reaped by its parent before the parent
# goes.
end_tree() {
    local pid=$1 child tries=40
    for child in $(ps -o pid= --ppid "$pid" 2>/dev/null); do
        end_tree "$child"
    done
    kill "$pid" 2>/dev/null || return 0
    while [ -n "$(ps -o pid= -p "$pid" 2>/dev/null)" ] && [ "$tries" -gt 0 ]; do
        tries=$((tries - 1))
        sleep 0.05
    done
}

# The registry that the accessibility bus starts for the program runs detached from it.
registry_pid() {
    local address
    address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress 2>/dev/null) || return 0
    dbus-send --bus="${address// /}" --print-reply=literal --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID \
        string:org.a11y.atspi.Registry 2>/dev/null | awk '{ print $2 }'
}

clean_up() {
    local i registry
    registry=$(registry_pid)
    if [ -n "$registry" ]; then
        started+=("$registry")
    fi
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do
        end_tree "${started[i]}"
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap clean_up EXIT
trap 'exit 3' INT TERM

waited() {
    local tries=$1
    shift
    while ! "$@" 2>/dev/null; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" >/dev/null 2>&1 &
started+=($!)
waited 100 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -n 1 "$work/display")

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The accessibility bus, switched on as a desktop does when a screen reader runs.
"$launcher" --launch-immediately --a11y=1 >/dev/null 2>&1 &
started+=($!)
# Asked of the bus itself: asking org.a11y.Bus would have D-Bus start a launcher of its own.
a11y_bus_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q 'boolean true'
}
waited 100 a11y_bus_up || fail "the accessibility bus did not start"

QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
started+=($!)

status=0
"$python" "$client" || status=$?
if [ "$status" -ne 0 ]; then
    echo "--- program output ---" >&2
    cat "$work/program.log" >&2
fi
exit "$status"
