#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and starts the viewer with the bundled sample
# data folder as its start directory. Without a usable display it runs the viewer under Xvfb and
# saves a screenshot of the main window instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/install-deps.sh
scripts/build.sh >/dev/null

samples="$root/build/sample-data"
rm -rf "$samples"
build/src/tarvex sample "$samples"

viewer="$root/build/src/tarvex-viewer"
cd "$samples"
if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    exec "$viewer"
fi

echo "No display available: running the viewer under Xvfb and saving a screenshot instead."
shot="$root/build/viewer-screenshot.png"
n=99
while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $viewer_pid $xvfb_pid 2>/dev/null || true' EXIT
export DISPLAY=":$n"
if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
    export XDG_RUNTIME_DIR="$root/build/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$viewer" &
viewer_pid=$!
sleep 4
import -window root "$shot"
echo "Screenshot of the main window: $shot"
