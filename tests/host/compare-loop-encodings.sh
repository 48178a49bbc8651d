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
exec bash "$(dirname "$0")/render-variants-agree.sh" "$work" "$host" "$plugin" OFC_FEEDBACK_LOOP \
  "${loops[*]}" "--program 4 --rate 44100" "--program 4 --rate 96000" \
  "--program 7 --rate 48000 --set Detection=0"
