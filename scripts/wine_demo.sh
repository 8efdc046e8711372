#!/usr/bin/env bash
# Registers the x86_64 DLL in a private Wine prefix and renders the demo charts through
# Wine's VBScript engine; then compares them with the native pictures when those exist.
# Usage: wine_demo.sh WIN64_BUILD_DIR OUTPUT_PREFIX
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?win64 build dir}
prefix_out=${2:?output prefix}
. "$here/scripts/wine_env.sh"

dll=$(find "$build" -name Corvane.dll | head -n 1)
[ -n "$dll" ] || { echo "wine-demo: no Corvane.dll under $build"; exit 1; }

corvane_wine_setup "$here/build/wine-prefix-demo" || exit 1
corvane_xvfb_start || exit 1
trap 'corvane_wine_stop; corvane_xvfb_stop' EXIT
corvane_wine_register "$dll" || { echo "wine-demo: regsvr32 failed"; exit 1; }

mkdir -p "$(dirname "$prefix_out")"
corvane_wine cscript //nologo "$(winepath -w "$here/examples/demo.vbs")" \
  "$(winepath -w "$prefix_out")" || { echo "wine-demo: the VBScript client failed"; exit 1; }

native=${prefix_out%/*}/native
for kind in plots texture overlays_matrix overlays_red overlays_olive_texture; do
  if [ -f "${native}_$kind.bmp" ] && [ -f "${prefix_out}_$kind.bmp" ]; then
    if cmp -s "${native}_$kind.bmp" "${prefix_out}_$kind.bmp"; then
      echo "wine-demo: ${kind}: the Wine and native pictures are byte-identical"
    else
      echo "wine-demo: ${kind}: the Wine and native pictures differ"
    fi
  fi
done

# Every example host's picture (they draw one chart), beside the portable example's.
if [ -x "$here/build/native/examples/cpp_portable" ]; then
  "$here/scripts/wine_examples.sh" "$build" "$here/build/native" "$(dirname "$prefix_out")/examples"
fi
