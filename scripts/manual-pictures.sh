#!/usr/bin/env bash
# Draws the pictures of the user's manual with the plug-in itself: every entry of
# docs/images/pictures.txt through `ofc-host snapshot`, into docs/images (or OUT_DIR).
#   scripts/manual-pictures.sh [BUILD_DIR [OUT_DIR]]     BUILD_DIR defaults to build/release
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/release}"
out="${2:-$root/docs/images}"
table="$root/docs/images/pictures.txt"
host="$build/host/ofc-host"
plugin="$build/OrvaneFeedbackCompressor.so"
[ -x "$host" ] && [ -f "$plugin" ] || { echo "build $build first (ofc-host and the plug-in)" >&2; exit 1; }
mkdir -p "$out"

draw() {
  [ -n "$name" ] || return 0
  "$host" snapshot "$plugin" "$out/$name" "${args[@]}" >/dev/null
  echo "$out/$name"
}
name="" args=()
while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in
    "#"* | "") ;;
    "["*"]") draw; name="${line#[}" name="${name%]}" args=() ;;
    --*" "*) args+=("${line%% *}" "${line#* }") ;;
    *) args+=("$line") ;;
  esac
done <"$table"
draw
