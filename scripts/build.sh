#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into ./build (warnings are errors for our code).
#   build.sh               everything the configuration has (with the tests when GoogleTest is there)
#   build.sh TARGET...     only those targets, e.g. build.sh tarvex-viewer tarvex
set -euo pipefail
cd "$(dirname "$0")/.."

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEX_WERROR=ON "${launcher[@]}"
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build -j"$(nproc)" "${targets[@]}"
