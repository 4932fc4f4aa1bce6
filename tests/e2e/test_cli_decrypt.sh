#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tarvex decrypt: records of .sig and .evt files, line ends, damaged lines.
source "$(dirname "$0")/cli_lib.sh"
s="$E2E_WORK/samples"
run sample "$s"
expect_status 0 "sample"

run decrypt "$s/plant.evt"
expect_status 0 "decrypt of operator events"
[[ $(wc -l <<<"$out") -eq $(wc -l <"$s/plant.evt") ]] || fail "one record per event line expected"
awk -F, 'NF != 4 { bad = 1 } END { exit bad }' <<<"$out" || fail "events must have 4 fields: $out"
expect_out "Batch B2403-042 started"

run decrypt "$s/plant.sig"
expect_status 0 "decrypt of signatures"
[[ $(wc -l <<<"$out") -eq 3 ]] || fail "three signatures expected: $out"
awk -F, 'NF != 5 { bad = 1 } END { exit bad }' <<<"$out" || fail "signatures have 5 fields: $out"

# Lines ended by a bare "\n" read the same.
tr -d '\r' <"$s/plant.sig" >"$E2E_WORK/unix.sig"
expected="$out"
run decrypt "$E2E_WORK/unix.sig"
expect_status 0 "decrypt with bare line feeds"
[[ $out == "$expected" ]] || fail "bare line feeds changed the records"

# An empty line in the middle is a damaged record; the records before it are printed.
{ head -n 1 "$s/plant.evt"; printf '\r\n'; tail -n +2 "$s/plant.evt"; } >"$E2E_WORK/gap.evt"
run decrypt "$E2E_WORK/gap.evt"
expect_status 2 "decrypt with an empty line"
expect_err_line "gap.evt line 2"
[[ $(wc -l <<<"$out") -eq 1 ]] || fail "the first record should be printed: $out"

# A changed cipher byte fails the tag check instead of giving garbage.
sed '1s/^\([0-9A-F]*\) \([0-9A-F]*\) /\1 \2 0 /' "$s/plant.sig" >"$E2E_WORK/changed.sig"
cmp -s "$s/plant.sig" "$E2E_WORK/changed.sig" && fail "the test did not change plant.sig"
run decrypt "$E2E_WORK/changed.sig"
expect_status 2 "decrypt with a changed byte"
expect_err_line "line 1"

run decrypt "$E2E_WORK/missing.evt"
expect_status 2 "decrypt of a missing file"
expect_err_line "missing.evt"

finish
