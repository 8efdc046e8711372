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
corvane_wine "$build/tests/win/corvane_soak.exe" "$cycles" 2>/dev/null | tr -d '\r'
exit "${PIPESTATUS[0]}"
