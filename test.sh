#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# POKOTAMA_WERROR=ON turns compiler warnings into errors (CI does).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
ensure_german_locale

cmake -S . -B build -DPOKOTAMA_WERROR="${POKOTAMA_WERROR:-OFF}" >/dev/null
cmake --build build --parallel "$(nproc)"
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
