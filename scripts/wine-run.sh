#!/usr/bin/env bash
# Runs a Windows program under wine in the project's own prefix, made on first use. The
# Windows toolchains name this script as their emulator, so ctest runs test programs through it.
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENTS]
# OFC_WINEPREFIX chooses another prefix. With OFC_WINE_ALONE=1 the prefix's wine server (and
# the desktop process it started on the program's X display) is ended when the program ends:
# programs with windows each bring their own Xvfb, and a desktop left on a display that has
# gone would make every later window in that prefix fail.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export WINEPREFIX="${OFC_WINEPREFIX:-$here/../build/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers: nothing here needs them, and they would ask questions.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

if [ ! -f "$WINEPREFIX/.ofc-ready" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.ofc-ready" ]; then
      wine wineboot --init >/dev/null 2>&1 || true
      wineserver -w
      touch "$WINEPREFIX/.ofc-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
if [ -z "${OFC_WINE_ALONE:-}" ]; then
  exec wine "$@"
fi
status=0
wine "$@" || status=$?
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
exit $status
