#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tarvex-viewer's command line: --help and --version without a display, one line and exit 2 for
# wrong usage or no display, and FILE opened as "Open History File" opens the chosen file: the
# data log, then its signature and operator event files, each with its own error report.
# Needs $VIEWER, $CLI (for the sample data) and $E2E_WORK.
source "$(dirname "$0")/viewer_lib.sh"
: "${CLI:?path to tarvex}"
W=$E2E_WORK

# run_plain ARGS...: the viewer in the foreground without a display; $status, $out, $err.
run_plain() {
    env -u DISPLAY -u WAYLAND_DISPLAY "$VIEWER" "$@" >"$W/out" 2>"$W/err"
    status=$?
    out=$(cat "$W/out")
    err=$(cat "$W/err")
}
expect() { # expect STATUS STDERR-TEXT WHAT
    ((status == $1)) || fail "$3: exit status $status, expected $1 (stderr: $err)"
    if [[ -z $2 ]]; then
        [[ -z $err ]] || fail "$3: printed on stderr: $err"
    else
        [[ $(wc -l <<<"$err") -eq 1 ]] || fail "$3: expected one line on stderr, got: $err"
        grep -qF -- "$2" <<<"$err" || fail "$3: stderr lacks '$2': $err"
    fi
}

"$CLI" sample "$W/s" >/dev/null || fail "tarvex sample"
mkdir "$W/folder"

run_plain --help
expect 0 "" "--help"
grep -q "^Usage: tarvex-viewer \[OPTION\]... \[FILE\]" <<<"$out" || fail "--help: $out"
grep -q "Open History File" <<<"$out" || fail "--help does not say what FILE is"
run_plain -h "$W/s/plant.csv"
expect 0 "" "-h with a file"
run_plain --version
expect 0 "" "--version"
[[ $out =~ ^tarvex-viewer\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: $out"

cases=(
    "--frobnicate|unknown option '--frobnicate'"
    "-x $W/s/plant.csv|unknown option '-x'"
    "$W/s/plant.csv $W/s/alarms.csv|only one FILE"
    "$W/s/none.csv|no such file: $W/s/none.csv"
    "$W/folder|is a folder"
    "-platform|needs a value"
    "|no display: DISPLAY is not set"
    "$W/s/plant.csv|no display: DISPLAY is not set"
    "-geometry 800x600+0+0 -name tv -title T --visual=1 $W/s/plant.csv|no display: DISPLAY is not set"
)
for c in "${cases[@]}"; do
    read -ra args <<<"${c%%|*}"
    run_plain "${args[@]}"
    expect 2 "${c#*|}" "tarvex-viewer ${c%%|*}"
done

# A display that nobody serves: one line, exit 2, never Qt's abort.
free=200
while [[ -e /tmp/.X11-unix/X$free || -e /tmp/.X$free-lock ]]; do free=$((free + 1)); done
DISPLAY=":$free" "$VIEWER" "$W/s/plant.csv" >"$W/out" 2>"$W/err"
status=$?
err=$(cat "$W/err")
expect 2 "cannot open the display ':$free'" "an unserved display"

use_display
before=$(cd "$W/s" && sha256sum plant.csv plant.sig plant.evt)

# Without FILE the viewer starts empty: the reference picture.
start_viewer empty
main_window_up "$pid" || fail "no main window without a file"
import -window root "$W/empty.png"
(($(window_count "$pid") == 1)) || fail "a message came up without a file"
kill "$pid"

# A relative FILE, from its own folder: no message, the log and its signatures on screen.
cd "$W/s"
start_viewer loaded plant.csv
first=$pid
main_window_up "$first" || fail "no main window with a file"
import -window root "$W/loaded.png"
(($(window_count "$first") == 1)) || fail "a message came up for the sample data log"
changed=$(compare -metric AE -fuzz 10% "$W/empty.png" "$W/loaded.png" null: 2>&1)
((${changed%%.*} > 100000)) || fail "the screen hardly changed with a file ($changed pixels)"

# A second start with a file says "already running" and ends; the first goes on.
start_viewer second "$W/s/alarms.csv"
second=$pid
wait_for 20 has_windows "$second" 1 || fail "the second start showed no message"
box=$(smallest_window "$second")
press "$box" Return
wait_for 20 ended "$second" || fail "the second start did not end after its message"
reap "$second"
((code == 1)) || fail "the second start ended with $code, expected 1"
running "$first" || fail "the first viewer ended too"
kill "$first"
wait "$first" 2>/dev/null

# Damaged companions: each reader reports its own error once, the other files go on loading.
damaged() { # damaged NAME: a copy of the sample log in its own folder
    mkdir -p "$W/$1"
    cp "$W/s/plant.csv" "$W/s/plant.sig" "$W/s/plant.evt" "$W/$1/"
}
damaged badsig
printf '00 11 22\r\n' >"$W/badsig/plant.sig"
damaged badevt
printf '00 11 22\r\n' >"$W/badevt/plant.evt"
# Past 32,766 records the data log is refused, and nothing is read after it.
mkdir -p "$W/big"
{
    printf 'Date,Time,Flow\r\n'
    for ((i = 0; i < 32767; i++)); do printf '3/4/2024,13:05:09,%d\r\n' "$i"; done
} >"$W/big/plant.csv"
printf '00 11 22\r\n' >"$W/big/plant.sig"
printf '00 11 22\r\n' >"$W/big/plant.evt"

for name in badsig badevt big; do
    start_viewer "$name" "$W/$name/plant.csv"
    wait_for 30 has_windows "$pid" 1 || fail "$name: no window"
    answer_boxes "$pid" 1 || fail "$name: expected exactly one error message"
    import -window root "$W/$name.png"
    running "$pid" || fail "$name: the viewer ended"
    kill "$pid"
    wait "$pid" 2>/dev/null
done

[[ $(cd "$W/s" && sha256sum plant.csv plant.sig plant.evt) == "$before" ]] ||
    fail "a record file changed"
finish
