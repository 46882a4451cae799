#!/usr/bin/env bash
# Configures once, then builds incrementally. LIQUIDUS_BUILD_DIR picks the
# tree (default build/), LIQUIDUS_BUILD_TYPE its type on first configure;
# arguments are passed to that first configure.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${LIQUIDUS_BUILD_DIR:-$root/build}"
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DLIQUIDUS_WERROR="$werror" \
    ${LIQUIDUS_BUILD_TYPE:+-DCMAKE_BUILD_TYPE="$LIQUIDUS_BUILD_TYPE"} "$@" >&2
fi
cmake --build "$build" -j "$(nproc)" >&2
