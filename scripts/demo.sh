#!/usr/bin/env bash
# The main job on its built-in default: build the plug-in and the host, then show what a host sees.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh release
out="${1:-out}"
mkdir -p "$out"
plugin=build/release/OrvaneFeedbackCompressor.so
build/release/host/ofc-host info "$plugin"
# The built-in demo through the plug-in: drums, a sustained chord and a level sweep. Program 0
# is the neutral reset (threshold 0 dB), so the demo uses a program that audibly compresses.
build/release/host/ofc-host render "$plugin" --demo "$out/demo-output.wav" \
  --write-input "$out/demo-input.wav" --program "Classic Compressor I"
# The editor window as a person sees it, drawn without a display: once fresh, and once 3.5 s
# into the same demo (drums and chord), where the meters, the hold bar above the falling
# gain reduction and the release lamps all show the audio.
build/release/host/ofc-host snapshot "$plugin" "$out/editor-fresh.png"
build/release/host/ofc-host snapshot "$plugin" "$out/editor.png" \
  --program "Classic Compressor I" --feed "$out/demo-input.wav" --seconds 3.5
# The same moment on a high-resolution screen: the editor at scale 2.
build/release/host/ofc-host snapshot "$plugin" "$out/editor-2x.png" \
  --program "Classic Compressor I" --feed "$out/demo-input.wav" --seconds 3.5 --scale 2
# The LV2 plug-in's picture in a mixer strip, at a narrow and a wide strip, through our own lilv
# host: the firm setting 1.6 s into loud and quiet bursts.
for width in 100 300; do
  build/release/tests/lv2/ofc-lv2-inline picture build/release/orvane-feedback-compressor.lv2 \
    "$out/inline-$width.png" "$width" "$width"
done
