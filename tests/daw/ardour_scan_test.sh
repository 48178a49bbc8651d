#!/usr/bin/env bash
# Ardour 7's VST 2.4 scanner must accept the plug-in: it writes exactly one cache file that names
# it with its identity, its stereo input and output and its editor.
# Usage: ardour_scan_test.sh PLUGIN.so WORK_DIR
set -uo pipefail
source "$(dirname "$0")/ardour_env.sh"
plugin=$1 work=$2
ardour_require
[[ -f $plugin ]] || { echo "FAIL: no plug-in at $plugin"; exit 1; }
started=$EPOCHREALTIME

ardour_prepare "$work/scan" "$plugin"
ardour_scan || { echo "FAIL: the scanner itself failed (status $?)"; exit 1; }

shopt -s nullglob
caches=("$ARDOUR_CACHE_DIR"/*.v2i)
if [[ ${#caches[@]} -ne 1 ]]; then
    echo "FAIL: expected one .v2i cache file in $ARDOUR_CACHE_DIR, found ${#caches[@]}"
    exit 1
fi
cache=${caches[0]}
cat "$cache"

failures=0
expect() {
    local got
    got=$(v2i_attribute "$cache" "$1")
    if [[ $got == "$2" ]]; then
        echo "ok: $1 = \"$got\""
    else
        echo "FAIL: $1 = \"$got\", expected \"$2\""
        failures=$((failures + 1))
    fi
}
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
