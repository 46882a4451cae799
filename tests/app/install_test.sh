#!/usr/bin/env bash
# cmake --install into a temporary prefix gives a program that runs, with its
# info text where the program looks for it after the current directory.
set -u
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
for f in bin/liquidus share/liquidus/liquidus.inf share/applications/liquidus.desktop \
         share/icons/hicolor/scalable/apps/liquidus.svg share/metainfo/liquidus.metainfo.xml; do
  [ -e "$prefix/$f" ] || fail "not installed: $f"
done
cmp -s "$prefix/share/liquidus/liquidus.inf" "$(dirname "$0")/../../liquidus.inf" ||
  fail "the installed info text differs"
(cd "$prefix" && env -u QT_QPA_PLATFORM "$prefix/bin/liquidus" --export "$prefix/x.png") ||
  fail "the installed program does not run"
[ -s "$prefix/x.png" ] || fail "the installed program wrote no picture"
grep -q '^Exec=liquidus' "$prefix/share/applications/liquidus.desktop" || fail "desktop entry"

if [ "$failures" -eq 0 ]; then echo "install checks passed"; fi
exit "$failures"
