#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tarvex sample and tarvex verify: good, tampered, missing and damaged inputs.
source "$(dirname "$0")/cli_lib.sh"
s="$E2E_WORK/samples"

run sample "$s"
expect_status 0 "sample"
for f in plant.csv plant.sig plant.evt audit.aud audit.sig alarms.csv; do
    [[ -f $s/$f ]] || fail "sample did not write $f"
done

run verify "$s/audit.aud"
expect_status 0 "verify of an untouched audit trail"
[[ $(count_out "verified: ") -eq 2 ]] || fail "expected two verified audit signatures: $out"

run verify "$s/plant.csv"
expect_status 1 "verify of a data log with one outdated signature"
[[ $(count_out "verified: ") -eq 2 && $(count_out "FAILED, ") -eq 1 ]] ||
    fail "expected two verified and one FAILED: $out"
expect_out "appended after signing: $s/plant.csv: 3/4/2024 15:56:10 \"Daniel Okafor\""

# A copy with a dotted name finds the signature file cut at the first dot.
mkdir -p "$E2E_WORK/copy.d"
cp "$s/audit.aud" "$E2E_WORK/copy.d/audit.rev2.aud"
cp "$s/audit.sig" "$E2E_WORK/copy.d/audit.sig"
run verify "$E2E_WORK/copy.d/audit.rev2.aud"
expect_status 0 "verify of a copy named audit.rev2.aud"

# One byte changed in the record file: every signature fails.
sed -i '2s/Loaded/loaded/' "$E2E_WORK/copy.d/audit.rev2.aud"
cmp -s "$s/audit.aud" "$E2E_WORK/copy.d/audit.rev2.aud" && fail "the test did not change the copy"
run verify "$E2E_WORK/copy.d/audit.rev2.aud"
expect_status 1 "verify of a tampered audit trail"
[[ $(count_out "FAILED, altered: ") -eq 2 ]] || fail "expected both signatures to fail: $out"

run verify "$s/audit.aud" "$E2E_WORK/copy.d/audit.rev2.aud"
expect_status 1 "verify of a good and a tampered file"

run verify "$s/audit.aud" "$E2E_WORK/none.csv"
expect_status 2 "verify with a missing record file"
expect_err_line "none.csv"
expect_out "audit.aud: 3/5/2024 08:19:30"

cp "$s/alarms.csv" "$E2E_WORK/unsigned.csv"
run verify "$E2E_WORK/unsigned.csv"
expect_status 2 "verify of a record file without a signature file"
expect_err_line "unsigned.sig"

# A damaged signature line (one hex byte dropped) is refused with its line number.
mkdir -p "$E2E_WORK/damaged"
cp "$s/plant.csv" "$E2E_WORK/damaged/plant.csv"
awk 'NR == 2 { sub(/ [0-9A-F]+\r$/, "\r") } { print }' "$s/plant.sig" >"$E2E_WORK/damaged/plant.sig"
cmp -s "$s/plant.sig" "$E2E_WORK/damaged/plant.sig" && fail "the test did not damage plant.sig"
run verify "$E2E_WORK/damaged/plant.csv"
expect_status 2 "verify with a damaged signature line"
expect_err_line "line 2"

# An empty signature file holds no signature: not a success.
: >"$E2E_WORK/damaged/plant.sig"
run verify "$E2E_WORK/damaged/plant.csv"
expect_status 1 "verify with an empty signature file"
expect_out "no signatures"

finish
