#!/usr/bin/env bash
# The benchmarks of the Windows build under Wine: bench_render.exe --full-only (the full chart
# and the plots alone at 8 x 1,000,000 points on GDI, first and repeat render drawer by
# drawer), bench_live.exe (live data up to 100M points), bench_arrays_png.exe (arrays and
# PNG through the portable API on GDI and WIC) and bench/arrays.vbs (1,000,000 points from a
# VBScript array, one call against one call per point). Prints figures; it is not a test.
#
#   scripts/wine_bench.sh [BUILD_DIR] [PREFIX_DIR] [POINTS]
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
build=$(cd "${1:-$root/build/win64}" 2>/dev/null && pwd) || {
  echo "wine-bench: no build dir ${1:-$root/build/win64}"
  exit 2
}
prefix=${2:-$root/build/wine-prefix-bench}
points=${3:-1000000}

# shellcheck source=wine_env.sh
. "$here/wine_env.sh"
trap corvane_wine_stop EXIT
corvane_wine_setup "$prefix" || { echo "wine-bench: prefix setup failed"; exit 1; }
corvane_wine_register "$build/server/Corvane.dll" || { echo "wine-bench: regsvr32 failed"; exit 1; }

failed=0
if [ -f "$build/bench/bench_render.exe" ]; then
  echo "== bench_render.exe --full-only (GDI under Wine)"
  corvane_wine "$build/bench/bench_render.exe" --full-only --max-n "$points" | tr -d '\r' || failed=1
fi
if [ -f "$build/bench/bench_live.exe" ]; then
  echo "== bench_live.exe (GDI under Wine; the 8 x 64M case left out)"
  CORVANE_WINE_TIMEOUT=3600 corvane_wine "$build/bench/bench_live.exe" --no-big --no-ref | tr -d '\r' || failed=1
fi
if [ -f "$build/bench/bench_arrays_png.exe" ]; then
  echo "== bench_arrays_png.exe (GDI and WIC under Wine)"
  corvane_wine "$build/bench/bench_arrays_png.exe" --points "$points" | tr -d '\r' || failed=1
fi
echo "== bench/arrays.vbs (VBScript under Wine)"
corvane_wine cscript //nologo "$(winepath -w "$root/bench/arrays.vbs" 2>/dev/null)" "$points" |
  tr -d '\r' || failed=1
exit $failed
