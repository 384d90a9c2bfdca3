#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the Debian package with CPack from the build/ that ./test.sh made, checks it with
# lintian (it fails on any error or warning), installs it with dpkg, starts the installed
# program on a virtual X server until its window shows, and removes the package again.
# Runs as root or through sudo; CI runs it after ./test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

WINDOW_SECONDS=30

# Run by the script itself on the virtual X server: starts the program and waits for its
# window, with a time limit.
if [ "${1:-}" = --on-display ]; then
    program=$2
    "$program" </dev/null >/dev/null 2>&1 &
    pid=$!
    status=0
    timeout "$WINDOW_SECONDS" xdotool search --sync --onlyvisible --pid "$pid" >/dev/null ||
        status=$?
    kill "$pid" 2>/dev/null || status=1 # it must still be running
    wait "$pid" 2>/dev/null || true
    exit $status
fi

# CPack finds the libraries the program needs with file and dpkg-shlibdeps (dpkg-dev).
ensure_packages dpkg-dev file lintian xvfb xauth xdotool
if [ ! -f build/CMakeCache.txt ]; then
    echo "build/ is missing: run ./test.sh first" >&2
    exit 1
fi

rm -f build/pokotama_*.deb
(cd build && cpack -G DEB >/dev/null)
package=$(ls build/pokotama_*.deb)
dpkg-deb --info "$package"

echo "-- lintian"
lintian --profile debian --display-info --fail-on error,warning "$package"
echo "lintian: no errors or warnings"

echo "-- installed"
as_root dpkg -i "$package" >/dev/null
trap 'as_root dpkg --purge pokotama >/dev/null' EXIT
program=$(dpkg -L pokotama | grep -m1 '/bin/pokotama$')
# No session bus: Qt would otherwise start one of its own that outlives the program.
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/pokotama-package
if xvfb-run -a -s "-screen 0 1024x768x24" "$0" --on-display "$program"; then
    echo "$program showed its window"
else
    echo "$program showed no window within $WINDOW_SECONDS seconds" >&2
    exit 1
fi
