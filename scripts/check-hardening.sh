#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Hardening checks, slow, run before a release and after changes to readers, writers or
# lifecycles:
#  1. the whole test suite built with AddressSanitizer + UndefinedBehaviorSanitizer (GCC);
#  2. every fuzz target (clang-14 with libFuzzer) for a bounded time, from its committed seeds
#     and realistic files made by `tarvex sample`, with a dictionary of its format's tokens;
#  3. peak memory of the batch tool and of the viewer on hostile inputs, against their bounds
#     (batch tool: twice the input's size plus 100 MB; viewer: six times plus 100 MB), the
#     viewer's longest stretch without handling window events, and the refusal of special files;
#  4. exports raced by another process that flips the output link between a regular file, the
#     input, its signature file and special files: no input or special file may ever change.
# Prints a summary at the end; exits non-zero when a check failed.
#
#   scripts/check-hardening.sh [--fuzz-seconds N] [--races N] [--skip-suite] [--skip-fuzz]
#                              [--skip-memory] [--skip-race]
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
run_race=1
races=1000
usage="usage: $0 [--fuzz-seconds N] [--races N] [--skip-suite] [--skip-fuzz] [--skip-memory] [--skip-race]"
while [[ $# -gt 0 ]]; do
    case $1 in
    --fuzz-seconds) fuzz_seconds=$2; shift 2 ;;
    --races) races=$2; shift 2 ;;
    --skip-suite) run_suite=0; shift ;;
    --skip-fuzz) run_fuzz=0; shift ;;
    --skip-memory) run_memory=0; shift ;;
    --skip-race) run_race=0; shift ;;
    *) echo "$usage" >&2; exit 2 ;;
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
install_missing clang-14 libclang-rt-14-dev time strace python3-cryptography

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

