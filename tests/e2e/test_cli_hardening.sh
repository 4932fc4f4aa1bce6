#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tarvex against hostile inputs and targets: folders, FIFOs and devices are refused, never
# blocked on or replaced; an input and the files of its set are never written; a line no record
# can have stops a reader; record text cannot drive the terminal; a failed standard output is an
# error; and a file signed by the documented Python code, holding all 256 byte values, verifies.
source "$(dirname "$0")/cli_lib.sh"
W=$E2E_WORK
s=$W/s

# run with a time limit: a FIFO that blocked the tool would otherwise hang the test.
run_t() {
    timeout 20 "$CLI" "$@" >"$W/out" 2>"$W/err"
    status=$?
    out="$(cat "$W/out")"
    err="$(cat "$W/err")"
}
# What a path is, without opening it (reading a FIFO would block).
state() { stat -c '%F %i %s %Y' "$1" 2>&1; [[ -f $1 && ! -L $1 ]] && sha256sum <"$1"; }

run sample "$s"
expect_status 0 "sample"
mkfifo "$W/fifo"
mkdir "$W/folder"
ln -s /dev/zero "$W/zero"
specials=("$W/fifo=named pipe (FIFO)" "$W/folder=folder" "$W/zero=character device")
if [[ $(id -u) -eq 0 ]] && mknod "$W/null" c 1 3; then
    specials+=("$W/null=character device") # a copy of /dev/null's node
fi

# Special files as inputs: one line that says what they are, exit 2.
mkdir "$W/v"
cp "$s/plant.csv" "$W/v/plant.csv"
for entry in "${specials[@]}"; do
    path=${entry%%=*} kind=${entry#*=}
    for args in "decrypt $path" "verify $path" "export data $path $W/x.csv"; do
        run_t $args
        expect_status 2 "$args"
        expect_err_line "is a $kind, not a regular file"
    done
    ln -sfn "$path" "$W/v/plant.sig"
    run_t verify "$W/v/plant.csv"
    expect_status 2 "verify with $kind as its .sig"
    expect_err_line "signature file $W/v/plant.sig is a $kind"
done
[[ ! -e $W/x.csv ]] || fail "an export was written from a special file"

# Refused targets are left exactly as they were.
ln "$s/plant.sig" "$W/hard.sig"
ln -s "$s/plant.evt" "$W/link.evt"
targets=("$s/plant.csv" "$s/plant.sig" "$s/plant.evt" "$s/../s/plant.sig" "$W/hard.sig"
    "$W/link.evt")
for entry in "${specials[@]}"; do targets+=("${entry%%=*}"); done
for target in "${targets[@]}"; do
    before=$(state "$target")
    run_t export data "$s/plant.csv" "$target"
    expect_status 2 "export onto $target"
    expect_err_line "nothing written"
    [[ $(state "$target") == "$before" ]] || fail "export changed $target"
done

# One line longer than the readers' limit of 1 MiB: exit 2, after reading at most that much.
head -c 2000000 /dev/zero | tr '\0' 'A' >"$W/v/long.sig"
run_t decrypt "$W/v/long.sig"
expect_status 2 "decrypt of a 2 MB line"
expect_err_line "line 1: longer than 1048576 bytes"

run_t decrypt "$s/plant.evt"
[[ -n $out ]] || fail "decrypt printed nothing"
"$CLI" decrypt "$s/plant.evt" >/dev/full 2>"$W/err"
status=$?
err=$(cat "$W/err")
expect_status 2 "decrypt onto a full device"
expect_err_line "standard output: cannot write (No space left on device)"
"$CLI" decrypt "$s/plant.evt" >&- 2>"$W/err"
status=$?
err=$(cat "$W/err")
expect_status 2 "decrypt with standard output closed"
expect_err_line "standard output is closed"

# The documented Python code signs a file with every byte value; crafted records follow.
py=python3
[[ -x /usr/bin/python3 ]] && py=/usr/bin/python3
sed -n '/^```python$/,/^```$/p' "$(dirname "$0")/../../docs/crypto-format.md" | sed '1d;$d' \
    >"$W/tarvex_format.py"
mkdir "$W/py"
"$py" - "$W/py" <<'EOF' || fail "the documented Python code failed"
import sys
sys.path.insert(0, sys.argv[1] + "/..")
from tarvex_format import encipher_line, file_hash
folder = sys.argv[1]
with open(folder + "/all.csv", "wb") as f:
    f.write(bytes(range(256)) * 2)
h = file_hash(folder + "/all.csv")
records = ["3/4/2024,10:00:00,Jane Doe,all bytes," + h, "",
           "3/4/2024,10:01:00,Evil\x1b[2K\rX\x07\x9d,c,wrong"]
with open(folder + "/all.sig", "w", newline="") as f:
    f.write("".join(encipher_line(r) + "\r\n" for r in records))
EOF
run_t verify "$W/py/all.csv"
expect_status 1 "verify of the Python-signed file with a crafted record"
[[ $(wc -l <<<"$out") -eq 2 ]] || fail "expected two signature lines (none for the empty record): $out"
expect_out "verified: $W/py/all.csv: 3/4/2024 10:00:00 \"Jane Doe\""
expect_out 'FAILED, malformed (no valid hash): '"$W/py/all.csv"': 3/4/2024 10:01:00 "Evil\x1B[2K\x0DX\x07\x9D"'
run_t decrypt "$W/py/all.sig"
expect_status 0 "decrypt of the crafted records"
[[ $(wc -l <"$W/out") -eq 3 ]] || fail "decrypt did not print one line per record"
LC_ALL=C grep -q $'[\x01-\x08\x0b-\x1f\x7f]' "$W/out" && fail "decrypt printed control characters"

finish
