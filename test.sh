#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless,
# then once more built with the address and undefined-behaviour sanitizers.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${LIQUIDUS_BUILD_DIR:-$root/build}" --output-on-failure -j "$(nproc)"
"$root/tools/sanitize.sh"
