#!/usr/bin/env bash
# A headless Ardour 7 session drives the plug-in (session_check.lua), then the exported file is
# measured: it must hold the test tone at the level the plug-in's settings call for.
#
# Ardour 7's export sometimes corrupts its own heap and aborts, with or without any plug-in, either
# during the export or while closing the session after it. So each process makes one export; a run
# that died before its export finished is retried with a fresh environment (3 runs at most); a run
# that died after reporting its export is judged by its checks and its file.
#
# With an LV2 bundle, the session holds the LV2 plug-in instead, found through LV2_PATH alone.
#
# Usage: ardour_session_test.sh PLUGIN.so WORK_DIR WAV_LEVEL_CHECK [LV2_BUNDLE]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/ardour_env.sh"
plugin=$1 work=$2 wav_check=$3 lv2_bundle=${4:-}
ardour_require
[[ -f $plugin ]] || { echo "FAIL: no plug-in at $plugin"; exit 1; }
expected_rms_db=-14.01 # the tone's -23.01 dBFS RMS plus the +9 dB make-up gain of ofc_expected.lua
started=$EPOCHREALTIME

# Ardour's start-up chatter that says nothing about this test.
quiet() { grep -v -e 'encoder is not available' -e 'Falling back to Reasonable Synth'; }

for attempt in 1 2 3; do
    run=$work/run-$attempt
    ardour_prepare "$run" "$plugin"
    mkdir -p "$run/config/ardour7/scripts" "$run/export"
    cp "$here/test_tone.lua" "$run/config/ardour7/scripts/"
    format=VST
    if [[ -n $lv2_bundle ]]; then
        format=LV2
        rm "$ARDOUR_PLUGIN_COPY"
        mkdir -p "$run/lv2" && cp -r "$lv2_bundle" "$run/lv2/"
        ARDOUR_RUN_ENV+=(LV2_PATH="$run/lv2")
    else
        ardour_scan >"$run/scan.log" 2>&1
    fi
    if [[ $format == VST ]] && ! ls "$ARDOUR_CACHE_DIR"/*.v2i >/dev/null 2>&1; then
        cat "$run/scan.log"
        echo "FAIL: Ardour's scanner wrote no cache for the plug-in"
        exit 1
    fi

    echo "=== run $attempt"
    run_started=$EPOCHREALTIME
    "${ARDOUR_RUN_ENV[@]}" OFC_DAW_RUN_DIR="$run" OFC_DAW_EXPECTED="$here/ofc_expected.lua" \
        OFC_DAW_FORMAT=$format \
        timeout -k 10 60 "$ARDOUR_LUA" "$here/session_check.lua" >"$run/session.log" 2>&1
    status=$?
    quiet <"$run/session.log"
    echo "ardour7-lua exited with status $status after $(seconds_since "$run_started") s"

    if grep -q -e '^FAIL:' -e '^Error:' "$run/session.log"; then
        echo "FAIL: Ardour's session checks failed"
        exit 1
    fi
    exported=$(sed -n 's/^EXPORTED: //p' "$run/session.log")
    if [[ -n $exported ]]; then
        if [[ $status -ne 0 ]]; then
            echo "note: Ardour died after its export had finished (status $status); judging the run by its checks and file"
        fi
        "$wav_check" "$exported" --channels 2 --rate 48000 --min-seconds 2 --skip-seconds 0.25 \
            --min-rms-db -60 --expect-rms-db "$expected_rms_db" --tolerance-db 0.1
        result=$?
        echo "DAW test took $(seconds_since "$started") s in $attempt run(s)"
        [[ $result -eq 0 ]] && echo "PASSED" || echo "FAIL: the exported audio is wrong"
        exit $result
    fi
    if [[ $status -lt 124 ]]; then
        echo "FAIL: Ardour ended (status $status) without exporting"
        exit 1
    fi
    echo "run $attempt died before its export finished (status $status); retrying"
done
echo "FAIL: Ardour died before exporting in 3 runs"
exit 1
