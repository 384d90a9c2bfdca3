#!/bin/sh
# run-under-wine.sh PROGRAM.exe [ARGUMENT...] — runs a Windows program under Wine, as the cross
# build runs its tests, and passes on its output and exit code.
#
# The output goes through a file, not straight to whoever started this: the helper processes
# that a Wine program starts on demand (the desktop, services, consoles) inherit its output and
# outlive it, so a pipe it wrote to would stay open, and a reader waiting for its end (CTest, a
# pipe to tee) would wait until the Wine session ends.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
wine "$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
exit "$status"
