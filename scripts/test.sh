#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: on Linux release, debug
# with AddressSanitizer+UndefinedBehaviorSanitizer, ThreadSanitizer, and the libFuzzer target
# (clang, a fixed number of executions); then the two Windows
# DLLs, cross-built with mingw-w64 and tested under wine (64-bit, and 32-bit). The Windows
# tests compare with the Linux release build, so that one comes first.
#
# The 32-bit Windows programs run through qemu-user on machines that cannot start 32-bit Linux
# programs, and there 32-bit wine now and then hangs or crashes on its own. Its tests get a
# second try and a shorter time limit; what still fails is reported loudly but does not fail
# the run (OFC_STRICT_X86=1 makes it fail).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --windows
status=0
for preset in release debug tsan fuzz windows-x64 windows-x86; do
  echo "=== $preset"
  start=$SECONDS
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
  if [ "$preset" = windows-x86 ]; then
    if ! ctest --preset "$preset" -j"$(nproc)" --timeout 300 --repeat until-pass:2; then
      echo "=== WARNING: windows-x86 tests failed (32-bit wine under qemu-user); see above"
      [ -n "${OFC_STRICT_X86:-}" ] && status=1
    fi
  else
    ctest --preset "$preset" -j"$(nproc)" || status=1
  fi
  echo "=== $preset took $((SECONDS - start)) s"
done
exit $status
