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
expect_err_line "would replace $W/sample/plant.csv"
[[ $(cd "$W/sample" && sha256sum plant.csv audit.aud alarms.csv) == "$before" ]] ||
    fail "a record file changed"

# A file name is its bytes: one that is not UTF-8 is found, and printed escaped.
cp "$W/sample/alarms.csv" "$W/bad"$'\xff\xfe'"name.csv"
run export alarm "$W/bad"$'\xff\xfe'"name.csv" "$W/bad-export.csv"
expect_status 0 "a name that is not UTF-8"
cmp -s "$W/bad-export.csv" "$W/alarm-export.csv" || fail "the export of a non-UTF-8 name differs"
run export alarm "$W/gone"$'\xff'".csv" "$W/x.csv"
expect_status 2 "a missing name that is not UTF-8"
expect_err_line 'gone\xFF.csv: no such file'

# The output is written whole or not at all, and a failure says why in the system's words:
# an earlier export stays as it was and no temporary file is left. Root writes anywhere, so
# the file systems themselves refuse (a full and a read-only tmpfs, when mounting is allowed).
: >"$W/blocker"
mkdir "$W/full" "$W/ro"
mounted=()
if [[ $(id -u) -eq 0 ]] && mount -t tmpfs -o size=64k tmpfs "$W/full" 2>/dev/null; then
    mounted+=("$W/full")
    mount -t tmpfs -o ro,size=64k tmpfs "$W/ro" && mounted+=("$W/ro")
fi
trap '[[ ${#mounted[@]} -eq 0 ]] || umount "${mounted[@]}"' EXIT
limits=("$W/blocker/x.csv|unlimited|Not a directory" "$W/none/x.csv|unlimited|No such file or directory"
    "$W/limited.csv|16|File too large")
[[ " ${mounted[*]} " == *" $W/full "* ]] && limits+=("$W/full/x.csv|unlimited|No space left on device")
[[ " ${mounted[*]} " == *" $W/ro "* ]] && limits+=("$W/ro/x.csv|unlimited|Read-only file system")
if [[ $(id -u) -ne 0 ]]; then
    mkdir "$W/locked" && chmod 555 "$W/locked"
    limits+=("$W/locked/x.csv|unlimited|Permission denied")
fi
for entry in "${limits[@]}"; do
    IFS='|' read -r target blocks cause <<<"$entry"
    [[ -d $(dirname "$target") && -w $(dirname "$target") ]] && echo "earlier export" >"$target"
    (ulimit -f "$blocks" && "$CLI" export data "$W/sample/plant.csv" "$target") >"$W/out" 2>"$W/err"
    status=$? err=$(cat "$W/err")
    expect_status 1 "export onto $target"
    expect_err_line "$target: cannot be written ($cause); nothing written"
    [[ ! -e $target || $(cat "$target") == "earlier export" ]] || fail "$target was changed"
    leftovers=$(find "$(dirname "$target")" -maxdepth 1 -name '.tarvex-*' 2>/dev/null)
    [[ -z $leftovers ]] || fail "temporary files left: $leftovers"
done

run --help
expect_out "tarvex export data|audit|alarm INPUT OUTPUT"

finish
