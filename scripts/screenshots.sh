#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the user guide's pictures in docs/images/ from the sample data: the viewer runs under an
# Xvfb of its own, opened on the sample data log through its file argument, and xdotool clicks
# through it. Build first (scripts/build.sh tarvex-viewer tarvex); needs xvfb, xdotool and
# imagemagick. The clicks are screen positions of the 1280x800 layout below.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
viewer="$root/build/src/tarvex-viewer"
images="$root/docs/images"
work="${TMPDIR:-/tmp}/tarvex-guide" # the path shows in the status bar
rm -rf "$work"
mkdir -p "$images" "$work/runtime"
chmod 700 "$work/runtime"
"$root/build/src/tarvex" sample "$work" >/dev/null

n=120
while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
viewer_pid=
trap 'kill $viewer_pid $xvfb_pid 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=":$n" XDG_RUNTIME_DIR="$work/runtime"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# idle: until the viewer sleeps without using the processor for half a second.
idle() {
    local last=-1 now
    for _ in $(seq 120); do
        now=$(awk '$3 == "S" { print $14 + $15 }' "/proc/$viewer_pid/stat")
        [[ -n $now && $now == "$last" ]] && return 0
        last=$now
        sleep 0.5
    done
}
click() { # click X Y [KEY]: a click, with KEY held down if given
    xdotool mousemove "$1" "$2"
    if [[ -n ${3:-} ]]; then xdotool keydown "$3" click 1 keyup "$3"; else xdotool click 1; fi
    sleep 0.3
}
shot() { # shot NAME: the screen as a small 256-colour PNG
    idle
    xdotool mousemove 1279 799
    sleep 0.3
    import -window root "$work/runtime/shot.png"
    convert "$work/runtime/shot.png" +dither -colors 128 "PNG8:$images/$1.png"
    echo "$images/$1.png"
}

cd "$work"
"$viewer" plant.csv &
viewer_pid=$!
for _ in $(seq 300); do
    xwininfo -name "Tarvex Data Viewer" 2>/dev/null | grep -q "Map State: IsViewable" && break
    sleep 0.1
done
shot data-log

click 300 722 # the third signature
click 164 87  # Verify Digital Signature
shot verify-signature
xdotool key Return

click 649 125      # Reactor Temp column
click 762 125 ctrl # Jacket Temp column
click 875 125 ctrl # Pressure column
click 56 87        # Plot History File
shot trend

xdotool mousemove 1100 400 # the wheel towards the end of the log
for _ in 1 2 3 4 5 6 7 8; do xdotool click 4; sleep 0.1; done
click 56 87  # Show/Hide Cursor
click 900 400 # the cursor there
shot trend-zoom

click 121 62 # Operator Events tab
shot operator-events

click 400 200 # an operator event
xdotool key ctrl+f
xdotool type --delay 50 "B2403-042"
shot find-bar
xdotool key Escape

click 33 62   # Data tab
click 400 300 # a record
xdotool key ctrl+g
xdotool type --delay 50 "3/4/2024 15:56"
xdotool key Return
shot go-to-time
