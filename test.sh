#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds the program and its tests in build/ and runs the test suite
# through CTest, whose summary comes last. The checks beyond it (sanitizers, fuzzing, static
# analysis) are scripts/hardening.sh's. POKOTAMA_WERROR=ON turns compiler warnings into errors
# (CI does); POKOTAMA_GUI=OFF leaves out the Qt window and its tests.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
ensure_german_locale

# Without a session bus address Qt would start a bus daemon of its own that outlives the
# tests; the accessibility test starts a private bus for itself.
export DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent/pokotama-tests}"

cmake -S . -B build -DPOKOTAMA_WERROR="${POKOTAMA_WERROR:-OFF}" -DPOKOTAMA_GUI="${POKOTAMA_GUI:-ON}" \
    >/dev/null
cmake --build build --parallel "$(nproc)"
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
