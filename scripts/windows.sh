#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-builds ぽこたま and its tests for 64-bit Windows with MinGW-w64 in build-windows/ and
# runs them under Wine: the toolkit-free tests, and the window tests on the offscreen and the
# windows platform on a virtual X server; then the program with fcitx5 and Mozc over Wine's XIM
# (scripts/desktops.sh wine-fcitx5). Its last line is CTest's summary.
#
#   scripts/windows.sh              build, test, and make the ZIP package (build-windows/)
#   scripts/windows.sh screenshot   build the program and take docs/windows.png under Wine
#
# The window needs a Qt for MinGW: the static Qt 6.4.2 archive named by
# $POKOTAMA_QT_MINGW_ARCHIVE, or else the one in ../shared/windows/ beside this checkout,
# unpacked once into $POKOTAMA_CACHE (~/.cache/pokotama by default;
# Wine's files go there too). Without one only the toolkit-free part is built and tested, and
# the script says so. POKOTAMA_WERROR=ON turns compiler warnings into errors (CI does).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

mode=${1:-test}
repo=$(pwd)
cache=${POKOTAMA_CACHE:-$HOME/.cache/pokotama}
build="build-windows"
qt_archive_name=qt-mingw-6.4.2-static.tar.xz

# One Wine session for the whole run, kept by a persistent wineserver (Wine's cold start costs
# seconds per program), with its own output going nowhere; the tests run through
# cmake/run-under-wine.sh.
export WINEPREFIX=$cache/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
start_wine() {
    wineserver -k 2>/dev/null || true
    if [ ! -f "$WINEPREFIX/pokotama.stamp" ]; then
        echo "Setting up Wine in $WINEPREFIX"
        wineboot -i </dev/null >/dev/null 2>&1
        # One virtual desktop for all windows: Wine is its own window manager there, instead of
        # waiting two seconds for a window manager that Xvfb lacks each time a window hides.
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f \
            >/dev/null 2>&1
        # Wine's window captions in a font that has Japanese.
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Tahoma /d IPAPGothic /f \
            >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/pokotama.stamp"
    fi
    # The fonts "installed" on this Windows: on the offscreen platform Qt reads them from there.
    local font
    for font in /usr/share/fonts/truetype/motoya-l-maruberi/MTLmr3m.ttf \
        /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf \
        /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf \
        /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf; do
        ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    wineserver -p </dev/null >/dev/null 2>&1
    wineboot </dev/null >/dev/null 2>&1
}

# Starts the program, keys 1 2 ＋ 3 ＝ with the mouse, opens the About window and photographs
# Wine's desktop around both windows into docs/windows.png.
take_screenshot() {
    (wine "$build/pokotama.exe" </dev/null >/dev/null 2>&1 &)
    local main="" about="" _
    for _ in $(seq 100); do
        main=$(xdotool search --name '^ぽこたま$' 2>/dev/null | head -1 || true)
        [ -n "$main" ] && break
        sleep 0.2
    done
    [ -n "$main" ] || { echo "The program's window did not appear." >&2; return 1; }
    sleep 1
    # Points in the window, whose frame's corner is 0,0: the keys 1 2 ＋ 3 ＝, then the menu
    # バージョン and its item.
    local point
    for point in "131 462" "219 462" "428 302" "308 462" "524 309" "38 30" "65 54"; do
        # shellcheck disable=SC2086 # two numbers
        xdotool mousemove --window "$main" $point click 1
        sleep 0.4
    done
    about=$(xdotool search --name '^ﾊﾞｰｼﾞｮﾝ情報$' 2>/dev/null | head -1 || true)
    [ -n "$about" ] || { echo "The About window did not appear." >&2; return 1; }
    sleep 1.5 # the lamps run a few ticks
    # Both windows with a margin of the desktop around them.
    local crop
    crop=$(for window in "$main" "$about"; do xwininfo -id "$window"; done | awk '
        /Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {
            h = $2
            if (n++ == 0 || x < left) left = x; if (n == 1 || y < top) top = y
            if (x + w > right) right = x + w; if (y + h > bottom) bottom = y + h
        }
        END {printf "%dx%d+%d+%d", right - left + 24, bottom - top + 24, left - 12, top - 12}')
    import -window root -crop "$crop" docs/windows.png
}

# Run by the script itself on the virtual X server: starts Wine there, then the command.
if [ "$mode" = --on-display ]; then
    shift
    start_wine
    trap 'wineserver -k' EXIT
    "$@"
    exit
fi

WINDOWS_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest
    qt6-base-dev qt6-base-dev-tools wine wine64 xvfb xauth xz-utils
    fonts-motoya-l-maruberi fonts-ipafont-gothic fonts-dejavu-core)
ensure_packages "${WINDOWS_PACKAGES[@]}"
if [ "$mode" = screenshot ]; then
    ensure_packages xdotool imagemagick x11-utils
fi

