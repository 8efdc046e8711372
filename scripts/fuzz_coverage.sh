#!/usr/bin/env bash
# Line coverage of the engine by the fuzz corpus: builds the fuzz target with clang's
# source-based coverage (build/coverage), runs it once over the seed corpus and the corpus the
# fuzz runs grew (build/fuzz/corpus), and prints llvm-cov's report for the library's sources.
#
#   scripts/fuzz_coverage.sh [CORPUS_DIR...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
CC=clang-14 CXX=clang++-14 cmake -S . -B build/coverage -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCORVANE_TREE=coverage -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF >/dev/null
cmake --build build/coverage --target corvane_fuzz >/dev/null
corpora=("$@")
[ ${#corpora[@]} -gt 0 ] || corpora=(tests/fuzz/corpus build/fuzz/corpus)
existing=()
for dir in "${corpora[@]}"; do [ -d "$dir" ] && existing+=("$dir"); done
rm -f build/coverage/*.profraw
LLVM_PROFILE_FILE="$root/build/coverage/fuzz-%p.profraw" \
  build/coverage/tests/fuzz/corvane_fuzz -runs=0 "${existing[@]}" >build/coverage/run.log 2>&1
llvm-profdata-14 merge -sparse build/coverage/*.profraw -o build/coverage/fuzz.profdata
llvm-cov-14 report build/coverage/tests/fuzz/corvane_fuzz -instr-profile=build/coverage/fuzz.profdata \
  "$root/control" "$root/series" "$root/overlays" "$root/appearance" "$root/platform" \
  | tee build/coverage/report.txt
