#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# First contact on a fresh Debian 12 machine: installs the packages the viewer needs, builds the
# viewer and the batch tool, writes the sample record files and starts the viewer on the sample
# data log. Without a display it runs the viewer under Xvfb and saves a screenshot instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/install-deps.sh
scripts/build.sh tarvex-viewer tarvex

samples="$root/build/sample-data"
rm -rf "$samples"
build/src/tarvex sample "$samples"
echo "Sample record files in $samples"

viewer="$root/build/src/tarvex-viewer"
log="$samples/plant.csv"
cd "$samples"
if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    echo "Starting the viewer on $log (see docs/user-guide.md for what to do next)"
    exec "$viewer" "$log"
fi

shot="$root/build/viewer-screenshot.png"
echo "No display: running the viewer on $log under Xvfb and saving a screenshot to $shot"
n=99
while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
viewer_pid=
trap 'kill $viewer_pid $xvfb_pid 2>/dev/null || true' EXIT
export DISPLAY=":$n"
if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
    export XDG_RUNTIME_DIR="$root/build/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$viewer" "$log" &
viewer_pid=$!

# The log is loaded once the main window is up and the viewer sleeps without using the processor.
cpu_time() { awk '$3 == "S" { print $14 + $15 }' "/proc/$viewer_pid/stat" 2>/dev/null; }
for _ in $(seq 600); do
    xwininfo -name "Tarvex Data Viewer" 2>/dev/null | grep -q "Map State: IsViewable" && break
    sleep 0.1
done
last=-1
for _ in $(seq 120); do
    [[ -e /proc/$viewer_pid ]] || break
    now=$(cpu_time)
    [[ -n $now && $now == "$last" ]] && break
    last=$now
    sleep 0.5
done
kill -0 "$viewer_pid" 2>/dev/null || { echo "The viewer ended early." >&2; exit 1; }
import -window root "$shot"
echo "Screenshot of the viewer with the sample data log loaded: $shot"
echo "On a desktop, run: cd $samples && $viewer plant.csv   (docs/user-guide.md: first steps)"
