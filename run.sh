#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds ぽこたま and starts it. Without a display it takes a
# screenshot under Xvfb instead and prints its path.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}"

cmake -S . -B build >/dev/null
cmake --build build --parallel "$(nproc)" --target pokotama

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/pokotama
fi
echo "No display: taking a screenshot of the window under Xvfb instead."
ensure_packages imagemagick x11-apps >/dev/null
xvfb-run -a -s "-screen 0 1024x768x24" scripts/screenshot.sh build/pokotama build/screenshot.png
echo "$(pwd)/build/screenshot.png"
