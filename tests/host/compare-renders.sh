#!/usr/bin/env bash
# Renders the built-in demo through two builds of the plug-in with their own ofc-host, in
# several programs and both sample precisions, and fails if the outputs differ by more than
# 1e-9 (64-bit processing, 64-bit float files) or 1e-6 (32-bit processing, 32-bit float files).
#   compare-renders.sh WORK RATE "PROGRAMS" REF_NAME REF_RUNNER REF_HOST REF_PLUGIN
#                      RUNNER HOST PLUGIN
# A RUNNER is the emulator that starts a host (wine-run.sh) or - for a native one. The
# environment variable OFC_RENDER_TOLERANCE, where set, is the tolerance for both;
# OFC_COMPARE_HOST, where set, is the ofc-host that compares (else the reference host). Exits 77
# when the reference build is missing, unless CI is set: then that is a failure.
set -uo pipefail
work=$1 rate=$2 programs=${3//;/ } ref_name=$4 ref_runner=$5 ref_host=$6 ref_plugin=$7
runner=$8 host=$9 plugin=${10}

for file in "$ref_host" "$ref_plugin"; do
  if [ ! -e "$file" ]; then
    echo "The $ref_name build to compare with is missing: no $file."
    echo "Build it first (see README), or point the cache variable at it."
    if [ -n "${CI:-}" ]; then exit 1; fi
    echo "Skipped: CI is not set."
    exit 77
  fi
done

run() { # RUNNER HOST ARGUMENTS...
  local with=$1
  shift
  if [ "$with" != - ]; then "$with" "$@"; else "$@"; fi
}

rm -rf "$work" && mkdir -p "$work" || exit 1
status=0
for program in $programs; do
  for precision in double float; do
    flags=(--program "$program" --rate "$rate" --output-format "$precision")
    tolerance=${OFC_RENDER_TOLERANCE:-1e-6}
    if [ "$precision" = double ]; then
      flags+=(--double)
      tolerance=${OFC_RENDER_TOLERANCE:-1e-9}
    fi
    ours="$work/p$program-$precision.wav" theirs="$work/p$program-$precision-$ref_name.wav"
    if ! run "$runner" "$host" render "$plugin" --demo "$ours" "${flags[@]}" >"$ours.log" 2>&1 ||
      ! run "$ref_runner" "$ref_host" render "$ref_plugin" --demo "$theirs" "${flags[@]}" \
        >"$theirs.log" 2>&1; then
      echo "program $program, $precision: a render failed"
      cat "$ours.log" "$theirs.log"
      status=1
      continue
    fi
    # Two silent renders would agree for the wrong reason.
    if grep -Eq '^ *output +[0-9]+ +(-inf|NaN)' "$ours.log"; then
      echo "program $program, $precision: the output is silent or NaN"
      cat "$ours.log"
      status=1
    fi
    echo "== program $program, $precision processing, against the $ref_name build"
    if [ -n "${OFC_COMPARE_HOST:-}" ]; then
      "$OFC_COMPARE_HOST" compare "$ours" "$theirs" --tolerance "$tolerance" || status=1
    else
      run "$ref_runner" "$ref_host" compare "$ours" "$theirs" --tolerance "$tolerance" || status=1
    fi
  done
done
exit $status
