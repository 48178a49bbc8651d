#!/usr/bin/env bash
# Ardour's own bypass button on the LV2 plug-in (lv2_bypass_check.lua): the plug-in declares the
# inline display and the processing#enable port, Ardour loads it, and the export of the bypassed
# track is the dry track's signal 151 frames late, sample for sample.
#
# Ardour 7's export sometimes aborts after it has finished; the reopen phase is then judged by
# its checks and its file, and retried (3 runs at most) when it died before.
#
# Usage: ardour_lv2_bypass_test.sh VST_PLUGIN.so LV2_BUNDLE WORK_DIR WAV_LEVEL_CHECK
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/ardour_env.sh"
plugin=$1 bundle=$2 work=$3 wav_check=$4
ardour_require
[[ -d $bundle ]] || { echo "FAIL: no LV2 bundle at $bundle"; exit 1; }

quiet() { grep -v -e 'encoder is not available' -e 'Falling back to Reasonable Synth'; }

run=$work/lv2-bypass
ardour_prepare "$run" "$plugin"
rm "$ARDOUR_PLUGIN_COPY"
mkdir -p "$run/config/ardour7/scripts" "$run/config/ardour7/export" "$run/export" "$run/lv2"
cp "$here/test_signal.lua" "$run/config/ardour7/scripts/"
cp "$here/ofc-float.preset" "$run/config/ardour7/export/"
cp -r "$bundle" "$run/lv2/"
ARDOUR_RUN_ENV+=(LV2_PATH="$run/lv2")

ardour_phase() { # PHASE LOG SECONDS
    "${ARDOUR_RUN_ENV[@]}" OFC_DAW_RUN_DIR="$run" OFC_DAW_EXPECTED="$here/ofc_expected.lua" \
        OFC_DAW_PHASE="$1" timeout -k 10 "$3" "$ARDOUR_LUA" "$here/lv2_bypass_check.lua" >"$2" 2>&1
    status=$?
    quiet <"$2"
    echo "ardour7-lua ($1) exited with status $status"
    if grep -q -e '^FAIL:' -e '^Error:' "$2"; then
        echo "FAIL: Ardour's checks failed ($1)"
        exit 1
    fi
}

echo "=== build"
ardour_phase build "$run/build.log" 40
grep -qx 'SESSION SAVED' "$run/build.log" || { echo "FAIL: the session was not saved"; exit 1; }
for attempt in 1 2 3; do
    echo "=== reopen, run $attempt"
    ardour_phase reopen "$run/reopen-$attempt.log" 70
    exported=$(sed -n 's/^EXPORTED: //p' "$run/reopen-$attempt.log")
    if [[ -n $exported ]]; then
        # Channels 0-1: the bypassed plug-in; 2-3: the dry signal.
        "$wav_check" "$exported" --channels 4 --rate 48000 --min-seconds 1.9 --min-rms-db -60 \
            --delay-halves 151
        result=$?
        [[ $result -eq 0 ]] && echo "PASSED" || echo "FAIL: the bypassed track is not the input 151 frames late"
        exit $result
    fi
    [[ $status -lt 124 ]] && { echo "FAIL: Ardour ended (status $status) without exporting"; exit 1; }
done
echo "FAIL: Ardour died before exporting in 3 runs"
exit 1
