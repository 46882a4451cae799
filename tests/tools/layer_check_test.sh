#!/usr/bin/env bash
# The layer check against one-file trees: every include form that reaches up
# (or climbs out with ..) must fail the build, includes within the layers pass.
set -u
script="$1"
tmp="$(mktemp -d)"; trap 'rm -rf "$tmp"' EXIT
status=0
check() {  # expected-result include-line
  rm -rf "$tmp/src"; mkdir -p "$tmp/src/diagram"
  printf '%s\n' "$2" > "$tmp/src/diagram/probe.cpp"
  if cmake -DSOURCE_DIR="$tmp" -P "$script" >/dev/null 2>&1; then got=pass; else got=fail; fi
  [ "$got" = "$1" ] || { echo "expected $1, got $got: $2"; status=1; }
}
check fail '#include "ternary/ternagram.h"'
check fail '#include <ternary/ternagram.h>'
check fail '  #  include   <binary/binagram.h>'
check fail '#include "../ternary/ternagram.h"'
check fail '#include "../../src/app/mainform.h"'
check fail '#include <files/rtf.h>'
check pass '#include "isotherms/spl.h"'
check pass '#include <canvas/canvas.h>'
check pass '#include "diagram/base.h"'
check pass '#include <QImage>'
check pass '#include <sys/stat.h>'
exit $status
