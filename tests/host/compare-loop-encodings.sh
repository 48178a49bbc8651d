#!/usr/bin/env bash
# Renders the demo with the feedback loop in each encoding this processor runs (OFC_FEEDBACK_LOOP)
# and fails unless the outputs are the same bits as the baseline's: program 4 (every part of the
# loop) at the oversampled and the direct path's rates, and program 7 in Peak detection.
# An encoding the processor cannot run is named as not tested.
#   compare-loop-encodings.sh WORK HOST PLUGIN
set -uo pipefail
work=$1 host=$2 plugin=$3
loops=(sse2)
for wide in "avx:avx" "avx512:avx512f avx512vl avx512dq avx512bw"; do
  name=${wide%%:*} flags=${wide#*:} missing=""
  for flag in $flags; do grep -qw "$flag" /proc/cpuinfo || missing+=" $flag"; done
  if [ -n "$missing" ]; then
    echo "NOT TESTED: the $name encoding of the feedback loop; this processor lacks$missing"
  else
    loops+=("$name")
  fi
done
if [ ${#loops[@]} -eq 1 ]; then
  echo "Skipped: only the sse2 encoding runs here."
  exit 77
fi
rm -rf "$work" && mkdir -p "$work" || exit 1
status=0
for case in "4 44100" "4 96000" "7 48000 --set Detection=0"; do
  read -r program rate settings <<<"$case"
  for loop in "${loops[@]}"; do
    out="$work/p$program-$rate-$loop.wav"
    # shellcheck disable=SC2086 # the settings are words
    if ! OFC_FEEDBACK_LOOP=$loop "$host" render "$plugin" --demo "$out" --program "$program" \
      --rate "$rate" --double --output-format double $settings >"$out.log" 2>&1; then
      cat "$out.log"
      status=1
    fi
  done
  for loop in "${loops[@]:1}"; do
    echo "== program $program at $rate Hz ${settings:+($settings)}: $loop against sse2"
    "$host" compare "$work/p$program-$rate-sse2.wav" "$work/p$program-$rate-$loop.wav" \
      --tolerance 0 || status=1
  done
done
exit $status
