#!/bin/sh
# Renders the conformance scenes with the raster layer (native) and with GDI under Wine
# (cross-compiled x86_64), then compares them. Exit status 0 only when every scene matches.
#
#   scripts/conformance.sh [--images] [--verbose] [--map SCENE] [SCENE_PREFIX]
#
# Build output goes to build-conformance/ (override with CONFORMANCE_BUILD_DIR); Wine runs in
# a private prefix (CONFORMANCE_WINEPREFIX, default /tmp/corvane-conformance-wine).
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${CONFORMANCE_BUILD_DIR:-$ROOT/build-conformance}
PREFIX_DIR=${CONFORMANCE_WINEPREFIX:-/tmp/corvane-conformance-wine}
COMPARE_ARGS=""
SCENES=""
while [ $# -gt 0 ]; do
  case "$1" in
    --images) mkdir -p "$OUT/images"; COMPARE_ARGS="$COMPARE_ARGS --images $OUT/images" ;;
    --verbose) COMPARE_ARGS="$COMPARE_ARGS --verbose" ;;
    --map) shift; COMPARE_ARGS="$COMPARE_ARGS --map $1" ;;
    *) SCENES="$1" ;;
  esac
  shift
done
mkdir -p "$OUT/native" "$OUT/win"

# Compiles the listed sources into objects under $2 (rebuilding only what changed) and links.
obj_of() { echo "$1/$(echo "$2" | sed "s|^$ROOT/||; s|/|_|g").o"; }

# Compiles the listed sources into objects under $2 (rebuilding what is older than its
# source or any header) and links them into $3.
build() {
  cxx=$1; objdir=$2; exe=$3; shift 3
  libs=""
  objs=""
  stale=""
  for src in "$@"; do
    case "$src" in -l*|-static*) libs="$libs $src"; continue ;; esac
    obj=$(obj_of "$objdir" "$src")
    objs="$objs $obj"
    if [ ! -f "$obj" ] || [ "$src" -nt "$obj" ] || \
       [ -n "$(find "$ROOT/platform" "$ROOT/tests/conformance" -name '*.h' -newer "$obj" 2>/dev/null | head -1)" ]; then
      stale="$stale $src"
    fi
  done
  flags="-std=c++17 -O2 -Wall -Wextra -I$ROOT"
  if [ "$cxx" = g++ ]; then flags="$flags $(pkg-config --cflags freetype2 fontconfig)"; fi
  for src in $stale; do echo "$src $(obj_of "$objdir" "$src")"; done | \
    xargs -r -P 2 -L 1 sh -c "$cxx $flags -c \"\$0\" -o \"\$1\"" || exit 1
  # shellcheck disable=SC2086
  $cxx -o "$exe" $objs $libs
}

NATIVE_SRCS=$(ls "$ROOT"/platform/*.cpp "$ROOT"/platform/raster/*.cpp "$ROOT"/tests/conformance/*.cpp \
  | grep -v -e '_win\.cpp$' -e 'compare_main\.cpp$')
WIN_SRCS=$(ls "$ROOT"/platform/gdi/*.cpp "$ROOT"/tests/conformance/*.cpp \
  | grep -v -e 'compare_main\.cpp$')

echo "building the native renderer and comparer"
# shellcheck disable=SC2086
build g++ "$OUT/native" "$OUT/native/conformance_render" $NATIVE_SRCS -lfreetype -lfontconfig
build g++ "$OUT/native" "$OUT/native/conformance_compare" "$ROOT/tests/conformance/compare_main.cpp" \
  "$ROOT/tests/conformance/scene_file.cpp"
echo "building the Windows renderer"
# shellcheck disable=SC2086
build x86_64-w64-mingw32-g++ "$OUT/win" "$OUT/win/conformance_render.exe" $WIN_SRCS \
  -static -lgdi32 -luser32 -lmsimg32

"$OUT/native/conformance_render" "$OUT/raster.bin" $SCENES
WINEPREFIX=$PREFIX_DIR WINEDEBUG=-all wine "$OUT/win/conformance_render.exe" "$OUT/gdi.bin" $SCENES \
  2>/dev/null | tr -d '\r'
# shellcheck disable=SC2086
exec "$OUT/native/conformance_compare" "$OUT/raster.bin" "$OUT/gdi.bin" $COMPARE_ARGS
