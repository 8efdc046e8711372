#!/usr/bin/env bash
# Rewrites tests/golden/golden_hashes.cpp with the hashes the native build renders now.
# Look at the pictures first: CORVANE_GOLDEN_DIR=DIR makes the chart hash test write every
# golden chart there as a BMP file (this script passes DIR on when given).
#
#   scripts/update_golden_hashes.sh [NATIVE_BUILD_DIR] [PICTURE_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build/native}
tests="$build/tests/unit/corvane_unit_tests"
file="$here/tests/golden/golden_hashes.cpp"
[ -x "$tests" ] || { echo "update-golden: $tests not built" >&2; exit 2; }
if [ -n "${2:-}" ]; then
  mkdir -p "$2"
  export CORVANE_GOLDEN_DIR=$(cd "$2" && pwd)
fi

output=$("$tests" --gtest_filter='ChartHash.*' 2>&1 || true)
table=$(printf '%s\n' "$output" |
  awk '/^const std::vector<GoldenHash>& ExpectedHashes\(\) \{/ {on = 1} on {print} on && /^}/ {exit}')
if [ -z "$table" ]; then
  echo "update-golden: every golden hash already matches"
  exit 0
fi
# Replace the function in the file, keeping what is around it.
awk -v table="$table" '
  /^const std::vector<GoldenHash>& ExpectedHashes\(\) \{/ {print table; skip = 1; next}
  skip && /^}/ {skip = 0; next}
  !skip {print}
' "$file" >"$file.new"
mv "$file.new" "$file"
echo "update-golden: rewrote $file; rebuild and rerun the tests"
