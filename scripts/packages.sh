# SPDX-FileCopyrightText: 2026 森　結
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Debian 12 packages the build, the program and the tests need; sourced by run.sh and test.sh.
# ensure_packages NAME… installs whichever of them are missing (as root, or through sudo).

BUILD_PACKAGES=(cmake make g++ libgtest-dev qt6-base-dev qt6-base-private-dev libgl-dev libxcb1-dev
    libxkbcommon-x11-dev libfontconfig-dev pkg-config)
RUN_PACKAGES=(fonts-motoya-l-maruberi fonts-ipafont-gothic xvfb xauth)
TEST_PACKAGES=(locales x11-utils binutils-mingw-w64-x86-64 desktop-file-utils appstream
    dbus at-spi2-core python3-pyatspi)

ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# as_root COMMAND… runs the command as root: itself when root already, else through sudo.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# A German locale, so the tests can show that numbers ignore the C locale's decimal comma.
ensure_german_locale() {
    if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        return 0
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    "${sudo[@]}" locale-gen >/dev/null
}
