#!/usr/bin/env bash
# Starts the real viewer on a display: its main window comes up, a second instance says that one
# is already running and ends while the first stays, and File > Exit with Yes ends the first.
# Needs $VIEWER (tarvex-viewer) and $E2E_WORK (a scratch folder); uses $DISPLAY when it works,
# otherwise an Xvfb of its own.
set -euo pipefail

: "${VIEWER:?path to tarvex-viewer}"
: "${E2E_WORK:?scratch folder}"
rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK/runtime"
chmod 700 "$E2E_WORK/runtime"
export XDG_RUNTIME_DIR="$E2E_WORK/runtime" # a lock of our own, away from other runs
unset QT_QPA_PLATFORM

started=()
cleanup() {
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    for log in "$E2E_WORK"/*.log; do
        [[ -s "$log" ]] && { echo "--- $log" >&2; cat "$log" >&2; }
    done
    exit 1
}

display_works() { [[ -n "${1:-}" ]] && xdpyinfo -display "$1" >/dev/null 2>&1; }

if ! display_works "${DISPLAY:-}"; then
    for n in $(seq 140 180); do
        [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
        Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
        started+=($!)
        for _ in $(seq 50); do display_works ":$n" && break; sleep 0.1; done
        if display_works ":$n"; then
            export DISPLAY=":$n"
            break
        fi
    done
fi
display_works "${DISPLAY:-}" || fail "no display"

# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
    local limit=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < limit)) || return 1
        sleep 0.2
    done
}

running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    [[ $state != Z* ]]
}
ended() { ! running "$1"; }

# The visible windows of a process titled exactly with the application title.
windows_of() { xdotool search --all --onlyvisible --pid "$1" --name '^Tarvex Data Viewer$' 2>/dev/null || true; }
window_count() { windows_of "$1" | grep -c . || true; }
has_windows() { (($(window_count "$1") >= $2)); }

press() {
    xdotool windowfocus --sync "$1"
    sleep 0.2
    xdotool key "$2"
}

exit_code() {
    local code=0
    wait "$1" || code=$?
    echo "$code"
}

cd "$E2E_WORK"

# 1. The first instance: start-up picture, then the main window.
"$VIEWER" >"$E2E_WORK/first.log" 2>&1 &
first=$!
started+=("$first")
wait_for 20 has_windows "$first" 1 || fail "the main window did not appear"
main_window=$(windows_of "$first" | head -1)
sleep 1
import -window root "$E2E_WORK/first-instance.png"

# 2. A second instance shows "already running" in a message box of its own and ends.
"$VIEWER" >"$E2E_WORK/second.log" 2>&1 &
second=$!
started+=("$second")
wait_for 20 has_windows "$second" 1 || fail "the second instance showed no message"
box=$(windows_of "$second" | head -1)
eval "$(xdotool getwindowgeometry --shell "$box")"
((WIDTH < 800 && HEIGHT < 300)) || fail "the second instance's window is no message box (${WIDTH}x${HEIGHT})"
# Over where that instance's viewer would stand: about the middle of the screen.
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
((${X} + WIDTH / 2 > screen_w / 3 && ${X} + WIDTH / 2 < screen_w * 2 / 3 &&
    ${Y} + HEIGHT / 2 > screen_h / 3 && ${Y} + HEIGHT / 2 < screen_h * 2 / 3)) ||
    fail "the message box is not over the middle of the screen (${X},${Y} ${WIDTH}x${HEIGHT})"
import -window root "$E2E_WORK/second-instance.png"
running "$second" || fail "the second instance did not wait for its message"
press "$box" Return
wait_for 20 ended "$second" || fail "the second instance did not end after its message"
code=$(exit_code "$second")
((code != 0)) || fail "the second instance ended with exit code 0"
running "$first" || fail "the first instance ended too"

# 3. File > Exit asks "Exit - are you sure?"; Yes ends the program.
# A busy machine may open the menu late: try again rather than type into nothing.
for _ in 1 2 3; do
    press "$main_window" alt+f
    sleep 0.5
    xdotool key x
    wait_for 8 has_windows "$first" 2 && break
    xdotool key Escape
done
has_windows "$first" 2 || fail "File > Exit asked nothing"
question=$(windows_of "$first" | grep -vx "$main_window" | head -1)
import -window root "$E2E_WORK/exit-question.png"
press "$question" alt+y
wait_for 20 ended "$first" || fail "the program did not end after Yes"
code=$(exit_code "$first")
((code == 0)) || fail "the program ended with exit code $code"
[[ -z "$(ls -A "$XDG_RUNTIME_DIR")" ]] || fail "the instance lock was left behind"

echo "PASS: start-up, second instance and exit (screenshots in $E2E_WORK)"
