# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers for end-to-end scripts that start the real viewer: source it after setting VIEWER and
# E2E_WORK. Gives a display (DISPLAY when it works, otherwise an Xvfb of its own), a private
# runtime folder for the instance lock, and functions to wait for and answer the viewer's windows.
set -uo pipefail

: "${VIEWER:?path to tarvex-viewer}"
: "${E2E_WORK:?scratch folder}"
rm -rf "$E2E_WORK"
mkdir -p -m 700 "$E2E_WORK/runtime"
export XDG_RUNTIME_DIR="$E2E_WORK/runtime" # a lock of our own, away from other runs
unset QT_QPA_PLATFORM

started=()
stop_started() {
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
}
trap stop_started EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
finish() {
    if ((failures != 0)); then
        for log in "$E2E_WORK"/*.log; do
            [[ -s $log ]] && { echo "--- $log" >&2; cat "$log" >&2; }
        done
        echo "$failures check(s) failed (screenshots in $E2E_WORK)" >&2
        exit 1
    fi
    echo "all checks passed (screenshots in $E2E_WORK)"
}

display_works() { [[ -n ${1:-} ]] && xdpyinfo -display "$1" >/dev/null 2>&1; }
use_display() {
    display_works "${DISPLAY:-}" && return 0
    local n
    for n in $(seq 140 180); do
        [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
        Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        started+=($!)
        for _ in $(seq 50); do display_works ":$n" && break; sleep 0.1; done
        if display_works ":$n"; then
            export DISPLAY=":$n"
            return 0
        fi
    done
    echo "FAIL: no display" >&2
    exit 1
}

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

# The visible windows of a process titled exactly with the application title: the main window
# and the message boxes.
windows_of() { xdotool search --all --onlyvisible --pid "$1" --name '^Tarvex Data Viewer$' 2>/dev/null || true; }
window_count() { windows_of "$1" | grep -c . || true; }
has_windows() { (($(window_count "$1") >= $2)); }
fewer_windows() { (($(window_count "$1") < $2)); }

# The smallest visible window of a process: a message box over the main window.
smallest_window() {
    local w best='' best_area=-1
    for w in $(windows_of "$1"); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        if ((best_area < 0 || WIDTH * HEIGHT < best_area)); then
            best=$w
            best_area=$((WIDTH * HEIGHT))
        fi
    done
    echo "$best"
}

# wait_idle PID: until the process sleeps and used no processor time for half a second.
cpu_time() { awk '$3 == "S" { print $14 + $15 }' "/proc/$1/stat" 2>/dev/null; }
wait_idle() {
    local last=-1 now
    for _ in $(seq 120); do
        now=$(cpu_time "$1")
        [[ -n $now && $now == "$last" ]] && return 0
        last=$now
        sleep 0.5
    done
    return 1
}

press() {
    xdotool windowfocus --sync "$1"
    sleep 0.2
    xdotool key "$2"
}

# reap PID: waits for a started process and sets $code to its exit status. Not in a command
# substitution: a subshell cannot wait for its parent's children and may report -1.
reap() {
    code=0
    wait "$1" || code=$?
}

# start_viewer NAME ARGS...: starts the viewer in the background as $pid, output in NAME.log.
start_viewer() {
    local name=$1
    shift
    "$VIEWER" "$@" >"$E2E_WORK/$name.log" 2>&1 &
    pid=$!
    started+=("$pid")
}

# main_window_up PID: its main window is shown and it has finished what it started with.
main_window_up() {
    wait_for 30 has_windows "$1" 1 && wait_idle "$1"
}

# answer_boxes PID COUNT: answers COUNT message boxes over the main window one after the
# other with Return; fails when one does not come or when one more is left afterwards.
answer_boxes() {
    local pid=$1 want=$2 box i
    for ((i = 1; i <= want; i++)); do
        wait_for 30 has_windows "$pid" 2 || return 1
        box=$(smallest_window "$pid")
        import -window root "$E2E_WORK/message-$pid-$i.png"
        press "$box" Return
        wait_for 20 fewer_windows "$pid" 2 || return 1
    done
    wait_idle "$pid"
    (($(window_count "$pid") == 1))
}
