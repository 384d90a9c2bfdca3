#!/bin/sh

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# run-under-wine.sh PROGRAM.exe [ARGUMENT...] — runs a Windows program under Wine, as the cross
# build runs its tests, and passes on its output and exit code.
#
# The output goes through a file, not straight to whoever started this: the helper processes
# that a Wine program starts on demand (the desktop, services, consoles) inherit its output and
# outlive it, so a pipe it wrote to would stay open, and a reader waiting for its end (CTest, a
# pipe to tee) would wait until the Wine session ends.
#
# Now and then, with many programs starting side by side, Wine fails to start one: it ends at
# once with a failure and without a word (a test program always prints something). Such a
# start is tried once more, and said so.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
wine "$@" >"$output" 2>&1 </dev/null
status=$?
if [ "$status" -ne 0 ] && [ ! -s "$output" ]; then
    echo "run-under-wine: $1 ended with status $status before any output; starting it again"
    wine "$@" >"$output" 2>&1 </dev/null
    status=$?
fi
cat "$output"
exit "$status"
