#!/usr/bin/env bash
# lv2apply renders the demo through the LV2 plug-in with each preset's port values, and the VST
# 2.4 library renders it through ofc-host with the program of the preset's name: the two outputs
# must be the same, sample for sample. At 44100 Hz (the oversampled path) every preset; at
# 96000 Hz (the direct path) the first.
# Usage: lv2_render_test.sh BUNDLE WORK OFC_HOST VST_PLUGIN
set -uo pipefail
source "$(dirname "$0")/lv2_env.sh"
bundle=$1 work=$2 host=$3 vst=$4
lv2_require lv2apply sordi
lv2_path "$work" "$bundle"

# One line per preset: its label, a tab, then "symbol value" pairs.
presets=$(sordi "$bundle/presets.ttl" | awk '
    $2 == "<http://www.w3.org/2000/01/rdf-schema#label>" {
        label = $0; sub(/^[^"]*"/, "", label); sub(/"[^"]*$/, "", label); labels[$1] = label }
    $2 == "<http://lv2plug.in/ns/lv2core#port>" { owner[$3] = $1 }
    $2 == "<http://lv2plug.in/ns/lv2core#symbol>" { gsub(/"/, "", $3); symbol[$1] = $3 }
    $2 == "<http://lv2plug.in/ns/ext/presets#value>" { split($3, v, "\""); value[$1] = v[2] }
    END { for (b in owner) ports[owner[b]] = ports[owner[b]] " " symbol[b] " " value[b]
          for (p in labels) print labels[p] "\t" ports[p] }' | sort)
count=$(grep -c . <<<"$presets")
[[ $count -eq 9 ]] || { echo "FAIL: $count presets in $bundle/presets.ttl"; exit 1; }

failures=0
render() { # RATE LABEL PORTS
    local rate=$1 label=$2 ports=$3 controls=() symbol value
    local input=$work/demo-$rate.wav ours=$work/lv2-$rate-$label.wav theirs=$work/vst-$rate-$label.wav
    [[ -f $input ]] || "$host" render "$vst" --demo "$work/unused-$rate.wav" --rate "$rate" \
        --write-input "$input" >/dev/null || return 1
    while read -r symbol value; do controls+=(-c "$symbol" "$value"); done < <(xargs -n2 <<<"$ports")
    [[ ${#controls[@]} -eq 63 ]] || { echo "expected 21 port values, got: $ports"; return 1; }
    lv2apply -i "$input" -o "$ours" "${controls[@]}" "$PLUGIN_URI" || return 1
    "$host" render "$vst" "$input" "$theirs" --program "$label" >/dev/null || return 1
    echo "== $label at $rate Hz"
    "$host" compare "$ours" "$theirs" --tolerance 0 || return 1
    # Equal, and not because both passed the input through untouched.
    ! "$host" compare "$input" "$ours" --tolerance 0 >/dev/null
}
while IFS=$'\t' read -r label ports; do
    render 44100 "$label" "$ports" || { echo "FAIL: $label at 44100 Hz"; failures=$((failures + 1)); }
done <<<"$presets"
IFS=$'\t' read -r label ports <<<"$presets"
render 96000 "$label" "$ports" || { echo "FAIL: $label at 96000 Hz"; failures=$((failures + 1)); }

[[ $failures -eq 0 ]] || exit 1
echo PASSED
