#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs ぽこたま's user paths in real desktop environments on this machine, with real key and
# mouse input (XTest), each environment set up and torn down in a D-Bus session of its own by
# scripts/desktops/environment.py: one line per check, the summary last.
#
#   scripts/desktops.sh [ENVIRONMENT…]     all of them when none is named
#
# Environments: the window managers openbox, xfwm4 and metacity on Xvfb; weston (Wayland) on
# Xvfb through its X11 backend, with Xwayland; the input methods ibus and fcitx5 with Mozc on
# Xvfb with a jp106 keyboard; the screen reader Orca on Xvfb under openbox; and, run only when
# named, wine-fcitx5: the Windows build that POKOTAMA_WINDOWS_PROGRAM names, under Wine with
# fcitx5 and Mozc over XIM (scripts/windows.sh runs it). The program and
# the runs work as an unprivileged user (nobody, when started as root), with a runtime folder
# and, for each environment, a home of their own that go afterwards. Installs what is missing
# and builds build/pokotama first, unless POKOTAMA_PROGRAM names another build of the program.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh

ENVIRONMENTS=(openbox xfwm4 metacity weston ibus fcitx5 orca)
DESKTOP_PACKAGES=(openbox xfwm4 metacity weston xwayland qt6-wayland dbus at-spi2-core
    python3-pyatspi python3-xlib x11-utils x11-xkb-utils ibus ibus-mozc mozc-server fcitx5
    fcitx5-mozc fcitx5-frontend-qt6 orca speech-dispatcher xclip)
# Each environment's whole run, set-up and tear-down included.
ENVIRONMENT_SECONDS=300

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${DESKTOP_PACKAGES[@]}"
windows_program=${POKOTAMA_WINDOWS_PROGRAM:-}
[ -z "$windows_program" ] || ensure_packages wine wine64
program=${POKOTAMA_PROGRAM:-}
if [ -z "$program" ]; then
    [ -f build/CMakeCache.txt ] || cmake -S . -B build >/dev/null
    cmake --build build --parallel "$(nproc)" --target pokotama >/dev/null
    program=build/pokotama
fi

# The program and the runner go to a folder of the user's own, so that the checkout's
# permissions do not matter.
work=$(mktemp -d /tmp/pokotama-desktops.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/runtime"
cp "$program" "$work/pokotama"
windows_environment=()
if [ -n "$windows_program" ]; then
    cp "$windows_program" "$work/pokotama.exe"
    windows_environment=(POKOTAMA_WINDOWS_PROGRAM="$work/pokotama.exe")
fi
cp scripts/desktops/*.py "$work/"
chmod 700 "$work/runtime"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$work"
    as_user=(runuser -u nobody --)
fi

# run_environment NAME LOG: one environment's run, in a fresh home, its lines kept in LOG.
run_environment() {
    local environment=$1 log=$2 begun=$SECONDS home status
    home=$(mktemp -d "$work/home-$environment.XXXX")
    [ ${#as_user[@]} -eq 0 ] || chown nobody:nogroup "$home"
    # A run that overstays its time is ended, and counts as failed.
    set +e
    "${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$work/runtime" \
        LANG=C.UTF-8 "${windows_environment[@]}" \
        timeout -k 10 "$ENVIRONMENT_SECONDS" dbus-run-session -- \
        /usr/bin/python3 "$work/environment.py" "$environment" "$work/pokotama" >"$log" 2>&1
    status=$?
    set -e
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        echo "FAIL $environment: ended after $((SECONDS - begun)) s" >>"$log"
    fi
}

started=$SECONDS
results=$work/results
for environment in "${@:-${ENVIRONMENTS[@]}}"; do
    run_environment "$environment" "$work/run"
    # Input methods and the screen reader answer the program over D-Bus at their own pace,
    # so an environment that failed is run once more: a fault of the program fails twice.
    if grep -q '^FAIL ' "$work/run"; then
        cat "$work/run"
        echo "-- $environment failed; running it once more"
        run_environment "$environment" "$work/run"
        grep -q '^FAIL ' "$work/run" || sed -i '/^ok /s/$/ (on a second run)/' "$work/run"
    fi
    cat "$work/run"
    grep -E '^(ok|FAIL) ' "$work/run" >>"$results" || true
done

passed=$(grep -c '^ok ' "$results" || true)
failed=$(grep -c '^FAIL ' "$results" || true)
echo "desktops: $passed passed, $failed failed ($((SECONDS - started)) s)"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
