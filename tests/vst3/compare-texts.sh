#!/usr/bin/env bash
# Everything a host reads as text from two builds of the VST3 plug-in (factory, class, parameter
# titles, value texts and their read-backs, programs, latency) must be the same, line for line.
#   compare-texts.sh WORK REF_HOST REF_BUNDLE RUNNER HOST BUNDLE
# Exits 77 when the reference build is missing, unless CI is set: then that is a failure.
set -uo pipefail
work=$1 ref_host=$2 ref_bundle=$3 runner=$4 host=$5 bundle=$6
if [ ! -x "$ref_host" ] || [ ! -d "$ref_bundle" ]; then
  echo "The reference build is missing: no $ref_host or $ref_bundle."
  if [ -n "${CI:-}" ]; then exit 1; fi
  exit 77
fi
"$ref_host" texts "$ref_bundle" >"$work/texts-reference.txt" || exit 1
"$runner" "$host" texts "$bundle" | tr -d '\r' >"$work/texts.txt" || exit 1
lines=$(wc -l <"$work/texts.txt")
if [ "$lines" -lt 900 ]; then
  echo "only $lines lines of texts: the plug-in did not answer"
  exit 1
fi
diff "$work/texts-reference.txt" "$work/texts.txt" && echo "$lines lines equal"
