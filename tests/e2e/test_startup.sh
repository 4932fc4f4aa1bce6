#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real viewer on a display: its main window comes up, a second instance (also one
# started from a copy of the executable elsewhere) says that one is already running and ends
# while the first stays, and File > Exit with Yes ends the first.
# Needs $VIEWER (tarvex-viewer) and $E2E_WORK (a scratch folder).
source "$(dirname "$0")/viewer_lib.sh"
use_display
cd "$E2E_WORK"

# 1. The first instance: start-up picture, then the main window.
start_viewer first
first=$pid
wait_for 20 has_windows "$first" 1 || { fail "the main window did not appear"; finish; }
main_window=$(windows_of "$first" | head -1)
sleep 1
import -window root "$E2E_WORK/first-instance.png"

# 2. A second instance shows "already running" in a message box of its own and ends, also when
# it is started from another path: the lock belongs to the user, not to the executable.
mkdir -p "$E2E_WORK/elsewhere"
cp "$VIEWER" "$E2E_WORK/elsewhere/viewer-copy"
for second_viewer in "$VIEWER" "$E2E_WORK/elsewhere/viewer-copy"; do
    VIEWER=$second_viewer start_viewer second
    second=$pid
    wait_for 20 has_windows "$second" 1 || { fail "$second_viewer showed no message"; finish; }
    box=$(windows_of "$second" | head -1)
    eval "$(xdotool getwindowgeometry --shell "$box")"
    ((WIDTH < 800 && HEIGHT < 300)) || fail "$second_viewer: no message box (${WIDTH}x${HEIGHT})"
    # Over where that instance's viewer would stand: about the middle of the screen.
    read -r screen_w screen_h < <(xdotool getdisplaygeometry)
    ((${X} + WIDTH / 2 > screen_w / 3 && ${X} + WIDTH / 2 < screen_w * 2 / 3 &&
        ${Y} + HEIGHT / 2 > screen_h / 3 && ${Y} + HEIGHT / 2 < screen_h * 2 / 3)) ||
        fail "the message box is not over the middle of the screen (${X},${Y} ${WIDTH}x${HEIGHT})"
    import -window root "$E2E_WORK/second-instance-$(basename "$second_viewer").png"
    running "$second" || fail "$second_viewer did not wait for its message"
    press "$box" Return
    wait_for 20 ended "$second" || fail "$second_viewer did not end after its message"
    reap "$second"
    ((code != 0)) || fail "$second_viewer ended with exit code 0"
    running "$first" || fail "the first instance ended too"
done
rm -rf "$E2E_WORK/elsewhere"

# 3. File > Exit asks "Exit - are you sure?"; Yes ends the program.
# A busy machine may open the menu late: try again rather than type into nothing.
for _ in 1 2 3; do
    press "$main_window" alt+f
    sleep 0.5
    xdotool key x
    wait_for 8 has_windows "$first" 2 && break
    xdotool key Escape
done
has_windows "$first" 2 || { fail "File > Exit asked nothing"; finish; }
question=$(windows_of "$first" | grep -vx "$main_window" | head -1)
import -window root "$E2E_WORK/exit-question.png"
press "$question" alt+y
wait_for 20 ended "$first" || fail "the program did not end after Yes"
reap "$first"
((code == 0)) || fail "the program ended with exit code $code"
[[ -z "$(ls -A "$XDG_RUNTIME_DIR")" ]] || fail "the instance lock was left behind"
finish
