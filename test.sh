#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, then the hardening
# checks (sanitizer build, fuzzing, static analysis: scripts/hardening.sh).
# POKOTAMA_WERROR=ON turns compiler warnings into errors (CI does).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
ensure_german_locale

# Without a session bus address Qt would start a bus daemon of its own that outlives the
# tests; the accessibility test starts a private bus for itself.
export DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent/pokotama-tests}"

cmake -S . -B build -DPOKOTAMA_WERROR="${POKOTAMA_WERROR:-OFF}" >/dev/null
cmake --build build --parallel "$(nproc)"
mkdir -p build/logs
ctest --test-dir build --output-on-failure --parallel "$(nproc)" | tee build/logs/ctest.log

scripts/hardening.sh

# The test runner's summary of the main suite comes last.
grep -E 'tests passed, [0-9]+ tests failed out of' build/logs/ctest.log
