#!/usr/bin/env bash
# Corvane's one entry point.
#   ./corvane.sh demo   install what is missing, build, render the demo charts natively and
#                       through a VBScript client under Wine, the gallery's charts and every
#                       example's picture (pictures land in out/)
#   ./corvane.sh test   install what is missing, build everything, run every test
#   ./corvane.sh build  build only (native, sanitizer, x86_64 and i686 DLLs, fuzz and tsan trees)
#   ./corvane.sh bench  build the native tree and the x86_64 DLL, run the benchmarks of the
#                       array and picture members, the rendering of 8 x 1M points and live
#                       data up to 100M points natively and under Wine, and the Python
#                       module against matplotlib (figures, not tests)
#   ./corvane.sh fuzz [SECONDS]   build the fuzz tree and fuzz the automation layer (default
#                       3600 s); the corpus grows in build/fuzz/corpus, findings land in
#                       build/fuzz/findings/
#   ./corvane.sh soak [CYCLES]    100,000 (or CYCLES) Show and SaveToFile cycles on GDI under
#                       Wine, watching pictures, GDI objects and memory
#   ./corvane.sh gallery  render the gallery's pictures into docs/gallery and write
#                       docs/gallery.md again: only after a deliberate change of the pictures
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cd "$here"
jobs=${CORVANE_JOBS:-$(nproc 2>/dev/null || echo 2)}
out="$here/out"

packages=(build-essential cmake ninja-build pkg-config libgtest-dev googletest
  libfreetype-dev libfontconfig-dev libpng-dev fonts-liberation fontconfig
  mingw-w64 wine wine64 wine64-tools xvfb xauth binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  clang-14 libclang-rt-14-dev libfuzzer-14-dev llvm-14
  python3-dev python3-venv python3-pip python3-setuptools python3-wheel python3-pybind11
  python3-numpy python3-pytest python3-pil python3-matplotlib
  libxml2-utils librsvg2-bin)

# Debian's Python, whatever python3 comes first on PATH: its numpy and pybind11 are the ones
# the module is built and tested with.
python=/usr/bin/python3

log() { printf '== %s\n' "$*"; }

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