# 2. The fuzz targets, each from its committed seeds, realistic files written by `tarvex sample`
# and what earlier runs found, with a dictionary of its format's tokens.
fuzz_max_len() {
    case $1 in
    delimited_text) echo 131072 ;; # a whole sample data log
    line_reader) echo 300000 ;;    # lines across the reader's 64 KiB reads
    hex_decipher) echo 65536 ;;    # whole .sig and .evt files
    *) echo 8192 ;;
    esac
}
# make_seeds CLI FOLDER: realistic inputs for every target, from the sample data set.
make_seeds() {
    local cli=$1 seeds=$2
    local d=$seeds/sample
    rm -rf "$seeds"
    mkdir -p "$seeds"/{delimited_text,hex_decipher,line_reader,value_text}
    "$cli" sample "$d" >/dev/null || return 1
    { printf '\0'; cat "$d/plant.csv"; } >"$seeds/delimited_text/plant"
    { printf '\1'; cat "$d/audit.aud"; } >"$seeds/delimited_text/audit"
    { printf '\2'; cat "$d/alarms.csv"; } >"$seeds/delimited_text/alarms"
    cp "$d/plant.sig" "$d/plant.evt" "$d/audit.sig" "$seeds/hex_decipher/"
    for f in plant.csv plant.evt plant.sig audit.aud; do
        { printf '\x04\x00'; cat "$d/$f"; } >"$seeds/line_reader/$f" # lines of up to 1 KiB
    done
    local n=0 pattern cell
    for pattern in 'hh:mm:ss AM/PM' 'hh:mm AM/PM' 'm/d/yyyy h:mm:ss AM/PM'; do
        while IFS= read -r cell; do
            printf '%s|%s' "$pattern" "$cell" >"$seeds/value_text/cell$((n++))"
        done < <(cat "$d/plant.csv" "$d/alarms.csv" "$d/audit.aud" | tr -d '\r' | tr ',' '\n' |
            sort -u | head -40)
        { printf '%s|' "$pattern"; head -c 6000 "$d/plant.csv"; } >"$seeds/value_text/long$n"
    done
}
if ((run_fuzz)); then
    mkdir -p build-fuzz
    fuzz_flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
    CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "${launcher[@]}" -DTARVEX_FUZZ=ON -DCMAKE_CXX_FLAGS="$fuzz_flags" >build-fuzz/build.log 2>&1
    if ! cmake --build build-fuzz -j"$jobs" --target tarvex >>build-fuzz/build.log 2>&1 ||
        ! make_seeds build-fuzz/src/tarvex build-fuzz/seeds; then
        note "fuzz: the sample seeds could not be made (see build-fuzz/build.log)"
        failed=1
    fi
    targets=$(sed -n 's/^set(TARVEX_FUZZ_TARGETS \(.*\))$/\1/p' fuzz/CMakeLists.txt)
    for t in $targets; do
        if ! cmake --build build-fuzz -j"$jobs" --target "fuzz_$t" >>build-fuzz/build.log 2>&1; then
            note "fuzz $t: BUILD FAILED (see build-fuzz/build.log)"
            failed=1
            continue
        fi
        mkdir -p "build-fuzz/corpus/$t" "build-fuzz/seeds/$t" build-fuzz/artifacts
        max_len=$(fuzz_max_len "$t")
        start=$SECONDS
        "build-fuzz/fuzz/fuzz_$t" -max_total_time="$fuzz_seconds" -max_len="$max_len" \
            -dict="fuzz/dict/$t.dict" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="build-fuzz/artifacts/$t-" \
            "build-fuzz/corpus/$t" "fuzz/corpus/$t" "build-fuzz/seeds/$t" >"build-fuzz/$t.log" 2>&1
        status=$?
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/$t.log")
        # Every input of the corpus ran at least once, cut to max_len; new ones are reported
        # with their length ("L: 1234/131072").
        longest=$(find "build-fuzz/corpus/$t" "fuzz/corpus/$t" "build-fuzz/seeds/$t" -type f \
            -printf '%s\n' | sort -n | tail -1)
        longest=$((${longest:-0} < max_len ? ${longest:-0} : max_len))
        longest_new=$(grep -o 'L: [0-9]*' "build-fuzz/$t.log" | cut -c4- | sort -n | tail -1)
        what="$((SECONDS - start)) s, ${runs:-?} inputs, longest input ${longest} bytes (longest new one ${longest_new:-0})"
        if [[ $status -ne 0 ]]; then
            note "fuzz $t: FOUND A CRASH after $what (see build-fuzz/$t.log, build-fuzz/artifacts/)"
            failed=1
        elif ((longest < 4096)); then
            note "fuzz $t: no crash in $what: NO INPUT OF 4 kB"
            failed=1
        else
            note "fuzz $t: no crash in $what"
        fi
    done
fi

