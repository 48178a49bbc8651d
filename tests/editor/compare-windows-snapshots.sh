#!/usr/bin/env bash
# The Windows DLL's editor pictured by ofc-host.exe under wine against the Linux plug-in's,
# fresh and fed with the demo: identical outside the text fields, text within bounds.
#   compare-windows-snapshots.sh WINE_RUN HOST_EXE DLL LINUX_BUILD_DIR WORK_DIR
# Exits 77 (skipped) when the Linux build is missing, except under CI, where that fails.
set -uo pipefail
wine_run=$1 host_exe=$2 dll=$3 linux=$4 work=$5
linux_host=$linux/host/ofc-host
linux_plugin=$linux/OrvaneFeedbackCompressor.so
diff_tool=$linux/tests/editor/ofc-picture-diff
for f in "$linux_host" "$linux_plugin" "$diff_tool"; do
  if [ ! -x "$f" ] && [ ! -f "$f" ]; then
    echo "the Linux release build is needed for this comparison: $f is missing"
    [ -n "${CI:-}" ] && exit 1
    exit 77
  fi
done
mkdir -p "$work"
status=0
compare() { # name, snapshot options...
  local name=$1
  shift
  "$linux_host" snapshot "$linux_plugin" "$work/$name-linux.png" "$@" >/dev/null || return 1
  "$wine_run" "$host_exe" snapshot "$dll" "$work/$name-windows.png" "$@" >/dev/null || return 1
  echo "== $name"
  "$diff_tool" "$work/$name-linux.png" "$work/$name-windows.png" --outside-tolerance 0 \
    --ink-ratio 1.25 --text-mean-difference 8
}
compare fresh || status=1
# One recording of the demo feeds both, so only the plug-ins differ, not the hosts' generators.
"$linux_host" render "$linux_plugin" --demo "$work/demo-output.wav" --write-input "$work/demo.wav" \
  --output-format float >/dev/null 2>&1 || status=1
compare fed --program "Classic Compressor I" --feed "$work/demo.wav" --seconds 3.5 || status=1
exit $status
