#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian binary packages from debian/ with dpkg-buildpackage -b -us -uc, then checks
# them with lintian (no error, no warning). dpkg-buildpackage builds inside the tree it is given
# and writes the packages beside it, so it works on a copy in OUT (default ./build-deb): the
# packages end up in OUT, the working tree stays clean. With ccache installed the compiler goes
# through it, so a second build costs little more than linking and packing.
#   build-deb.sh [OUT]
# Needs dpkg-dev, debhelper and lintian (scripts/install-deps.sh --test), and the build
# dependencies of debian/control (scripts/install-deps.sh).
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$src/build-deb}")"
version=$(dpkg-parsechangelog -l "$src/debian/changelog" -S Version)
tree="$out/tarvex-viewer-${version%-*}"

rm -rf "$tree"
mkdir -p "$tree"
# The project's files as the working tree has them, without build trees or version control.
if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$src" ls-files -z --cached --others --exclude-standard |
        (cd "$src" && tar --null --ignore-failed-read -T - -cf -) | tar -xf - -C "$tree"
else
    tar -C "$src" --anchored --exclude='./build*' --exclude=./.git -cf - . | tar -xf - -C "$tree"
fi

if command -v ccache >/dev/null && [[ -d /usr/lib/ccache ]]; then
    export PATH="/usr/lib/ccache:$PATH"
    # debhelper gives the build a HOME of its own: name the cache, and the tree as its base so
    # that the copy's path does not matter.
    CCACHE_DIR="$(ccache --get-config cache_dir)"
    export CCACHE_DIR CCACHE_BASEDIR="$tree" CCACHE_NOHASHDIR=1
fi
(cd "$tree" && dpkg-buildpackage -b -us -uc -j"${TARVEX_DEB_JOBS:-$(nproc)}")

changes=$(ls "$out"/tarvex-viewer_"${version}"_*.changes)
lintian --fail-on error,warning --tag-display-limit 0 "$changes"
ls -l "$out"/*.deb "$out"/*.ddeb 2>/dev/null || true
