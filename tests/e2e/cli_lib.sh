# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers for the batch tool's end-to-end scripts: source it, then call run/expect_*.
# Needs $CLI (the tarvex executable) and $E2E_WORK (a scratch folder, emptied here).
set -uo pipefail

: "${CLI:?CLI must name the tarvex executable}"
: "${E2E_WORK:?E2E_WORK must name a scratch folder}"
rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# run ARGS...: runs the tool, keeping its status in $status, its output in $out and $err.
run() {
    "$CLI" "$@" >"$E2E_WORK/out" 2>"$E2E_WORK/err"
    status=$?
    out="$(cat "$E2E_WORK/out")"
    err="$(cat "$E2E_WORK/err")"
}

expect_status() {
    local want=$1
    shift
    [[ $status -eq $want ]] || fail "$*: exit status $status, expected $want (stderr: $err)"
}

expect_out() {
    grep -qF -- "$1" <<<"$out" || fail "stdout lacks '$1': $out"
}

expect_err_line() {
    [[ -n $err && $(wc -l <<<"$err") -eq 1 ]] || fail "expected one line on stderr, got: '$err'"
    [[ -z ${1:-} ]] || grep -qF -- "$1" <<<"$err" || fail "stderr lacks '$1': $err"
}

count_out() {
    grep -cF -- "$1" <<<"$out"
}

finish() {
    if [[ $failures -ne 0 ]]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}
