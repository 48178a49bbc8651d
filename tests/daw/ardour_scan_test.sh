#!/usr/bin/env bash
# Ardour 7's VST 2.4 scanner must accept the plug-in: it writes exactly one cache file that names
# it with its identity, its stereo input and output and its editor. With a VST3 bundle, Ardour's
# VST3 scanner must accept the bundle instead, name the plug-in on its output and write its cache
# file (.v3i) likewise.
# Usage: ardour_scan_test.sh PLUGIN.so WORK_DIR [VST3_BUNDLE]
set -uo pipefail
source "$(dirname "$0")/ardour_env.sh"
plugin=$1 work=$2 vst3_bundle=${3:-}
ardour_require
[[ -f $plugin ]] || { echo "FAIL: no plug-in at $plugin"; exit 1; }
[[ -z $vst3_bundle || -d $vst3_bundle ]] || { echo "FAIL: no VST3 bundle at $vst3_bundle"; exit 1; }
started=$EPOCHREALTIME

ardour_prepare "$work/scan" "$plugin" "$vst3_bundle"
if [[ -n $vst3_bundle ]]; then
    ardour_scan_vst3 >"$work/scan/scan.log" 2>&1
    status=$?
    cat "$work/scan/scan.log"
    # Its status says only that the bundle's layout was found; whether the module loaded and made
    # the plug-in shows in this line alone.
    [[ $status -eq 0 ]] || { echo "FAIL: the VST3 scanner failed (status $status)"; exit 1; }
    grep -qx '\[Info\]: Found Plugin: Orvane Feedback Compressor' "$work/scan/scan.log" ||
        { echo "FAIL: the VST3 scanner did not report the plug-in"; exit 1; }
    cache_suffix=v3i attribute=v3i_attribute
else
    ardour_scan || { echo "FAIL: the scanner itself failed (status $?)"; exit 1; }
    cache_suffix=v2i attribute=v2i_attribute
fi

shopt -s nullglob
caches=("$ARDOUR_CACHE_DIR"/*."$cache_suffix")
if [[ ${#caches[@]} -ne 1 ]]; then
    echo "FAIL: expected one .$cache_suffix cache file in $ARDOUR_CACHE_DIR, found ${#caches[@]}"
    exit 1
fi
cache=${caches[0]}
cat "$cache"

failures=0
expect() {
    local got
    got=$("$attribute" "$cache" "$1")
    if [[ $got == "$2" ]]; then
        echo "ok: $1 = \"$got\""
    else
        echo "FAIL: $1 = \"$got\", expected \"$2\""
        failures=$((failures + 1))
    fi
}
if [[ -n $vst3_bundle ]]; then
    expect bundle "$ARDOUR_VST3_COPY"
    expect module "$ARDOUR_VST3_COPY/Contents/x86_64-linux/Orvane Feedback Compressor.so"
    expect uid 89B1493528F448C18696C8C697865174
    expect name "Orvane Feedback Compressor"
    expect vendor Quenmoor
    expect category "Fx|Dynamics"
    expect n_inputs 2
    expect n_outputs 2
    expect n_aux_inputs 0
    expect n_aux_outputs 0
    expect n_midi_inputs 0
    expect n_midi_outputs 0
    echo "scan took $(seconds_since "$started") s"
    [[ $failures -eq 0 ]] || exit 1
    echo "PASSED"
    exit 0
fi
expect binary "$ARDOUR_PLUGIN_COPY"
expect arch x86_64
expect id 1934320228
expect name "Orvane Feedback Compressor"
expect creator Quenmoor
expect category Mastering
expect n_inputs 2
expect n_outputs 2
expect is_instrument 0
expect can_process_replace 1
expect has_editor 1

echo "scan took $(seconds_since "$started") s"
[[ $failures -eq 0 ]] || exit 1
echo "PASSED"
