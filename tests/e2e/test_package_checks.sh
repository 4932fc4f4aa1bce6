#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The package as Debian's checkers see it: the desktop entry (desktop-file-validate), the
# AppStream metadata (appstreamcli validate) and the DEB built from this build tree (lintian,
# errors only; warnings are printed). A checker that is not installed is skipped, and the test
# then reports itself skipped (exit 77) after running the others.
set -uo pipefail
: "${VIEWER:?path to tarvex-viewer}"
: "${E2E_WORK:?scratch folder}"
src="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "$(dirname "$VIEWER")/.." && pwd)"
rm -rf "$E2E_WORK"
mkdir -p "$E2E_WORK"
failures=0
skipped=()
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
have() { command -v "$1" >/dev/null || { skipped+=("$1"); return 1; }; }

desktop="$src/packaging/tarvex-viewer.desktop"
grep -qx "MimeType=text/csv;" "$desktop" || fail "the desktop entry does not offer CSV files"
grep -qx "Exec=tarvex-viewer %f" "$desktop" || fail "the desktop entry does not pass the file"
if have desktop-file-validate; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if have appstreamcli; then
    appstreamcli validate --no-net "$src"/packaging/*.metainfo.xml || fail "appstreamcli validate"
fi

if have lintian && have dpkg-shlibdeps && have file; then
    (cd "$E2E_WORK" && cpack --config "$build/CPackConfig.cmake" -B "$E2E_WORK/pkg") \
        >"$E2E_WORK/cpack.log" 2>&1 || { cat "$E2E_WORK/cpack.log" >&2; fail "cpack"; }
    deb=$(ls "$E2E_WORK"/pkg/*.deb 2>/dev/null | head -1)
    if [[ -n $deb ]]; then
        depends=$(dpkg-deb -f "$deb" Depends)
        for d in libqt6svg6 libqt6widgets6 libqcustomplot libssl3; do
            grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
        done
        [[ $(dpkg-deb -f "$deb" Description | wc -l) -ge 5 ]] || fail "no long description"
        dpkg-deb -x "$deb" "$E2E_WORK/root"
        for f in usr/bin/tarvex-viewer usr/bin/tarvex; do
            file "$E2E_WORK/root/$f" | grep -q ", stripped" || fail "$f is not stripped"
        done
        for f in share/man/man1/tarvex.1.gz share/man/man1/tarvex-viewer.1.gz \
            share/doc/tarvex-viewer/copyright share/doc/tarvex-viewer/changelog.Debian.gz \
            share/applications/tarvex-viewer.desktop; do
            [[ -f $E2E_WORK/root/usr/$f ]] || fail "the package lacks /usr/$f"
        done
        lintian --fail-on error --tag-display-limit 0 "$deb" >"$E2E_WORK/lintian.log" 2>&1 ||
            fail "lintian found errors"
        cat "$E2E_WORK/lintian.log"
    else
        fail "cpack made no .deb"
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
