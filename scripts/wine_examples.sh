#!/usr/bin/env bash
# Runs every example host against the registered Corvane.dll under Wine -- the VBScript and
# JScript samples through cscript, the C++ samples through the vtable and through IDispatch
# -- and the portable C++ sample natively. They all draw the same chart: each picture must
# have the portable one's pixels. The cross-hair sample and its portable twin must print the
# same line and draw the same picture. The Wine prefix must be set up and the DLL registered
# (scripts/wine_tests.sh and scripts/wine_demo.sh do both).
#   scripts/wine_examples.sh WIN64_BUILD NATIVE_BUILD OUT_DIR
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
win=${1:?win64 build dir}
native=${2:?native build dir}
out=${3:?output directory}
# shellcheck source=wine_env.sh
. "$here/wine_env.sh"

mkdir -p "$out"
rm -f "$out"/*.png
passed=0 failed=0
if ! "$native/examples/cpp_portable" "$out/cpp_portable.png" >"$out/cpp_portable.log" 2>&1; then
  echo "  cpp_portable failed: $(tail -1 "$out/cpp_portable.log")"
  failed=$((failed + 1))
fi
# name, then the command that writes the picture given as its last argument
run() {
  local name=$1; shift
  local log="$out/$name.log"
  corvane_wine "$@" "$(winepath -w "$out/$name.png" 2>/dev/null)" >"$log" 2>&1
  local rc=$?
  if [ $rc -eq 0 ] &&
     "$native/tests/gallery/corvane_gallery" same "$out/cpp_portable.png" "$out/$name.png" >>"$log" 2>&1; then
    passed=$((passed + 1))
  else
    # A host that dies at exit loses its buffered line: say how it ended.
    echo "  example $name (exit $rc): $(tr -d '\r' <"$log" | tail -1)"
    failed=$((failed + 1))
  fi
}
run vbscript cscript //nologo "$(winepath -w "$root/examples/vbscript.vbs" 2>/dev/null)"
run jscript cscript //nologo "$(winepath -w "$root/examples/jscript.js" 2>/dev/null)"
run cpp_vtable "$win/examples/cpp_vtable.exe"
run cpp_dispatch "$win/examples/cpp_dispatch.exe"
# The cross-hair sample: the line it prints and its picture, VBScript against the portable twin.
for probe in "229 160" "300 100"; do
  set -- $probe
  native_line=$("$native/examples/crosshair" "$1" "$2" "$out/crosshair_native.png" 2>&1)
  wine_line=$(corvane_wine cscript //nologo "$(winepath -w "$root/examples/crosshair.vbs" 2>/dev/null)" \
    "$1" "$2" "$(winepath -w "$out/crosshair_wine.png" 2>/dev/null)" 2>&1 | tr -d '\r')
  if [ -n "$native_line" ] && [ "$native_line" = "$wine_line" ] &&
     "$native/tests/gallery/corvane_gallery" same "$out/crosshair_native.png" "$out/crosshair_wine.png" >/dev/null 2>&1; then
    passed=$((passed + 1))
  else
    echo "  example crosshair at ($1, $2): native \"$native_line\", Wine \"$wine_line\""
    failed=$((failed + 1))
  fi
done
echo "examples, every host's picture against the portable one: $passed passed, $failed failed"
[ $failed -eq 0 ]
