#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages the project needs (as root, or through sudo).
#   install-deps.sh         build and run the viewer (Xvfb for machines without a display)
#   install-deps.sh --test  also what the tests need: GoogleTest, CUPS with cups-pdf, xdotool,
#                           PDF tools, the Debian package tools and checkers (dpkg-buildpackage
#                           with debhelper, lintian, desktop-file-validate, appstreamcli, bash
#                           completion), and Python's cryptography (to sign files as another
#                           program would)
set -euo pipefail

packages=(
    cmake g++ make pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev
    libqcustomplot-dev libssl-dev
    fonts-dejavu-core
    xvfb xauth x11-utils imagemagick
)
if [[ "${1:-}" == "--test" ]]; then
    packages+=(googletest libgtest-dev xdotool cups printer-driver-cups-pdf poppler-utils
        dpkg-dev debhelper file lintian desktop-file-utils appstream bash-completion
        python3-cryptography)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || {
        echo "install-deps.sh: run it as root or install sudo; missing: ${missing[*]}" >&2
        exit 1
    }
    sudo=(sudo)
fi
echo "Installing ${#missing[@]} Debian packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q "${missing[@]}"
