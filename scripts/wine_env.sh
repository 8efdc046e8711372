#!/usr/bin/env bash
# Helpers for running the Windows build under Wine: a private prefix without dialogs, an
# Xvfb display when there is none, the font settings, and regsvr32. Every Wine call is
# bounded by a timeout.
#
# Source it and call the functions, or run it:
#   scripts/wine_env.sh setup PREFIX_DIR          create/refresh the prefix
#   scripts/wine_env.sh register PREFIX_DIR DLL    setup, then regsvr32 /s DLL
#   scripts/wine_env.sh unregister PREFIX_DIR DLL  regsvr32 /u /s DLL
#   scripts/wine_env.sh stop PREFIX_DIR            end the prefix's wineserver
#
# Environment: CORVANE_WINE_TIMEOUT (seconds per Wine call, default 180).

corvane_wine_script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
CORVANE_WINE_TIMEOUT=${CORVANE_WINE_TIMEOUT:-180}
corvane_xvfb_pid=

corvane_wine_log() { echo "wine-env: $*" >&2; }

# Runs one Wine command with the timeout; the prefix must be set up.
corvane_wine() {
  timeout --kill-after=10 "$CORVANE_WINE_TIMEOUT" wine "$@"
}

# Points WINEPREFIX at DIR and creates the prefix there once (64-bit only).
corvane_wine_setup() {
  local dir=$1
  [ -n "$dir" ] || { corvane_wine_log "usage: corvane_wine_setup PREFIX_DIR"; return 2; }
  mkdir -p "$dir" || return 1
  export WINEPREFIX=$(cd "$dir" && pwd)
  export WINEARCH=win64
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko installer dialogs.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    corvane_wine_log "creating prefix $WINEPREFIX"
    timeout --kill-after=10 "$CORVANE_WINE_TIMEOUT" wineboot -i >/dev/null 2>&1 || {
      corvane_wine_log "wineboot failed"
      return 1
    }
    timeout --kill-after=10 "$CORVANE_WINE_TIMEOUT" wineserver -w
  fi
  corvane_wine_fonts
}

# Imports scripts/wine_fonts.reg (the Arial replacement) when it exists, once per change.
corvane_wine_fonts() {
  local reg="$corvane_wine_script_dir/wine_fonts.reg"
  [ -f "$reg" ] || return 0
  local stamp="$WINEPREFIX/.corvane_fonts_applied"
  if [ ! -f "$stamp" ] || [ "$reg" -nt "$stamp" ]; then
    corvane_wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1 || {
      corvane_wine_log "applying $reg failed"
      return 1
    }
    timeout --kill-after=10 "$CORVANE_WINE_TIMEOUT" wineserver -w
    touch "$stamp"
  fi
}

# Uses $DISPLAY when an X server answers there, else starts Xvfb on a free display.
corvane_xvfb_start() {
  if [ -n "${DISPLAY:-}" ] && command -v xdpyinfo >/dev/null 2>&1 &&
     timeout 5 xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  if [ -n "${DISPLAY:-}" ] && ! command -v xdpyinfo >/dev/null 2>&1; then
    local cur=${DISPLAY#:}
    cur=${cur%%.*}
    [ -S "/tmp/.X11-unix/X$cur" ] && return 0
  fi
  command -v Xvfb >/dev/null 2>&1 || { corvane_wine_log "Xvfb not installed"; return 1; }
  local n=90
  while [ $n -lt 200 ]; do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then break; fi
    n=$((n + 1))
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  corvane_xvfb_pid=$!
  local i
  for i in $(seq 1 50); do
    [ -S "/tmp/.X11-unix/X$n" ] && break
    kill -0 "$corvane_xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -S "/tmp/.X11-unix/X$n" ]; then
    corvane_wine_log "Xvfb :$n did not start"
    kill "$corvane_xvfb_pid" 2>/dev/null
    corvane_xvfb_pid=
    return 1
  fi
  export DISPLAY=":$n"
  corvane_wine_log "Xvfb on $DISPLAY (pid $corvane_xvfb_pid)"
}

# Stops the Xvfb that corvane_xvfb_start started (and nothing else).
corvane_xvfb_stop() {
  if [ -n "$corvane_xvfb_pid" ]; then
    kill "$corvane_xvfb_pid" 2>/dev/null
    wait "$corvane_xvfb_pid" 2>/dev/null
    corvane_xvfb_pid=
  fi
}

# regsvr32 /s for a DLL given by its Unix path.
corvane_wine_register() {
  local dll=$1
  [ -f "$dll" ] || { corvane_wine_log "no such DLL: $dll"; return 1; }
  corvane_wine regsvr32 /s "$(winepath -w "$dll" 2>/dev/null)"
}

corvane_wine_unregister() {
  local dll=$1
  [ -f "$dll" ] || { corvane_wine_log "no such DLL: $dll"; return 1; }
  corvane_wine regsvr32 /u /s "$(winepath -w "$dll" 2>/dev/null)"
}

# Ends the wineserver of this prefix (only ours: wineserver -k acts on $WINEPREFIX).
corvane_wine_stop() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  timeout 30 wineserver -k >/dev/null 2>&1
  return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -u
  cmd=${1:-}
  case "$cmd" in
    setup)
      corvane_wine_setup "${2:?prefix dir}" ;;
    register)
      corvane_wine_setup "${2:?prefix dir}" && corvane_wine_register "${3:?dll}" ;;
    unregister)
      corvane_wine_setup "${2:?prefix dir}" && corvane_wine_unregister "${3:?dll}" ;;
    stop)
      export WINEPREFIX=$(cd "${2:?prefix dir}" && pwd) && corvane_wine_stop ;;
    *)
      echo "usage: $0 setup|register|unregister|stop PREFIX_DIR [DLL]" >&2
      exit 2 ;;
  esac
fi