find_qt_archive() {
    local candidate
    for candidate in "${POKOTAMA_QT_MINGW_ARCHIVE:-}" "../shared/windows/$qt_archive_name"; do
        if [ -n "$candidate" ] && [ -f "$candidate" ]; then
            readlink -f "$candidate"
            return
        fi
    done
}

# Unpacks the archive into the cache unless that very archive is unpacked there already.
unpack_qt() {
    local archive=$1 stamp
    stamp="$(stat -c '%s %Y' "$archive") $archive"
    if [ "$(cat "$cache/qt-mingw.stamp" 2>/dev/null)" != "$stamp" ]; then
        echo "Unpacking $archive into $cache"
        rm -rf "$cache/qt-mingw" "$cache/qt-mingw.stamp" "$cache/qt-mingw.tmp"
        mkdir -p "$cache/qt-mingw.tmp"
        tar -C "$cache/qt-mingw.tmp" -xJf "$archive"
        mv "$cache/qt-mingw.tmp/qt-mingw" "$cache/qt-mingw"
        rmdir "$cache/qt-mingw.tmp"
        echo "$stamp" >"$cache/qt-mingw.stamp"
    fi
}

# What the package says of the Qt linked into the program, for its Qt/ folder
# (packaging/windows/): Qt's license and Debian's account of Qt's copyright as Debian 12 ships
# them with the same Qt, the note on where its source is, and the script that built it.
gather_qt_legal() {
    local archive=$1 dir=$build/qt-legal
    local script
    script=$(dirname "$archive")/build-qt-mingw.sh
    if [ ! -f "$script" ]; then
        echo "No build-qt-mingw.sh beside $archive: the package could not say how its Qt" \
            "was built." >&2
        exit 1
    fi
    rm -rf "$dir"
    mkdir -p "$dir"
    cp /usr/share/common-licenses/LGPL-3 "$dir/LGPL-3.0-only.txt"
    cp /usr/share/doc/libqt6core6/copyright "$dir/copyright.txt"
    cp packaging/windows/qt-readme.txt "$dir/README.txt"
    cp "$script" "$dir/"
}

gui=ON
qt_archive=$(find_qt_archive)
if [ -n "$qt_archive" ]; then
    unpack_qt "$qt_archive"
    gather_qt_legal "$qt_archive"
else
    gui=OFF
    [ "$mode" = screenshot ] && { echo "No $qt_archive_name: no program to photograph." >&2; exit 1; }
fi

configure_and_build() {
    local qt_options=()
    if [ "$gui" = ON ]; then
        qt_options=(-DCMAKE_PREFIX_PATH="$cache/qt-mingw" -DQT_HOST_PATH=/usr
            -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
            -DPOKOTAMA_QT_LEGAL_DIR="$repo/$build/qt-legal")
    fi
    cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
        -DPOKOTAMA_GTEST_SOURCE_DIR=/usr/src/googletest \
        -DPOKOTAMA_GUI="$gui" -DPOKOTAMA_WERROR="${POKOTAMA_WERROR:-OFF}" \
        "${qt_options[@]}" >/dev/null
    cmake --build "$build" --parallel "$(nproc)" "$@"
}

if [ "$mode" = screenshot ]; then
    configure_and_build --target pokotama
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --on-display take_screenshot
    echo "$repo/docs/windows.png"
    exit 0
fi

configure_and_build
mkdir -p "$build/logs"
xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --on-display \
    ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 300 |
    tee "$build/logs/ctest.log"

if [ "$gui" = ON ]; then
    # The ZIP package for users, which must hold the program (with a static Qt, all of it) and
    # the licenses of the program and of Qt.
    rm -f "$build"/pokotama-*.zip
    (cd "$build" && cpack -G ZIP >/dev/null)
    package=$(ls "$build"/pokotama-*.zip)
    # Listed once: grep -q stops reading at its first match, which would fail a pipe from tar.
    contents=$(cmake -E tar tf "$package")
    for file in bin/pokotama.exe LICENSES/GPL-3.0-or-later.txt Qt/LGPL-3.0-only.txt Qt/README.txt; do
        grep -qF "/$file" <<<"$contents" || { echo "$package lacks $file" >&2; exit 1; }
    done
    echo "Package: $repo/$package ($(grep -vc '/$' <<<"$contents") files)"
    # What a user typing with an input method gets under Wine, with real input.
    POKOTAMA_WINDOWS_PROGRAM="$build/pokotama.exe" scripts/desktops.sh wine-fcitx5
else
    cat <<EOF

************************************************************************************************
* The Windows window and its tests were SKIPPED: no Qt for MinGW-w64 was found (looked for
* \$POKOTAMA_QT_MINGW_ARCHIVE and ../shared/windows/$qt_archive_name). Only the
* toolkit-free libraries were built for Windows and tested under Wine.
************************************************************************************************
EOF
fi

# The test runner's summary comes last.
grep -E 'tests passed, [0-9]+ tests failed out of' "$build/logs/ctest.log"
