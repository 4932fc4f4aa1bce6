#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The package as Debian's checkers see it: the desktop entry (desktop-file-validate), the
# AppStream metadata (appstreamcli validate), the bash completion of tarvex against the tool's
# own list of commands, and the binary packages that dpkg-buildpackage makes from debian/
# (packaging/build-deb.sh: lintian without error or warning, then what the packages hold). A
# checker that is not installed is skipped, and the test then reports itself skipped (exit 77)
# after running the others.
set -uo pipefail
: "${CLI:?path to tarvex}"
: "${E2E_WORK:?scratch folder}"
src="$(cd "$(dirname "$0")/../.." && pwd)"
mkdir -p "$E2E_WORK"
failures=0
skipped=()
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
have() { command -v "$1" >/dev/null || { skipped+=("$1"); return 1; }; }

id=invalid.tarvex.viewer
desktop="$src/packaging/$id.desktop"
metainfo="$src/packaging/$id.metainfo.xml"
grep -qx "MimeType=text/csv;" "$desktop" || fail "the desktop entry does not offer CSV files"
grep -qx "Exec=tarvex-viewer %f" "$desktop" || fail "the desktop entry does not pass the file"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not the desktop file's"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
if have desktop-file-validate; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if have appstreamcli; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
fi

# Completing "tarvex " offers every command that tarvex --help lists.
completion=/usr/share/bash-completion/bash_completion
if [[ -f $completion ]]; then
    offered=$(bash -c 'source "$1"; source "$2"
        COMP_WORDS=(tarvex ""); COMP_CWORD=1; COMP_LINE="tarvex "; COMP_POINT=7
        _tarvex; printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" \
        "$src/packaging/bash-completion/tarvex")
    commands=$("$CLI" --help | sed -n 's/^ *tarvex \([a-z]*\).*/\1/p' | sort -u)
    [[ -n $commands ]] || fail "no commands read from tarvex --help"
    for c in $commands; do
        grep -qx "$c" <<<"$offered" || fail "the completion does not offer '$c': $offered"
    done
else
    skipped+=(bash-completion)
fi

if have dpkg-buildpackage && have dh && have lintian && have file; then
    out="$E2E_WORK/deb"
    # One compiler job: the rest of the suite runs beside it.
    TARVEX_DEB_JOBS=1 "$src/packaging/build-deb.sh" "$out" >"$E2E_WORK/build-deb.log" 2>&1 ||
        { tail -40 "$E2E_WORK/build-deb.log" >&2; fail "build-deb.sh (dpkg-buildpackage, lintian)"; }
    sed -n '/^lintian\|^[EWIPX]: /p' "$E2E_WORK/build-deb.log"
    deb=$(ls "$out"/tarvex-viewer_*.deb 2>/dev/null | head -1)
    if [[ -n $deb ]]; then
        depends=$(dpkg-deb -f "$deb" Depends)
        for d in libqt6svg6 libqt6widgets6 libqcustomplot libssl3; do
            grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
        done
        rm -rf "$E2E_WORK/root"
        dpkg-deb -x "$deb" "$E2E_WORK/root"
        for f in usr/bin/tarvex-viewer usr/bin/tarvex; do
            file "$E2E_WORK/root/$f" | grep -q ", stripped" || fail "$f is not stripped"
        done
        for f in share/man/man1/tarvex.1.gz share/man/man1/tarvex-viewer.1.gz \
            share/doc/tarvex-viewer/copyright share/doc/tarvex-viewer/changelog.Debian.gz \
            share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/bash-completion/completions/tarvex \
            share/tarvex-viewer/guide/user-guide.md share/tarvex-viewer/guide/images/trend.png; do
            [[ -f $E2E_WORK/root/usr/$f ]] || fail "the package lacks /usr/$f"
        done
        "$E2E_WORK/root/usr/bin/tarvex" --version >/dev/null || fail "the packaged tarvex does not run"
    else
        fail "dpkg-buildpackage made no tarvex-viewer .deb"
    fi
fi

if ((failures != 0)); then
    exit 1
fi
if ((${#skipped[@]} != 0)); then
    echo "SKIPPED: not installed: ${skipped[*]} (scripts/install-deps.sh --test)"
    exit 77
fi
echo "all checks passed"
