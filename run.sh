#!/usr/bin/env bash
# Installs what is missing, builds, and runs liquidus with the given arguments.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh"
program="${LIQUIDUS_BUILD_DIR:-$root/build}/liquidus"
if [ $# -eq 0 ]; then
  # The window reads its info text, liquidus.inf, from the current directory.
  cd "$root"
fi
exec "$program" "$@"
