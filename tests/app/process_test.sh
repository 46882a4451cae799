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

# Bad inputs and unusual targets, one row each: the status, one short line on
# stderr holding the key words (none for success), the file system after.
data="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/data"
cd "$work" || exit 1
mkfifo fifo.json
printf '30,30\0\n' >nul.txt
head -c 100000 /dev/zero | tr '\0' 7 >long.txt
diagram() { sed "s/\"$1\": \"[^\"]*\"/\"$1\": $2/" "$data/below-zero.json"; }
diagram format '"liquidus-diagram\\u0000"' >nul.json
diagram basis "\"$(head -c 5000 /dev/zero | tr '\0' m)\"" >basis.json
diagram title '"\\ud800x"' >surrogate.json
ln -s loop2.png loop1.png; ln -s loop1.png loop2.png
for i in $(seq 0 40); do ln -s "chain$((i + 1)).png" "chain$i.png"; done
ln -s missing/x.png dangling.png
touch real.png; ln -s real.png link.png
while IFS='|' read -r name expected words input check args; do
  eval "set -- $args"
  timeout 20 env -u QT_QPA_PLATFORM "$program" "$@" <"$input" >out 2>err
  status=$?
  [ "$status" -eq "$expected" ] || fail "$name: status $status, expected $expected"
  if [ -n "$words" ]; then
    [ "$(wc -l <err)" -eq 1 ] && [ "$(wc -c <err)" -lt 400 ] ||
      fail "$name: stderr is not one short line: $(head -c 500 err)"
    grep -qF -- "$words" err || fail "$name: no '$words' in: $(head -c 500 err)"
  elif [ -s err ]; then
    fail "$name: stderr not empty: $(cat err)"
  fi
  eval "$check" || fail "$name: afterwards not [$check]"
done <<'TABLE'
fifo diagram|1|not a regular file|/dev/null|[ -p fifo.json ]|--diagram fifo.json --query 30,30
NUL on stdin|2|"30,30\x00": expected A,B|nul.txt|true|--query -
NUL in a file|2|format: "liquidus-diagram\x00" is not|/dev/null|[ ! -e o.png ]|--diagram nul.json --export o.png
long stdin line|2|77…" (100000 bytes): expected|long.txt|true|--query -
long basis|2|mm…" (5000 bytes) is neither|/dev/null|true|--diagram basis.json --query 1,1
lone surrogate|2|title: contains an unpaired surrogate|/dev/null|true|--diagram surrogate.json --query 1,1
loop export|1|Too many levels of symbolic links|/dev/null|[ -L loop1.png ] && [ -L loop2.png ]|--export loop1.png
loop isotherms|1|Too many levels of symbolic links|/dev/null|[ -L loop1.png ]|--isotherms loop1.png
loop section|1|Too many levels of symbolic links|/dev/null|[ -L loop1.png ]|--section 1-2 --export loop1.png
loop diagram|1|Too many levels of symbolic links|/dev/null|[ -L loop1.png ]|--write-diagram loop1.png
too deep|1|Too many levels of symbolic links|/dev/null|[ -L chain0.png ] && [ ! -e chain41.png ]|--export chain0.png
dangling, no folder|1|No such file or directory (the folder|/dev/null|[ -L dangling.png ] && [ ! -e missing ]|--export dangling.png
link to a file|0||/dev/null|[ -L link.png ] && [ -s real.png ]|--export link.png
hot isotherm|2|HotIsotherm: expected a whole number in steps of 10|/dev/null|[ ! -e o.png ]|--export o.png --set HotIsotherm=256
step|2|Isotherms.Step: expected a whole number 50..250 in steps of 50|/dev/null|true|--query 1,1 --set Isotherms.Step=-1
method step|2|expected a number 0.25..3 in steps of 0.25|/dev/null|true|--query 1,1 --set Isotherms.MethodStep=99999999999999999999
molar mass|2|expected a number 0.000001..1000000|/dev/null|[ ! -e o.json ]|--write-diagram o.json --set SubstanceA.MolMass=-1
control in title|2|"a\tb" for Title: expected text of at most 200 bytes|/dev/null|[ ! -e o.json ]|--write-diagram o.json --set $'Title=a\tb'
section below 0C|0||/dev/null|[ -s s.png ]|--diagram "$data/below-zero.json" --section 1-2 --export s.png
TABLE

if [ "$failures" -eq 0 ]; then echo "process checks passed"; fi
exit "$failures"