# 3. Peak memory on hostile inputs, against the bounds.
bound_factor_ok() { # PEAK_KIB FACTOR BYTES: within FACTOR times BYTES plus 100 MB?
    (($1 * 1024 <= $2 * $3 + 100000000))
}
# size_of FILE+FILE...: their bytes together.
size_of() {
    local total=0 f
    for f in ${1//+/ }; do total=$((total + $(stat -c %s "$f"))); done
    echo "$total"
}
# cli_row LABEL STATUSES FACTOR SIZEFILES ARGS...: the batch tool under /usr/bin/time -v.
cli_row() {
    local label=$1 want=$2 factor=$3 files=$4
    shift 4
    timeout 600 /usr/bin/time -v "$cli" "$@" >/dev/null 2>"$work/time.txt"
    local status=$? kb says
    kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")
    says=$(grep -m1 '^tarvex: ' "$work/time.txt" | cut -c1-110)
    local verdict="within"
    [[ " $want " == *" $status "* ]] || { says="EXIT $status NOT IN ($want) $says"; failed=1; }
    if [[ $factor != - ]] && ! bound_factor_ok "${kb:-0}" "$factor" "$(size_of "$files")"; then
        verdict="OVER the bound"
        failed=1
    fi
    local bound=""
    [[ $factor == - ]] || bound=" ($verdict ${factor}x + 100 MB)"
    note "memory: tarvex $label: exit $status, peak $((${kb:-0} / 1024)) MiB$bound${says:+; $says}"
}
# viewer_row LABEL FACTOR SIZEFILES FILE: the viewer opening FILE (offscreen) until it is idle;
# its peak, and the longest time its main thread went without a pass of window events.
viewer_row() {
    local label=$1 factor=$2 files=$3 file=$4
    local rt
    rt=$(mktemp -d)
    chmod 700 "$rt"
    QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$rt strace -ttt -T -e trace=poll,ppoll \
        -o "$work/polls.txt" "$viewer" "$file" >/dev/null 2>&1 &
    local tracer=$! pid="" tries=0
    while [[ -z $pid && $tries -lt 100 ]]; do
        sleep 0.1
        pid=$(ps --ppid "$tracer" -o pid= | tr -d ' ')
        tries=$((tries + 1))
    done
    # Idle: less than 2% of a core over two seconds, after the start-up window's second.
    local last=0 cpu quiet=0 waited=0
    sleep 1.5
    while ((quiet < 4 && waited < 1200)) && kill -0 "$pid" 2>/dev/null; do
        sleep 0.5
        waited=$((waited + 1))
        cpu=$(awk '{print $14 + $15}' "/proc/$pid/stat" 2>/dev/null) || break
        if ((cpu - last <= 1)); then quiet=$((quiet + 1)); else quiet=0; fi
        last=$cpu
    done
    local kb
    kb=$(awk '/VmHWM/{print $2}' "/proc/$pid/status" 2>/dev/null)
    kill "$pid" 2>/dev/null
    wait "$tracer" 2>/dev/null
    rm -rf "$rt"
    local gap
    gap=$(awk '{t = $1; d = $NF; gsub(/[<>]/, "", d); if (end && t - end > max) max = t - end; end = t + d}
        END {printf "%.2f", max}' "$work/polls.txt")
    local verdict="within"
    if ! bound_factor_ok "${kb:-0}" "$factor" "$(size_of "$files")"; then
        verdict="OVER the bound"
        failed=1
    fi
    note "memory: viewer $label: peak $((${kb:-0} / 1024)) MiB ($verdict ${factor}x + 100 MB), longest stretch without window events ${gap} s"
}
# sig_file OUT RECORDFILE KIND COUNT: COUNT signature records for RECORDFILE, enciphered by the
# documented format's Python code. KIND commas: each record is 32,740 commas; signatures: real
# signature records whose hash is the record file's.
sig_file() {
    sed -n '/^```python$/,/^```$/p' docs/crypto-format.md | sed '1d;$d' >"$work/tarvex_format.py"
    PYTHONPATH=$work python3 - "$@" <<'EOF'
import sys
from tarvex_format import encipher_line, file_hash
out, record_file, kind, count = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
h = file_hash(record_file)
with open(out, "w", newline="") as f:
    for i in range(count):
        record = "," * 32740 if kind == "commas" else "3/4/2024,10:%02d:00,User %d,ok,%s" % (i % 60, i, h)
        f.write(encipher_line(record) + "\r\n")
EOF
}
if ((run_memory)); then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null &&
        cmake --build build -j"$jobs" --target tarvex tarvex-viewer >/dev/null ||
        { note "memory: build failed"; failed=1; }
    cli=$root/build/src/tarvex
    viewer=$root/build/src/tarvex-viewer
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    "$cli" sample "$work" >/dev/null
    head -c 1073741824 /dev/zero | tr '\0' ',' >"$work/commas-line.csv" # one line, 1 GiB
    line=$(head -c 32766 /dev/zero | tr '\0' ',')                        # 32,767 fields
    for ((i = 0; i < 8192; i++)); do printf '%s\r\n' "$line"; done >"$work/comma-lines.csv"
    truncate -s 1G "$work/nul-line.csv" # one line of 1 GiB without a separator (sparse)
    head -c 16777215 /dev/zero | tr '\0' '\n' >"$work/empty-lines.csv"
    head -c 2097150 /dev/zero | tr '\0' '\n' >"$work/most-lines.csv" # as many as a grid holds
    head -c 100000000 /dev/zero | tr '\0' '\n' >"$work/feeds.sig"
    {
        head -c 50000000 /dev/zero | tr '\0' 'T'
        printf ',Time,Flow\r\n3/4/2024,13:05:09,1\r\n'
    } >"$work/title.csv"
    mkdir "$work/sig-commas" "$work/sig-many" "$work/sig-feeds"
    for d in sig-commas sig-many sig-feeds; do cp "$work/plant.csv" "$work/$d/plant.csv"; done
    mv "$work/feeds.sig" "$work/sig-feeds/plant.sig"
    sig_file "$work/sig-commas/plant.sig" "$work/plant.csv" commas 980 # 96 MB
    sig_file "$work/sig-many/plant.sig" "$work/plant.csv" signatures 100000
    ln -s /dev/zero "$work/zero.evt"
    mkfifo "$work/fifo.sig"
    mkdir "$work/folder.sig"
    w=$work
    # LABEL | STATUSES | FACTOR (- for none) | FILES THAT COUNT | ARGUMENTS
    cli_rows=(
        "export data: one line of 1 GiB of commas|2|2|$w/commas-line.csv|export data $w/commas-line.csv $w/out.csv"
        "export data: 8,192 lines of 32,767 fields (256 MiB)|0|2|$w/comma-lines.csv|export data $w/comma-lines.csv $w/out.csv"
        "export audit: one line of 1 GiB without separator|0|2|$w/nul-line.csv|export audit $w/nul-line.csv $w/out.csv"
        "export audit: 16 M empty lines|2|2|$w/empty-lines.csv|export audit $w/empty-lines.csv $w/out.csv"
        "export data: 50 MB title cell|0|2|$w/title.csv|export data $w/title.csv $w/out.csv"
        "verify: .sig of 980 records of 32,740 commas (96 MB)|0 1 2|2|$w/sig-commas/plant.sig+$w/plant.csv|verify $w/sig-commas/plant.csv"
        "verify --json: .sig of 100,000 signatures|0 1 2|2|$w/sig-many/plant.sig+$w/plant.csv|verify --json $w/sig-many/plant.csv"
        "verify: .sig of 100 MB of line feeds|2|2|$w/sig-feeds/plant.sig+$w/plant.csv|verify $w/sig-feeds/plant.csv"
        "decrypt: one line of 1 GiB|2|2|$w/nul-line.csv|decrypt $w/nul-line.csv"
        "decrypt: link to /dev/zero as input|2|-||decrypt $w/zero.evt"
        "decrypt: FIFO as input|2|-||decrypt $w/fifo.sig"
        "decrypt: folder as input|2|-||decrypt $w/folder.sig"
        "export: FIFO as target|2|-||export data $w/plant.csv $w/fifo.sig"
    )
    # Targets: a copy of /dev/null's node (root only; never the real one, should this fail).
    if [[ $(id -u) -eq 0 ]] && mknod "$work/null" c 1 3; then
        cli_rows+=("export: copy of /dev/null as target|2|-||export data $w/plant.csv $w/null")
    fi
    for row in "${cli_rows[@]}"; do
        IFS='|' read -r label want factor files args <<<"$row"
        # shellcheck disable=SC2086 # the arguments are paths without blanks
        cli_row "$label" "$want" "$factor" "$files" $args
        rm -f "$work/out.csv"
    done
    [[ -p $work/fifo.sig ]] || { note "memory: the FIFO target was replaced"; failed=1; }
    [[ ! -e $work/null || -c $work/null ]] || { note "memory: the device target was replaced"; failed=1; }
    # LABEL | FACTOR | FILES THAT COUNT | THE DATA LOG OPENED
    viewer_rows=(
        "one line of 1 GiB of commas|6|$w/commas-line.csv|$w/commas-line.csv"
        "8,192 lines of 32,767 fields (256 MiB)|6|$w/comma-lines.csv|$w/comma-lines.csv"
        "one line of 1 GiB without separator|6|$w/nul-line.csv|$w/nul-line.csv"
        "16 M empty lines|6|$w/empty-lines.csv|$w/empty-lines.csv"
        "2,097,150 empty lines (the most a grid holds)|6|$w/most-lines.csv|$w/most-lines.csv"
        "sample data log, .sig of 980 records of 32,740 commas|6|$w/sig-commas/plant.sig+$w/plant.csv|$w/sig-commas/plant.csv"
        "sample data log, .sig of 100,000 signatures|6|$w/sig-many/plant.sig+$w/plant.csv|$w/sig-many/plant.csv"
    )
    for row in "${viewer_rows[@]}"; do
        IFS='|' read -r label factor files file <<<"$row"
        viewer_row "$label" "$factor" "$files" "$file"
    done
fi

# 4. Exports raced by link flipping: the output is a link that other processes point in a loop
# at a regular file, the input, its signature file, a FIFO, a folder and (for root) a device
# copy, while another swaps the regular file's name between a new file and a hard link to the
# input. Every export must end with status 0 or 2, and no input or special file may change.
if ((run_race)); then
    cmake --build build -j"$jobs" --target tarvex >/dev/null || { note "race: build failed"; failed=1; }
    cli=$root/build/src/tarvex
    race=$(mktemp -d)
    "$cli" sample "$race/s" >/dev/null
    mkfifo "$race/fifo"
    mkdir "$race/folder"
    specials=(fifo folder)
    [[ $(id -u) -eq 0 ]] && mknod "$race/null" c 1 3 && specials+=(null)
    echo "regular" >"$race/regular.csv"
    watched() { # what must never change: the inputs' bytes, the special files' kind and inode
        (cd "$race" && sha256sum s/plant.csv s/plant.sig s/plant.evt &&
            stat -c '%n %F %i' "${specials[@]}")
    }
    before=$(watched)
    links=(regular.csv regular.csv regular.csv s/plant.csv s/plant.sig "${specials[@]}")
    (
        cd "$race" || exit
        while :; do for t in "${links[@]}"; do ln -sfn "$t" out.csv; done; done
    ) &
    flipper=$!
    (
        cd "$race" || exit
        while :; do
            ln -f s/plant.csv swap.tmp && mv -f swap.tmp regular.csv
            echo "regular" >swap.tmp && mv -f swap.tmp regular.csv
        done
    ) &
    swapper=$!
    written=0 refused=0 other=0 changed=0
    start=$SECONDS
    for ((i = 0; i < races; i++)); do
        "$cli" export data "$race/s/plant.csv" "$race/out.csv" >/dev/null 2>>"$race/errors.txt"
        case $? in
        0) written=$((written + 1)) ;;
        2) refused=$((refused + 1)) ;;
        *) other=$((other + 1)) ;;
        esac
        [[ $(watched) == "$before" ]] || { changed=$((changed + 1)); before=$(watched); }
    done
    kill "$flipper" "$swapper"
    wait "$flipper" "$swapper" 2>/dev/null
    note "race: $races exports in $((SECONDS - start)) s: $written written, $refused refused, $other other; inputs or special files changed: $changed"
    ((other == 0 && changed == 0 && written > 0 && refused > 0)) || failed=1
    rm -rf "$race"
fi

echo
echo "== hardening summary ($(date -u '+%Y-%m-%d %H:%M UTC'), load: $(cut -d' ' -f1-3 /proc/loadavg)) =="
printf '%s\n' "${summary[@]}"
exit $failed
