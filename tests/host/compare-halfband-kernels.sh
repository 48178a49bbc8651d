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
exec bash "$(dirname "$0")/render-variants-agree.sh" "$work" "$host" "$plugin" OFC_HALFBAND_KERNEL \
  "scalar ${kernels[*]}" "--program 4 --block 37" "--program 0 --block 512"
