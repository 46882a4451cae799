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

# Output that cannot be written, input that cannot be read, a stray word
# before the options: never a silent success.
probe() {  # probe NAME EXPECTED-STATUS STDIN STDOUT ARGS...
  local name=$1 expected=$2 input=$3 output=$4
  shift 4
  env -u QT_QPA_PLATFORM "$program" "$@" <"$input" >"$output" 2>"$work/err"
  local status=$?
  [ "$status" -eq "$expected" ] || fail "$name: status $status, expected $expected"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$name: stderr is not one line: $(cat "$work/err")"
}
if [ -w /dev/full ]; then
  probe "help to a full disk" 1 /dev/null /dev/full --help
  probe "query to a full disk" 1 /dev/null /dev/full --query 10,10
fi
probe "input a folder" 2 / /dev/null --query -
probe "stray first word" 2 /dev/null /dev/null 5x5 --export "$work/y.png"
[ ! -e "$work/y.png" ] || fail "stray first word: a file was written"

if [ "$failures" -eq 0 ]; then echo "process checks passed"; fi
exit "$failures"
