#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test:
# release, debug with AddressSanitizer+UndefinedBehaviorSanitizer, and ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
status=0
for preset in release debug tsan; do
  echo "=== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
  ctest --preset "$preset" -j"$(nproc)" || status=1
done
exit $status
