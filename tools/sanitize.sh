#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer in a
# tree of their own and runs them: a memory error, a leak or undefined
# behaviour anywhere the tests reach fails the run. LIQUIDUS_SANITIZE_DIR
# picks the tree (default build-sanitize/).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${LIQUIDUS_SANITIZE_DIR:-$root/build-sanitize}"
sanitizers="-fsanitize=address,undefined"
LIQUIDUS_BUILD_DIR="$build" LIQUIDUS_BUILD_TYPE=Debug "$root/tools/build.sh" \
  -DLIQUIDUS_BUILD_BENCHMARKS=OFF -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
  -DCMAKE_CXX_FLAGS="-O1 $sanitizers -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
export QT_QPA_PLATFORM=offscreen
# The leak checker's tracking of dynamically loaded libraries' thread-local
# storage reads a stale slot left by the printer plugin on this toolchain and
# crashes its own tracer at exit (seen in the print test, depending only on
# the test binary's layout); without that tracking leaks are still found.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0"
export UBSAN_OPTIONS="print_stacktrace=1"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
