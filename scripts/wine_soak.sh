#!/usr/bin/env bash
# The soak on GDI under Wine: registers Corvane.dll in a private prefix, opens a display and
# runs corvane_soak.exe for CYCLES Show and SaveToFile cycles (see tests/soak/soak_main.cpp).
#
#   scripts/wine_soak.sh BUILD_DIR PREFIX_DIR [CYCLES]
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:?build dir}" && pwd) || exit 2
prefix=${2:?prefix dir}
cycles=${3:-100000}
# A 100,000-cycle soak takes many minutes: one Wine call may run for up to four hours here.
CORVANE_WINE_TIMEOUT=${CORVANE_WINE_TIMEOUT:-14400}
# shellcheck source=wine_env.sh
. "$here/wine_env.sh"

cleanup() {
  corvane_wine_stop
  corvane_xvfb_stop
}
trap cleanup EXIT

corvane_wine_setup "$prefix" || { echo "soak: prefix setup failed"; exit 1; }
corvane_xvfb_start || { echo "soak: no display"; exit 1; }
corvane_wine_register "$build/server/Corvane.dll" || { echo "soak: registration failed"; exit 1; }
# Wine reports no private memory of its own (PrivateUsage is 0 there, and the commit charge
# does not follow the heap), so the resident anonymous memory of the program's Linux process
# is watched from here as well: after the first tenth of the run, and its peak after that.
log=$(mktemp /tmp/corvane-soak.XXXXXX)
corvane_wine "$build/tests/win/corvane_soak.exe" "$cycles" >"$log" 2>/dev/null &
runner=$!
pid=
for _ in $(seq 1 100); do
  pid=$(pgrep -n -x corvane_soak.ex) && break
  sleep 0.2
done
rss_kb() { awk '/^RssAnon:/ {print $2}' "/proc/$1/status" 2>/dev/null; }
start_kb= peak_kb=0 started=$(date +%s) settle=
while kill -0 "$runner" 2>/dev/null; do
  sleep 2
  [ -n "$pid" ] || continue
  kb=$(rss_kb "$pid")
  [ -n "$kb" ] || continue
  progress=$(grep -c '^soak: [0-9]* cycles,' "$log")
  # The program prints a line every 10,000 cycles: the first one ends the settling.
  if [ -z "$start_kb" ]; then
    if [ "$progress" -ge 1 ] || [ "$cycles" -lt 10000 ]; then start_kb=$kb; fi
  elif [ "$kb" -gt "$peak_kb" ]; then
    peak_kb=$kb
  fi
done
wait "$runner"
rc=$?
tr -d '\r' <"$log"
rm -f "$log"
if [ -n "$start_kb" ] && [ "$peak_kb" -gt 0 ]; then
  growth=$(( (peak_kb - start_kb) / 1024 ))
  echo "soak: resident anonymous memory of the Wine process $((start_kb / 1024)) MB once settled (10,000 cycles in), peak $((peak_kb / 1024)) MB after ($((growth)) MB more) in $(( $(date +%s) - started )) s"
  if [ "$peak_kb" -gt $((start_kb + 16384)) ]; then
    echo "soak: memory grew by more than 16 MB: FAILED"
    rc=1
  fi
fi
exit "$rc"
