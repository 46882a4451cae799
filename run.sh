#!/usr/bin/env bash
# Installs what is missing, builds, and runs liquidus with the given arguments.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh"
exec "${LIQUIDUS_BUILD_DIR:-$root/build}/liquidus" "$@"
