#!/usr/bin/env bash
# The real executable, as a user's shell runs it: exit statuses, the one
# line on stderr for bad input (nothing from Qt added to it), the files.
set -u
program="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# No display and no platform chosen: one line pointing to --export, status 1.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "without a display: status $status, expected 1"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "without a display: stderr is not one line: $(cat "$work/err")"
grep -q -- "--export" "$work/err" || fail "without a display: no hint to --export"

# Bad input: status 2, exactly one stderr line, no file.
env -u QT_QPA_PLATFORM "$program" --export "$work/x.png" --set NoSuch=1 >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 2 ] || fail "bad property: status $status, expected 2"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "bad property: stderr is not one line: $(cat "$work/err")"
[ ! -e "$work/x.png" ] || fail "bad property: a file was written"

# An unwritable target: status 1, no file.
env -u QT_QPA_PLATFORM "$program" --export "$work/missing/dir/x.bmp" >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "unwritable: status $status, expected 1"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "unwritable: stderr is not one line: $(cat "$work/err")"

# A good export and a look-up from standard input.
env -u QT_QPA_PLATFORM "$program" --export "$work/sample.bmp" 2>"$work/err" ||
  fail "export failed: $(cat "$work/err")"
[ "$(head -c 2 "$work/sample.bmp")" = "BM" ] || fail "export: not a Windows bitmap"
[ ! -s "$work/err" ] || fail "export: stderr not empty: $(cat "$work/err")"
answer="$(echo "32,24" | env -u QT_QPA_PLATFORM "$program" --query - 2>"$work/err")"
case "$answer" in
  *$'\t'Spinel$'\t'*) ;;
  *) fail "query: unexpected answer '$answer'" ;;
esac

if [ "$failures" -eq 0 ]; then echo "process checks passed"; fi
exit "$failures"
