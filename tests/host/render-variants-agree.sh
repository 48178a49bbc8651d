#!/usr/bin/env bash
# Renders the demo once for each value of a build choice named by an environment variable, in
# each case given, and fails unless every value gives the first value's bits (64-bit processing).
#   render-variants-agree.sh WORK HOST PLUGIN VARIABLE "FIRST OTHER..." "RENDER ARGUMENTS"...
set -uo pipefail
work=$1 host=$2 plugin=$3 variable=$4
read -ra values <<<"$5"
shift 5
rm -rf "$work" && mkdir -p "$work" || exit 1
status=0 index=0
for case in "$@"; do
  index=$((index + 1))
  for value in "${values[@]}"; do
    out="$work/case$index-$value.wav"
    # shellcheck disable=SC2086 # the case's arguments are words
    if ! env "$variable=$value" "$host" render "$plugin" --demo "$out" $case --double \
      --output-format double >"$out.log" 2>&1; then
      cat "$out.log"
      status=1
    fi
  done
  for value in "${values[@]:1}"; do
    echo "== $case: $value against ${values[0]}"
    "$host" compare "$work/case$index-${values[0]}.wav" "$work/case$index-$value.wav" \
      --tolerance 0 || status=1
  done
done
exit $status
