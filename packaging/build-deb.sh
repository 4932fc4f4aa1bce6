#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the DEB package (and its -dbgsym package) from a Release build in ./build-deb, with
# Debian's hardening flags. Needs dpkg-dev and file (scripts/install-deps.sh --test).
set -euo pipefail
cd "$(dirname "$0")/.."

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTARVEX_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "${launcher[@]}"
cmake --build build-deb -j"$(nproc)"
(cd build-deb && cpack)
ls -l build-deb/*.deb build-deb/*.ddeb 2>/dev/null || true
