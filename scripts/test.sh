#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets everything up on a fresh Debian 12 machine and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --test
eval "$(scripts/start-services.sh)"
scripts/build.sh
cd build
ctest --output-on-failure -j"$(nproc)" --timeout 600
