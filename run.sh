#!/usr/bin/env bash
# Installs what is missing, builds an optimised program into build-release/
# and runs liquidus with the given arguments.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/tools/setup.sh"
export LIQUIDUS_BUILD_DIR="${LIQUIDUS_BUILD_DIR:-$root/build-release}"
export LIQUIDUS_BUILD_TYPE="${LIQUIDUS_BUILD_TYPE:-Release}"
# Only the program: the tests are test.sh's business.
if [ ! -f "$LIQUIDUS_BUILD_DIR/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$LIQUIDUS_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$LIQUIDUS_BUILD_TYPE" \
    -DBUILD_TESTING=OFF -DLIQUIDUS_BUILD_BENCHMARKS=OFF >&2
fi
cmake --build "$LIQUIDUS_BUILD_DIR" -j "$(nproc)" --target liquidus >&2
program="$LIQUIDUS_BUILD_DIR/liquidus"
if [ $# -eq 0 ]; then
  # The window reads its info text, liquidus.inf, from the current directory.
  cd "$root"
fi
exec "$program" "$@"
