#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tarvex usage: help, unknown commands and wrong arguments.
source "$(dirname "$0")/cli_lib.sh"

run --help
expect_status 0 "--help"
for c in "decrypt FILE" "sample DIR" "verify [--json] [--jobs N] [--audit] RECORDFILE..." "Exit status"; do
    expect_out "$c"
done

run help verify
expect_status 0 "help verify"
expect_out "Usage: tarvex verify"

run
expect_status 2 "no command"
expect_err_line "no command"

run frobnicate
expect_status 2 "unknown command"
expect_err_line "frobnicate"

run verify
expect_status 2 "verify without files"
expect_err_line "usage: tarvex verify"

for args in "--jobs 0 a.csv" "--jobs" "--jobs=x a.csv" "--frobnicate a.csv"; do
    run verify $args
    expect_status 2 "verify $args"
    expect_err_line "usage: tarvex verify"
done

run decrypt a.sig b.sig
expect_status 2 "decrypt with two files"
expect_err_line "usage: tarvex decrypt"

run sample
expect_status 2 "sample without a folder"
expect_err_line "usage: tarvex sample"

: >"$E2E_WORK/a-file"
run sample "$E2E_WORK/a-file"
expect_status 1 "sample into a path that is a file"
expect_err_line "cannot write"

finish
