#!/bin/sh

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Validates the desktop entry and the AppStream metainfo with the freedesktop tools
# (Debian: desktop-file-utils, appstream). Exits 77 (skipped) when neither is installed.
# usage: validate.sh [packaging directory]
set -eu
dir=${1:-$(dirname "$0")/..}
id=io.github.pokotama.Pokotama
checked=0

if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$dir/$id.desktop"
    echo "desktop entry valid"
    checked=1
fi
if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net "$dir/$id.metainfo.xml"
    checked=1
fi
# The metainfo names the desktop entry it describes, and the program it installs.
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$dir/$id.metainfo.xml"
grep -q "^Exec=pokotama$" "$dir/$id.desktop"
grep -q "<binary>pokotama</binary>" "$dir/$id.metainfo.xml"
# The license it names for the program is one whose text the source tree carries.
license=$(sed -n 's|^ *<project_license>\(.*\)</project_license>$|\1|p' "$dir/$id.metainfo.xml")
[ -n "$license" ] && [ -f "$dir/../LICENSES/$license.txt" ]

if [ "$checked" = 0 ]; then
    echo "neither desktop-file-validate nor appstreamcli found: skipped"
    exit 77
fi
