#!/bin/sh

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks that a program file carries its package metadata note: an allocated SHT_NOTE
# section .note.package with owner "FDO", type 0xcafe1a7e and a JSON description naming
# the package and its version.
# usage: check_elf_note.sh <program> [version]   (version defaults to 1.0.0)
set -eu
program=$1
version=${2:-1.0.0}
fail() {
    echo "check_elf_note: $*" >&2
    exit 1
}
command -v readelf >/dev/null 2>&1 || { echo "readelf not found: skipped"; exit 77; }

sections=$(LC_ALL=C readelf -W -S "$program")
line=$(printf '%s\n' "$sections" | grep ' \.note\.package ') || fail "no .note.package section"
printf '%s\n' "$line" | grep -q ' NOTE ' || fail ".note.package is not a note section: $line"
printf '%s\n' "$line" | grep -Eq ' A[A-Z]* ' || fail ".note.package is not allocated: $line"

notes=$(LC_ALL=C readelf -W -n "$program")
printf '%s\n' "$notes" | grep -Eq '^[[:space:]]+FDO[[:space:]]+0x[0-9a-f]+[[:space:]]+(FDO_PACKAGING_METADATA|Unknown note type: \(0xcafe1a7e\))' ||
    fail "no FDO packaging metadata note"

json=$(LC_ALL=C readelf -W -p .note.package "$program")
for field in '"type":"deb"' '"name":"pokotama"' "\"version\":\"$version\""; do
    printf '%s\n' "$json" | grep -qF "$field" || fail "the note lacks $field"
done
printf '%s\n' "$notes" | grep -A1 '^[[:space:]]*FDO[[:space:]]'
echo "package note ok"
