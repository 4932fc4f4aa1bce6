#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts what the tests need: cupsd with the cups-pdf printer "PDF" as the default, and an Xvfb
# display. Prints "export DISPLAY=..." for the caller to eval.
set -euo pipefail

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)

if ! lpstat -r >/dev/null 2>&1 || ! lpstat -r 2>/dev/null | grep -q "is running"; then
    "${sudo[@]}" mkdir -p /run/cups
    "${sudo[@]}" cupsd
    for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
fi
if ! lpstat -p PDF >/dev/null 2>&1; then
    "${sudo[@]}" lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
fi
"${sudo[@]}" lpadmin -d PDF >/dev/null

display_works() { [[ -n "${1:-}" ]] && xdpyinfo -display "$1" >/dev/null 2>&1; }
if ! display_works "${DISPLAY:-}"; then
    for n in $(seq 90 120); do
        if display_works ":$n"; then DISPLAY=":$n"; break; fi
        if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
            Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp -noreset >/dev/null 2>&1 &
            for _ in $(seq 50); do display_works ":$n" && break; sleep 0.1; done
            display_works ":$n" && { DISPLAY=":$n"; break; }
        fi
    done
fi
echo "export DISPLAY=${DISPLAY}"
