#!/usr/bin/env bash
# Renders the demo at 44100 Hz (the oversampled path) with each half-band kernel this processor
# runs (OFC_HALFBAND_KERNEL) and fails unless the outputs are the same bits as the scalar
# kernel's: program 4 in blocks of 37 frames (every kernel's leftover frames) and program 0 in
# blocks of 512.
#   compare-halfband-kernels.sh WORK HOST PLUGIN
set -uo pipefail
work=$1 host=$2 plugin=$3
flags=" $(grep -m1 '^flags' /proc/cpuinfo) "
has() { for f in "$@"; do [[ $flags == *" $f "* ]] || return 1; done; }
kernels=(sse2)
has avx2 && kernels+=(avx2)
has avx2 fma && kernels+=(avx2fma)
has avx512f avx512vl && kernels+=(avx512)
has avx512f avx512vl fma && kernels+=(avx512fma)
echo "kernels: scalar ${kernels[*]}"
rm -rf "$work" && mkdir -p "$work" || exit 1
status=0
for case in "4 37" "0 512"; do
  read -r program block <<<"$case"
  for kernel in scalar "${kernels[@]}"; do
    out="$work/p$program-b$block-$kernel.wav"
    if ! OFC_HALFBAND_KERNEL=$kernel "$host" render "$plugin" --demo "$out" --program "$program" \
      --block "$block" --double --output-format double >"$out.log" 2>&1; then
      cat "$out.log"
      status=1
    fi
  done
  for kernel in "${kernels[@]}"; do
    echo "== program $program in blocks of $block: $kernel against scalar"
    "$host" compare "$work/p$program-b$block-scalar.wav" "$work/p$program-b$block-$kernel.wav" \
      --tolerance 0 || status=1
  done
done
exit $status
