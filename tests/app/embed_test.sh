#!/usr/bin/env bash
# The libraries as another program sees them: cmake --install into a
# temporary prefix, the public headers complete among themselves, the
# pkg-config file resolving there, and examples/embed configured with
# find_package(Liquidus), built and run offscreen against that prefix.
# Arguments: build tree, source tree, then the tree's generator, compiler,
# build type, compiler flags and linker flags, so that the example is built
# as the libraries were (the sanitizer tree's flags included).
set -u
build="$1" source="$2" generator="$3" compiler="$4" type="$5" flags="$6" linkflags="$7"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"

# A public header that includes a private one compiles in the tree and
# nowhere else.
include="$prefix/include/liquidus"
[ -f "$include/qt/diagramwidget.h" ] || fail "the widgets' header is not installed"
missing=$(cd "$include" && grep -rhoE '^#include "[^"]+"' . | sed -E 's/^#include "(.*)"$/\1/' |
          sort -u | while read -r header; do [ -f "$header" ] || echo "$header"; done)
[ -z "$missing" ] || fail "installed headers include what is not installed: $missing"

export PKG_CONFIG_PATH
PKG_CONFIG_PATH="$(dirname "$(find "$prefix" -name liquidus.pc)")"
libs=$(pkg-config --cflags --libs liquidus) || fail "pkg-config does not resolve liquidus.pc"
libdir=$(pkg-config --variable=libdir liquidus)
for lib in $(grep -oE -- '-lliquidus_[a-z]+' <<<"$libs"); do
  [ -f "$libdir/lib${lib#-l}.a" ] || fail "liquidus.pc names ${lib#-l}, not installed in $libdir"
done

log="$work/log"
cmake -S "$source/examples/embed" -B "$work/embed" -G "$generator" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_BUILD_TYPE="$type" \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$linkflags" >"$log" 2>&1 ||
  { cat "$log"; fail "the example does not configure against the package"; }
cmake --build "$work/embed" >"$log" 2>&1 ||
  { cat "$log"; fail "the example does not build against the package"; }
QT_QPA_PLATFORM=offscreen "$work/embed/embed" \
  "$prefix/share/liquidus/examples/mgo-sio2-al2o3.json" --grab "$work/window.png" ||
  fail "the example does not run"
[ -s "$work/window.png" ] || fail "the example wrote no picture"
echo "embedding checks passed"
