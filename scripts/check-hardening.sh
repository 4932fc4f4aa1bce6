#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Hardening checks, slow, run before a release and after changes to readers or lifecycles:
#  1. the whole test suite built with AddressSanitizer + UndefinedBehaviorSanitizer (GCC);
#  2. every fuzz target (clang-14 with libFuzzer) for a bounded time, from its seed corpus;
#  3. the batch tool's peak memory on hostile inputs (/usr/bin/time -v), and its refusal of
#     /dev/zero links, FIFOs and folders.
# Prints a summary at the end; exits non-zero when a sanitizer or a fuzzer found something.
#
#   scripts/check-hardening.sh [--fuzz-seconds N] [--skip-suite] [--skip-fuzz] [--skip-memory]
#
# Build folders: build-asan/ and build-fuzz/ (fuzzers write new inputs to build-fuzz/corpus/,
# never to the committed seeds, and crashes to build-fuzz/artifacts/).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

fuzz_seconds=600
run_suite=1
run_fuzz=1
run_memory=1
while [[ $# -gt 0 ]]; do
    case $1 in
    --fuzz-seconds) fuzz_seconds=$2; shift 2 ;;
    --skip-suite) run_suite=0; shift ;;
    --skip-fuzz) run_fuzz=0; shift ;;
    --skip-memory) run_memory=0; shift ;;
    *) echo "usage: $0 [--fuzz-seconds N] [--skip-suite] [--skip-fuzz] [--skip-memory]" >&2; exit 2 ;;
    esac
done

jobs=$(nproc)
summary=()
failed=0
note() { summary+=("$*"); }

