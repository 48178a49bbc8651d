#!/usr/bin/env bash
# The main job on its built-in default: build the plug-in and the host, then show what a host sees.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh release
out="${1:-out}"
mkdir -p "$out"
plugin=build/release/OrvaneFeedbackCompressor.so
build/release/host/ofc-host info "$plugin"
