#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: on Linux release, debug
# with AddressSanitizer+UndefinedBehaviorSanitizer, and ThreadSanitizer; then the two Windows
# DLLs, cross-built with mingw-w64 and tested under wine (64-bit, and 32-bit). The Windows
# tests compare with the Linux release build, so that one comes first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --windows
status=0
for preset in release debug tsan windows-x64 windows-x86; do
  echo "=== $preset"
  start=$SECONDS
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
  ctest --preset "$preset" -j"$(nproc)" || status=1
  echo "=== $preset took $((SECONDS - start)) s"
done
exit $status
