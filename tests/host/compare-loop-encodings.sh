#!/usr/bin/env bash
# Renders the demo with the feedback loop in each encoding (OFC_FEEDBACK_LOOP) and fails unless
# the outputs are the same bits: program 4 (every part of the loop) at the oversampled and the
# direct path's rates, and program 7 in Peak detection.
#   compare-loop-encodings.sh WORK HOST PLUGIN
set -uo pipefail
work=$1 host=$2 plugin=$3
if ! grep -qw avx /proc/cpuinfo; then
  echo "Skipped: this processor has no AVX, so only one encoding runs."
  exit 77
fi
rm -rf "$work" && mkdir -p "$work" || exit 1
status=0
for case in "4 44100" "4 96000" "7 48000 --set Detection=0"; do
  read -r program rate settings <<<"$case"
  for loop in sse2 avx; do
    out="$work/p$program-$rate-$loop.wav"
    # shellcheck disable=SC2086 # the settings are words
    if ! OFC_FEEDBACK_LOOP=$loop "$host" render "$plugin" --demo "$out" --program "$program" \
      --rate "$rate" --double --output-format double $settings >"$out.log" 2>&1; then
      cat "$out.log"
      status=1
    fi
  done
  echo "== program $program at $rate Hz ${settings:+($settings)}"
  "$host" compare "$work/p$program-$rate-sse2.wav" "$work/p$program-$rate-avx.wav" \
    --tolerance 0 || status=1
done
exit $status
