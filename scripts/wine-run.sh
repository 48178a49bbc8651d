#!/usr/bin/env bash
# Runs a Windows program under wine in the project's own prefix, made on first use. The
# Windows toolchains name this script as their emulator, so ctest runs test programs through it.
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENTS]
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
exec wine "$@"
