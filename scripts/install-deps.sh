#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs.
#   install-deps.sh         build and run the viewer
#   install-deps.sh --test  also what the tests need (CUPS with cups-pdf, Xvfb, PDF tools)
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev
    libqcustomplot-dev libssl-dev
    fonts-dejavu-core
    xvfb xauth x11-utils imagemagick
)
if [[ "${1:-}" == "--test" ]]; then
    packages+=(googletest libgtest-dev xdotool cups printer-driver-cups-pdf poppler-utils)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
