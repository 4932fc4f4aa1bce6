#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tarvex export: the viewer's CSV exports of the three record file kinds, its limits, and its
# errors. The byte-for-byte comparison with the viewer's own export is a widget test.
source "$(dirname "$0")/cli_lib.sh"

W=$E2E_WORK
run sample "$W/sample"
expect_status 0 "sample"
before=$(cd "$W/sample" && sha256sum plant.csv audit.aud alarms.csv)

run export data "$W/sample/plant.csv" "$W/plant-export.csv"
expect_status 0 "export data"
[[ -z $out && -z $err ]] || fail "export data printed something: $out $err"
[[ $(head -c 10 "$W/plant-export.csv") == "Date,Time," ]] || fail "data export lacks its titles"
grep -q $'^3/4/2024,12:00:00 AM,' "$W/plant-export.csv" || fail "data times not rewritten"
grep -q $'^3/4/2024,01:05:00 PM,' "$W/plant-export.csv" || fail "afternoon time not rewritten"
(($(wc -l <"$W/plant-export.csv") == 1441)) || fail "data export is not titles and 1,440 rows"
[[ $(grep -c $'\r$' "$W/plant-export.csv") -eq 1441 ]] || fail "rows not ended by CR LF"

run export audit "$W/sample/audit.aud" "$W/audit-export.csv"
expect_status 0 "export audit"
[[ $(head -1 "$W/audit-export.csv") == $'Date,Time,User Full Name,User Action\r' ]] ||
    fail "audit export titles: $(head -1 "$W/audit-export.csv")"

run export alarm "$W/sample/alarms.csv" "$W/alarm-export.csv"
expect_status 0 "export alarm"
[[ $(head -1 "$W/alarm-export.csv") == $'Alarm#,Alarm Description,Date,Time\r' ]] ||
    fail "alarm export titles"
sed -n 2p "$W/alarm-export.csv" | grep -q $'^1,.*,[01][0-9]:[0-5][0-9] [AP]M\r$' ||
    fail "alarm export row 1: $(sed -n 2p "$W/alarm-export.csv")"

[[ $(cd "$W/sample" && sha256sum plant.csv audit.aud alarms.csv) == "$before" ]] ||
    fail "a record file changed"

# The 16-bit row count: 32,766 records export, 32,767 are refused with error 6.
make_log() {
    {
        printf 'Date,Time,Flow\r\n'
        for ((i = 0; i < $1; i++)); do printf '3/4/2024,13:05:09,%d\r\n' "$i"; done
    } >"$2"
}
make_log 32766 "$W/most.csv"
make_log 32767 "$W/too-many.csv"
run export data "$W/most.csv" "$W/most-export.csv"
expect_status 0 "32,766 records"
(($(wc -l <"$W/most-export.csv") == 32767)) || fail "32,766 records not all exported"
tail -1 "$W/most-export.csv" | grep -q $'^3/4/2024,01:05:09 PM,32765\r$' || fail "last record"
run export data "$W/too-many.csv" "$W/too-many-export.csv"
expect_status 2 "32,767 records"
expect_err_line "error 6 = Overflow"
[[ ! -e $W/too-many-export.csv ]] || fail "an export was written past the limit"

# Usage errors and bad input: one line on stderr, a non-zero status.
run export
expect_status 2 "no arguments"
expect_err_line "usage: tarvex export data|audit|alarm INPUT OUTPUT"
run export data "$W/sample/plant.csv"
expect_status 2 "no output"
expect_err_line "usage: tarvex export"
run export events "$W/sample/plant.csv" "$W/x.csv"
expect_status 2 "unknown kind"
expect_err_line "unknown kind 'events'"
run export data "$W/missing.csv" "$W/x.csv"
expect_status 2 "missing input"
expect_err_line "no such file"
run export data "$W/sample" "$W/x.csv"
expect_status 2 "a folder as input"
expect_err_line "is a folder"
run export data "$W/sample/plant.csv" "$W/sample/plant.csv"
expect_status 2 "output over the input"
expect_err_line "replace the record file"
[[ $(cd "$W/sample" && sha256sum plant.csv audit.aud alarms.csv) == "$before" ]] ||
    fail "a record file changed"

# The output is written whole or not at all: a failed write leaves no file and an earlier
# export untouched (root writes anywhere, so the paths themselves must fail).
: >"$W/blocker"
run export data "$W/sample/plant.csv" "$W/blocker/plant.csv"
expect_status 1 "output folder is a file"
expect_err_line "nothing written"
long="$W/$(printf 'a%.0s' {1..246}).csv"
echo "earlier export" >"$long"
run export alarm "$W/sample/alarms.csv" "$long"
expect_status 1 "no room for a temporary name"
expect_err_line "cannot be written"
[[ $(cat "$long") == "earlier export" ]] || fail "the earlier export was changed"
leftovers=$(find "$W" -maxdepth 1 -name 'aaaa*' ! -name "$(basename "$long")")
[[ -z $leftovers ]] || fail "temporary files left: $leftovers"

run --help
expect_out "tarvex export data|audit|alarm INPUT OUTPUT"

finish