install_missing() {
    local missing=()
    for p in "$@"; do dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p"); done
    [[ ${#missing[@]} -eq 0 ]] && return
    local sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    "${sudo[@]}" apt-get install -y "${missing[@]}" || {
        "${sudo[@]}" apt-get update && "${sudo[@]}" apt-get install -y "${missing[@]}"
    }
}
install_missing clang-14 libclang-rt-14-dev time

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# 1. The suite under the sanitizers. Any report ends the test process with a failure
# (-fno-sanitize-recover), so a green suite means no finding.
if ((run_suite)); then
    mkdir -p build-asan
    asan_flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
        -DCMAKE_CXX_FLAGS="$asan_flags" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >build-asan/build.log 2>&1 &&
        cmake --build build-asan -j"$jobs" >>build-asan/build.log 2>&1
    if [[ $? -ne 0 ]]; then
        note "sanitizer build: FAILED (see build-asan/build.log)"
        failed=1
    else
        eval "$(scripts/start-services.sh)"
        export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0:detect_stack_use_after_return=1}
        export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
        start=$SECONDS
        (cd build-asan && ctest -j"$jobs" --timeout 900 --output-on-failure >ctest.log 2>&1)
        status=$?
        findings=$(grep -cE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' build-asan/ctest.log)
        result=$(grep -E 'tests passed|tests failed' build-asan/ctest.log | tail -1)
        note "sanitizer suite: ${result:-no result} in $((SECONDS - start)) s; sanitizer reports: $findings (log: build-asan/ctest.log)"
        [[ $status -eq 0 && $findings -eq 0 ]] || failed=1
    fi
fi

# 2. The fuzz targets, each from its committed seeds plus what earlier runs found.
if ((run_fuzz)); then
    mkdir -p build-fuzz
    fuzz_flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
    CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "${launcher[@]}" -DTARVEX_FUZZ=ON -DCMAKE_CXX_FLAGS="$fuzz_flags" >build-fuzz/build.log 2>&1
    targets=$(sed -n 's/^set(TARVEX_FUZZ_TARGETS \(.*\))$/\1/p' fuzz/CMakeLists.txt)
    for t in $targets; do
        if ! cmake --build build-fuzz -j"$jobs" --target "fuzz_$t" >>build-fuzz/build.log 2>&1; then
            note "fuzz $t: BUILD FAILED (see build-fuzz/build.log)"
            failed=1
            continue
        fi
        mkdir -p "build-fuzz/corpus/$t" build-fuzz/artifacts
        max_len=8192
        [[ $t == line_reader ]] && max_len=300000 # lines across the reader's 64 KiB reads
        start=$SECONDS
        "build-fuzz/fuzz/fuzz_$t" -max_total_time="$fuzz_seconds" -max_len="$max_len" \
            -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="build-fuzz/artifacts/$t-" \
            "build-fuzz/corpus/$t" "fuzz/corpus/$t" >"build-fuzz/$t.log" 2>&1
        status=$?
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/$t.log")
        if [[ $status -eq 0 ]]; then
            note "fuzz $t: no crash in $((SECONDS - start)) s, ${runs:-?} inputs"
        else
            note "fuzz $t: FOUND A CRASH after $((SECONDS - start)) s (see build-fuzz/$t.log, build-fuzz/artifacts/)"
            failed=1
        fi
    done
fi

# 3. Peak memory of the batch tool on hostile regular inputs, and its refusal of special files.
if ((run_memory)); then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null &&
        cmake --build build -j"$jobs" --target tarvex >/dev/null || { note "memory: build failed"; failed=1; }
    cli=$root/build/src/tarvex
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    "$cli" sample "$work" >/dev/null
    # peak LABEL EXPECTED-STATUS ARGS...: runs the tool under /usr/bin/time -v.
    peak() {
        local label=$1 want=$2
        shift 2
        timeout 60 /usr/bin/time -v "$cli" "$@" >/dev/null 2>"$work/time.txt"
        local status=$?
        local kb
        kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")
        local says
        says=$(grep -m1 '^tarvex: ' "$work/time.txt")
        note "memory: $label: exit $status (expected $want), peak $((${kb:-0} / 1024)) MiB${says:+; $says}"
        [[ $status -eq $want ]] || failed=1
    }
    head -c 100000000 /dev/zero | tr '\0' '\n' >"$work/plant.sig"
    peak "100 MB of line feeds as plant.sig (verify)" 2 verify "$work/plant.csv"
    truncate -s 1G "$work/long.sig" # one line of 1 GiB, no line end (sparse)
    peak "one line of 1 GiB (decrypt)" 2 decrypt "$work/long.sig"
    {
        head -c 50000000 /dev/zero | tr '\0' 'T'
        printf ',Time,Flow\r\n3/4/2024,13:05:09,1\r\n'
    } >"$work/title.csv"
    peak "50 MB title cell (export data)" 0 export data "$work/title.csv" "$work/title-export.csv"
    ln -s /dev/zero "$work/zero.evt"
    peak "link to /dev/zero as input (decrypt)" 2 decrypt "$work/zero.evt"
    mkfifo "$work/fifo.sig"
    peak "FIFO as input (decrypt)" 2 decrypt "$work/fifo.sig"
    mkdir "$work/folder.sig"
    peak "folder as input (decrypt)" 2 decrypt "$work/folder.sig"
    # Targets: a copy of /dev/null's node (root only; never the real one, should this fail)
    # and a FIFO must stay what they are.
    if [[ $(id -u) -eq 0 ]] && mknod "$work/null" c 1 3; then
        peak "copy of /dev/null as export target" 2 export data "$work/plant.csv" "$work/null"
        [[ -c $work/null ]] || { note "memory: the device node was replaced"; failed=1; }
    fi
    peak "FIFO as export target" 2 export data "$work/plant.csv" "$work/fifo.sig"
    [[ -p $work/fifo.sig ]] || { note "memory: the FIFO was replaced"; failed=1; }
fi

echo
echo "== hardening summary ($(date -u '+%Y-%m-%d %H:%M UTC'), load: $(cut -d' ' -f1-3 /proc/loadavg)) =="
printf '%s\n' "${summary[@]}"
exit $failed
