#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configuring on a machine without GoogleTest: the configure step alone, into a scratch folder.
# It succeeds, says in one line that the tests are skipped, and still generates both programs.
set -uo pipefail
: "${E2E_WORK:?scratch folder}"
src="$(cd "$(dirname "$0")/../.." && pwd)"
rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

cmake -S "$src" -B "$E2E_WORK/build" -G "Unix Makefiles" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    >"$E2E_WORK/configure.log" 2>&1
status=$?
((status == 0)) || fail "configure failed with status $status"
[[ $(grep -c "Tests skipped" "$E2E_WORK/configure.log") -eq 1 ]] ||
    fail "expected one 'Tests skipped' line"
[[ $(grep -c "GTest\|GoogleTest" "$E2E_WORK/configure.log") -eq 1 ]] ||
    fail "more than one line about GoogleTest"

targets=$(cmake --build "$E2E_WORK/build" --target help 2>/dev/null)
for t in tarvex-viewer tarvex; do
    grep -qx "\.\.\. $t" <<<"$targets" || fail "no $t target"
done
grep -q "testsupport" <<<"$targets" && fail "test targets were generated"
tests=$(cd "$E2E_WORK/build" && ctest -N 2>/dev/null | tail -1)
[[ $tests == "Total Tests: 0" ]] || fail "ctest lists tests: $tests"

if ((failures != 0)); then
    cat "$E2E_WORK/configure.log" >&2
    exit 1
fi
echo "all checks passed"
