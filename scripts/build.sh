#!/usr/bin/env bash
# Installs what is missing, then configures and builds one preset (default: release):
#   scripts/build.sh windows-x64   the 64-bit Windows DLL, build/windows-x64/*.dll
#   scripts/build.sh windows-x86   the 32-bit Windows DLL, build/windows-x86/*.dll
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-release}"
case "$preset" in
  windows-*) bash scripts/install-deps.sh --windows ;;
  *) bash scripts/install-deps.sh ;;
esac
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
