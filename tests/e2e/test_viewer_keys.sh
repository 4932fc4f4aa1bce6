#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# F5 in the real viewer opens the shown data log again as it now is on disk, without a dialog or
# a message: a shortened log shows less, the whole log again shows what it showed at first.
# Needs $VIEWER, $CLI (for the sample data) and $E2E_WORK.
source "$(dirname "$0")/viewer_lib.sh"
: "${CLI:?path to tarvex}"
W=$E2E_WORK

"$CLI" sample "$W/s" >/dev/null || fail "tarvex sample"
cp "$W/s/plant.csv" "$W/whole.csv"
use_display

start_viewer keys "$W/s/plant.csv"
main_window_up "$pid" || { fail "no main window with a file"; finish; }
main_window=$(windows_of "$pid" | head -1)
import -window root "$W/whole.png"

# reload NAME: F5, then the picture once the viewer is idle again.
reload() {
    press "$main_window" F5
    sleep 0.5
    wait_idle "$pid"
    import -window root "$W/$1.png"
    (($(window_count "$pid") == 1)) || fail "$1: a message or dialog came up"
}
differing() { # differing A B: pixels that differ between two pictures
    local n
    n=$(compare -metric AE -fuzz 10% "$W/$1.png" "$W/$2.png" null: 2>&1)
    echo "${n%%.*}"
}

head -3 "$W/whole.csv" >"$W/s/plant.csv"
reload shortened
(($(differing whole shortened) > 20000)) || fail "F5 did not show the shortened log"
cp "$W/whole.csv" "$W/s/plant.csv"
reload whole-again
(($(differing whole whole-again) < 2000)) || fail "F5 did not show the whole log again"
running "$pid" || fail "the viewer ended"
finish
