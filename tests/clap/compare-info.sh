#!/usr/bin/env bash
# What a CLAP host is told of the plug-in (identity, latency, every parameter's texts and how
# they read back), from two builds: any difference fails. 77: the reference build is missing
# (a failure when CI is set).
#   compare-info.sh REF_HOST REF_PLUGIN RUNNER HOST PLUGIN    (RUNNER: an emulator, or -)
set -uo pipefail
ref_host=$1 ref_plugin=$2 runner=$3 host=$4 plugin=$5
for file in "$ref_host" "$ref_plugin"; do
  if [ ! -f "$file" ]; then
    echo "The reference build is missing: no $file. Build it first (see README)."
    if [ -n "${CI:-}" ]; then exit 1; fi
    exit 77
  fi
done
theirs=$("$ref_host" info "$ref_plugin") || exit 1
if [ "$runner" = - ]; then ours=$("$host" info "$plugin"); else ours=$("$runner" "$host" info "$plugin"); fi
ours=$(printf '%s\n' "$ours" | tr -d '\r')
if ! diff <(printf '%s\n' "$theirs") <(printf '%s\n' "$ours"); then
  echo "the texts differ (< reference, > this build)"
  exit 1
fi
echo "$(printf '%s\n' "$ours" | wc -l) lines of texts agree"