configure_build() {  # dir, extra cmake args...
  local dir=$1; shift
  cmake -S "$here" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

# The native tree also builds the Python module, which `cmake --install` puts beside the
# library (the package test uses it from there).
configure_native() {
  configure_build build/native -DCMAKE_BUILD_TYPE=Release -DCORVANE_PYTHON=ON \
    -DPython3_EXECUTABLE="$python" "$@"
}

# The Python module as a user installs it: pip from python/, into a virtual environment that
# sees Debian's numpy, pybind11 and setuptools; pip never asks an index for anything.
install_python_module() {
  local venv=build/python/venv
  [ -x "$venv/bin/python" ] || "$python" -m venv --system-site-packages "$venv"
  CORVANE_PYTHON_BUILD_DIR="$here/build/python/build" CORVANE_JOBS="$jobs" \
    "$venv/bin/python" -m pip install --no-build-isolation --no-index --quiet ./python
}

build_all() {
  log "native build"
  configure_native -DCORVANE_TESTS=ON -DCORVANE_BENCH=ON
  log "Python module through pip"
  install_python_module
  log "native build with AddressSanitizer and UBSan"
  configure_build build/asan -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON -DCORVANE_BENCH=OFF
  log "x86_64 DLL"
  # Tests and benchmarks on by name: the demo command configures this tree without them, and
  # CMake's cache would otherwise keep that choice.
  configure_build build/win64 -DCMAKE_BUILD_TYPE=Release -DCORVANE_TESTS=ON -DCORVANE_BENCH=ON \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-x86_64-w64-mingw32.cmake"
  log "i686 DLL"
  configure_build build/win32 -DCMAKE_BUILD_TYPE=Release -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-i686-w64-mingw32.cmake"
}

# The extra native trees: fuzz (libFuzzer with ASan and UBSan, the allocation-failure sweep)
# and tsan (the thread test). Each builds the portable library and its own tests only.
build_extra_trees() {
  log "fuzz tree (clang, libFuzzer, AddressSanitizer, UBSan)"
  CC=clang-14 CXX=clang++-14 configure_build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_TREE=fuzz -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF
  log "tsan tree (clang, ThreadSanitizer)"
  CC=clang-14 CXX=clang++-14 configure_build build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_TREE=tsan -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF
}

# Fuzzes for $1 seconds from the seed corpus and the corpus earlier runs grew; prints the
# executions and fails on a finding (its input is in build/fuzz/findings/). The corpus is
# re-read for other processes' finds once a minute, not every second: with tens of thousands
# of inputs that listing was a twentieth of the run.
run_fuzz() {
  local seconds=$1
  mkdir -p build/fuzz/corpus build/fuzz/findings
  ASAN_OPTIONS=malloc_context_size=10:detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    build/fuzz/tests/fuzz/corvane_fuzz build/fuzz/corpus tests/fuzz/corpus \
    -max_total_time="$seconds" -max_len=2048 -timeout=5 -entropic=0 -rss_limit_mb=2048 \
    -print_final_stats=1 -reload=60 -artifact_prefix=build/fuzz/findings/ \
    >build/fuzz/fuzz.log 2>&1
  local rc=$?
  grep -E '^stat::number_of_executed_units|^Done|ERROR|check failed|runtime error' build/fuzz/fuzz.log | head -20
  [ $rc -eq 0 ] || echo "fuzz: finding (log: build/fuzz/fuzz.log)"
  return $rc
}

# The i686 DLL cannot run here: check its exports and resources instead.
check_dll_exports() {
  local failed=0
  for arch in x86_64 i686; do
    local dir=build/win64; [ "$arch" = i686 ] && dir=build/win32
    local dll; dll=$(find "$dir" -name Corvane.dll | head -n 1)
    if [ -z "$dll" ]; then echo "dll-check $arch: Corvane.dll missing"; failed=1; continue; fi
    scripts/check_dll.sh "$arch-w64-mingw32-objdump" "$dll" || failed=1
  done
  return $failed
}

run_tests() {
  local failed=0
  log "native unit tests"
  ctest --test-dir build/native --output-on-failure -j "$jobs" || failed=1
  log "Python module (pytest)"
  CORVANE_NATIVE_BUILD="$here/build/native" build/python/venv/bin/python -m pytest -q -p no:cacheprovider \
    tests/python || failed=1
  log "native unit tests under AddressSanitizer and UBSan"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs" || failed=1
  log "fuzzing the automation layer for ${CORVANE_FUZZ_SECONDS:-120} s (seed corpus first)"
  run_fuzz "${CORVANE_FUZZ_SECONDS:-120}" || failed=1
  log "allocation failure at every tenth allocation of a whole chart's script"
  # The whole chart's script makes about 18,000 allocations and each run replays it twice
  # (about 0.1 s): the test command fails every tenth of them, on both cores; the sweep of
  # every one is `build/fuzz/tests/oom/corvane_oom_sweep` alone (about half an hour).
  build/fuzz/tests/oom/corvane_oom_sweep --every 20 --from 1 & local half=$!
  build/fuzz/tests/oom/corvane_oom_sweep --every 20 --from 11 || failed=1
  wait "$half" || failed=1
  log "five charts on five threads at once, under ThreadSanitizer"
  TSAN_OPTIONS=halt_on_error=1 build/tsan/tests/threads/corvane_thread_test | tail -1 || failed=1
  log "DLL exports and resources"
  check_dll_exports || failed=1
  if [ -x scripts/conformance.sh ]; then
    log "raster against GDI conformance"
    CONFORMANCE_BUILD_DIR="$here/build/conformance" \
      CONFORMANCE_WINEPREFIX="$here/build/wine-prefix-conformance" scripts/conformance.sh || failed=1
  fi
  log "Windows tests and script clients under Wine"
  CORVANE_NATIVE_DEMO="$here/build/native/examples/corvane_demo" CORVANE_NATIVE_BUILD="$here/build/native" \
    scripts/wine_tests.sh build/win64 "$here/build/wine-prefix-tests" || failed=1
  return $failed
}

run_demo() {
  mkdir -p "$out" "$out/gallery" "$out/examples"
  log "native demo"
  build/native/examples/corvane_demo "$out/native"
  log "the gallery's charts (docs/gallery.md shows them) into out/gallery"
  build/native/tests/gallery/corvane_gallery render docs/gallery "$out/gallery" >"$out/gallery.log" ||
    { cat "$out/gallery.log"; return 1; }
  echo "$(grep -c ': written$' "$out/gallery.log") pictures written"
  build/native/examples/cpp_portable "$out/examples/cpp_portable.png"
  build/native/examples/library_chart "$out/examples/library_chart.png"
  log "VBScript demo under Wine"
  scripts/wine_demo.sh build/win64 "$out/wine"
  log "demo pictures:"
  ls -l "$out"/native* "$out"/wine* "$out"/examples 2>/dev/null || true
}

case "${1:-}" in
  demo)
    install_missing
    configure_native
    configure_build build/win64 -DCMAKE_BUILD_TYPE=Release -DCORVANE_TESTS=OFF \
      -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-x86_64-w64-mingw32.cmake"
    run_demo
    ;;
  test)
    install_missing
    build_all
    build_extra_trees
    if run_tests; then log "all tests passed"; else log "TESTS FAILED"; exit 1; fi
    ;;
  build)
    install_missing
    build_all
    build_extra_trees
    ;;
  bench)
    install_missing
    configure_native
    install_python_module
    configure_build build/win64 -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-x86_64-w64-mingw32.cmake"
    log "native: bench_arrays_png"
    build/native/bench/bench_arrays_png
    log "native: bench_render --full-only (8 x 1,000,000 points beside the reference)"
    build/native/bench/bench_render --full-only
    log "native: bench_live (live data from 100k to 100M points, and 8 x 64M)"
    build/native/bench/bench_live
    log "Python: corvane against matplotlib's Agg"
    build/python/venv/bin/python bench/bench_python.py
    log "Windows build under Wine"
    scripts/wine_bench.sh build/win64 "$here/build/wine-prefix-bench"
    ;;
  fuzz)
    install_missing
    CC=clang-14 CXX=clang++-14 configure_build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCORVANE_TREE=fuzz -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF
    log "fuzzing for ${2:-3600} s"
    run_fuzz "${2:-3600}"
    ;;
  gallery)
    install_missing
    configure_native
    log "rendering docs/gallery and writing docs/gallery.md"
    build/native/tests/gallery/corvane_gallery render docs/gallery docs/gallery
    build/native/tests/gallery/corvane_gallery page docs/gallery docs/gallery.md
    ;;
  soak)
    install_missing
    configure_build build/win64 -DCMAKE_BUILD_TYPE=Release -DCORVANE_TESTS=ON -DCORVANE_BENCH=ON \
      -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-x86_64-w64-mingw32.cmake"
    log "soak: ${2:-100000} Show and SaveToFile cycles on GDI under Wine"
    scripts/wine_soak.sh build/win64 "$here/build/wine-prefix-soak" "${2:-100000}"
    ;;
  *)
    echo "usage: $0 demo|test|build|bench|gallery|fuzz [seconds]|soak [cycles]" >&2
    exit 2
    ;;
esac
