#!/usr/bin/env bash
# Runs the Windows tests of a cross build under Wine: registers Corvane.dll in a private
# prefix, runs every tests/win program and the script clients, prints their summary lines
# and exits non-zero on any failure.
#
#   scripts/wine_tests.sh [BUILD_DIR] [PREFIX_DIR]
#     BUILD_DIR   x86_64 cross build (default: build-win64 beside this script's parent)
#     PREFIX_DIR  Wine prefix (default: $WINEPREFIX, else /tmp/wine-corvane-$USER)
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
build=$(cd "${1:-$root/build-win64}" 2>/dev/null && pwd) || {
  echo "wine-tests: no build dir ${1:-$root/build-win64}"
  exit 2
}
prefix=${2:-${WINEPREFIX:-/tmp/wine-corvane-${USER:-$(id -u)}}}

# shellcheck source=wine_env.sh
. "$here/wine_env.sh"

dll="$build/server/Corvane.dll"
[ -f "$dll" ] || { echo "wine-tests: $dll not built"; exit 2; }

failures=0
cleanup() {
  corvane_wine_stop
  corvane_xvfb_stop
}
trap cleanup EXIT

corvane_wine_setup "$prefix" || { echo "wine-tests: prefix setup failed"; exit 1; }
corvane_xvfb_start || echo "wine-tests: no display; window tests will be skipped"

if corvane_wine_register "$dll"; then
  echo "regsvr32: Corvane.dll registered"
else
  echo "regsvr32: registration failed"
  failures=$((failures + 1))
fi

export CORVANE_DLL=$(winepath -w "$dll" 2>/dev/null)
# A Unix link for the test that saves through one (a Windows program cannot make one here).
link_dir=$(mktemp -d /tmp/corvane-links.XXXXXX)
printf old >"$link_dir/real.bmp"
ln -s real.bmp "$link_dir/link.bmp"
export CORVANE_LINK_DIR=$(winepath -w "$link_dir" 2>/dev/null)
# The win tests run in the build's test directory; every *_tests.exe there is a program.
for exe in "$build"/tests/win/*_tests.exe; do
  [ -f "$exe" ] || continue
  name=$(basename "$exe" .exe)
  log="$build/tests/win/$name.log"
  corvane_wine "$exe" >"$log" 2>&1
  rc=$?
  passed=$(grep -c '^\[       OK \]' "$log")
  # One "[  FAILED  ] Suite.Test (N ms)" line per failed test; the summary repeats names.
  failed=$(grep -c '^\[  FAILED  \] [^ ]*\.[^ ]* ([0-9]* ms)' "$log")
  skipped=$(grep -c '^\[  SKIPPED \] [^ ]*\.[^ ]* ([0-9]* ms)' "$log")
  echo "$name: $passed passed, $failed failed, $skipped skipped (log: $log)"
  if [ $rc -ne 0 ]; then
    grep '^\[  FAILED  \] [^ ]*\.[^ ]* ([0-9]* ms)' "$log" | sed 's/^/  /'
    [ $rc -eq 124 ] && echo "  timed out"
    failures=$((failures + 1))
  fi
done

# The script clients, each printing its own summary line.
clients="$root/tests/clients"
out_dir=$(mktemp -d /tmp/corvane-clients.XXXXXX)
export CORVANE_CLIENT_OUT=$(winepath -w "$out_dir" 2>/dev/null)
# The clients of ICorvaneEx2 compare pictures through this program.
export CORVANE_PIXEL_CHECK=$(winepath -w "$build/tests/win/corvane_pixel_check.exe" 2>/dev/null)
for script in "$clients/client.vbs" "$clients/client.js" "$clients/client2.vbs" \
              "$clients/client2.js" "$clients/client3.vbs" "$clients/client3.js" \
              "$clients/client_axes.vbs" \
              "$clients/client_control.vbs" "$clients/client_svg.js"; do
  [ -f "$script" ] || continue
  # The script's own exit code, not that of a filter behind it.
  output=$(corvane_wine cscript //nologo "$(winepath -w "$script" 2>/dev/null)" 2>&1)
  rc=$?
  output=$(printf '%s\n' "$output" | tr -d '\r')
  summary=$(printf '%s\n' "$output" | grep -E '^[a-z][a-z0-9]*: [0-9]+ passed, [0-9]+ failed' | tail -1)
  if [ -n "$summary" ]; then
    echo "$summary"
  else
    echo "$(basename "$script"): no summary line"
    printf '%s\n' "$output" | tail -5 | sed 's/^/  /'
    failures=$((failures + 1))
    continue
  fi
  if [ $rc -ne 0 ]; then
    printf '%s\n' "$output" | grep -i 'fail' | head -20 | sed 's/^/  /'
    failures=$((failures + 1))
  fi
done

# The demo charts through VBScript must be byte-identical to the native build's pictures.
if [ -n "${CORVANE_NATIVE_DEMO:-}" ] && [ -x "$CORVANE_NATIVE_DEMO" ]; then
  "$CORVANE_NATIVE_DEMO" "$out_dir/native" >/dev/null
  corvane_wine cscript //nologo "$(winepath -w "$root/examples/demo.vbs" 2>/dev/null)" \
    "$(winepath -w "$out_dir/wine" 2>/dev/null)" >/dev/null 2>&1
  same=0 differ=0
  for kind in plots texture overlays_matrix overlays_red overlays_olive_texture; do
    if [ -s "$out_dir/wine_$kind.bmp" ] && cmp -s "$out_dir/native_$kind.bmp" "$out_dir/wine_$kind.bmp"; then
      same=$((same + 1))
    else
      echo "  demo $kind: the Wine picture differs from the native one (or is missing)"
      differ=$((differ + 1))
    fi
  done
  echo "demo pictures, Wine against native: $same passed, $differ failed"
  [ $differ -eq 0 ] || failures=$((failures + 1))
fi
# The gallery's scripts through cscript against the committed pictures, and the example
# hosts against the portable example's picture.
if [ -n "${CORVANE_NATIVE_BUILD:-}" ] && [ -x "$CORVANE_NATIVE_BUILD/tests/gallery/corvane_gallery" ]; then
  "$here/wine_gallery.sh" "$CORVANE_NATIVE_BUILD/tests/gallery/corvane_gallery" "$out_dir/gallery" ||
    failures=$((failures + 1))
  "$here/wine_examples.sh" "$build" "$CORVANE_NATIVE_BUILD" "$out_dir/examples" ||
    failures=$((failures + 1))
fi
rm -rf "$out_dir" "$link_dir"

if [ $failures -eq 0 ]; then
  echo "wine-tests: all passed"
else
  echo "wine-tests: $failures failing step(s)"
fi
[ $failures -eq 0 ]
