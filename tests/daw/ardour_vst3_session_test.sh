#!/usr/bin/env bash
# Ardour 7 with the VST3 plug-in beside the VST 2.4 one (vst3_session_check.lua), in two processes:
#   build   the session: the same signal and settings through both formats; saved.
#   (here)  the VST3's state in the saved session gets a renamed program (ofc_ardour_vst3_state).
#   reopen  both restore their values and Ardour lists the renamed program; saved again; one export
#           of the master, which holds the VST 2.4 output on channels 1-2 and the VST3's on 3-4.
# Then: the state Ardour saved the second time must be exactly the one the first run saved, with
# the renamed program; the export's two halves must be the same sample for sample.
#
# As in ardour_session_test.sh, a reopen run that died before its export finished is retried (3
# runs at most), each from the same saved session; one that died after it is judged by its file.
#
# Usage: ardour_vst3_session_test.sh PLUGIN.so VST3_BUNDLE WORK_DIR WAV_LEVEL_CHECK STATE_TOOL
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/ardour_env.sh"
plugin=$1 vst3_bundle=$2 work=$3 wav_check=$4 state_tool=$5
ardour_require
[[ -f $plugin ]] || { echo "FAIL: no plug-in at $plugin"; exit 1; }
[[ -d $vst3_bundle ]] || { echo "FAIL: no VST3 bundle at $vst3_bundle"; exit 1; }
renamed_program=8
renamed="Renamed In Ardour"
started=$EPOCHREALTIME

quiet() { grep -v -e 'encoder is not available' -e 'Falling back to Reasonable Synth'; }

run=$work/vst3-session
ardour_prepare "$run" "$plugin" "$vst3_bundle"
mkdir -p "$run/config/ardour7/scripts" "$run/config/ardour7/export" "$run/export"
cp "$here/test_signal.lua" "$run/config/ardour7/scripts/"
cp "$here/ofc-float.preset" "$run/config/ardour7/export/"
{ ardour_scan && ardour_scan_vst3; } >"$run/scan.log" 2>&1
if ! ls "$ARDOUR_CACHE_DIR"/*.v2i "$ARDOUR_CACHE_DIR"/*.v3i >/dev/null 2>&1; then
    cat "$run/scan.log"
    echo "FAIL: Ardour's scanners wrote no cache for one of the plug-ins"
    exit 1
fi

# ardour_phase PHASE LOG TIMEOUT: one ardour7-lua process; its status in $status.
ardour_phase() {
    local phase_started=$EPOCHREALTIME
    "${ARDOUR_RUN_ENV[@]}" OFC_DAW_RUN_DIR="$run" OFC_DAW_EXPECTED="$here/ofc_expected.lua" \
        OFC_DAW_PHASE="$1" OFC_DAW_RENAMED="$renamed" \
        timeout -k 10 "$3" "$ARDOUR_LUA" "$here/vst3_session_check.lua" >"$2" 2>&1
    status=$?
    quiet <"$2"
    echo "ardour7-lua ($1) exited with status $status after $(seconds_since "$phase_started") s"
    if grep -q -e '^FAIL:' -e '^Error:' "$2"; then
        echo "FAIL: Ardour's checks failed ($1)"
        exit 1
    fi
}

echo "=== build"
# Well under 10 s when nothing hangs; a hang in the last step is a finding, not a reason to wait.
ardour_phase build "$run/build.log" 30
grep -qx 'SESSION SAVED' "$run/build.log" || { echo "FAIL: the session was not saved"; exit 1; }
program_failure=
if ! grep -qx 'PROGRAM CHOSEN' "$run/build.log"; then
    program_failure="choosing the VST3's factory program from Ardour's preset list did not finish (status $status$([[ $status -eq 124 ]] && echo ", Ardour hung"))"
    echo "FAIL: $program_failure; going on with the other checks"
fi
state_values=$(sed -n 's/^STATE VALUES: //p' "$run/build.log")

session_file=$run/session/ofc.ardour
echo "=== the VST3's saved state, with program $renamed_program renamed"
"$state_tool" "$session_file" rename "$renamed_program" "$renamed" >"$run/state-written.txt" ||
    { cat "$run/state-written.txt"; echo "FAIL: cannot rename a program in the saved state"; exit 1; }
cat "$run/state-written.txt"
current=$(sed -n 's/^current program: //p' "$run/state-written.txt")
if ! grep -qxF "program $current values: $state_values" "$run/state-written.txt"; then
    echo "FAIL: the state Ardour saved does not hold the values set through it: $state_values"
    exit 1
fi
cp "$session_file" "$run/renamed.ardour"

exported=
for attempt in 1 2 3; do
    echo "=== reopen, run $attempt"
    cp "$run/renamed.ardour" "$session_file"
    rm -f "$run/export/"*
    ardour_phase reopen "$run/reopen-$attempt.log" 60
    exported=$(sed -n 's/^EXPORTED: //p' "$run/reopen-$attempt.log")
    [[ -n $exported ]] && break
    [[ $status -ge 124 ]] || { echo "FAIL: Ardour ended (status $status) without exporting"; exit 1; }
    echo "run $attempt died before its export finished (status $status); retrying"
done
[[ -n $exported ]] || { echo "FAIL: Ardour died before exporting in 3 runs"; exit 1; }
[[ $status -eq 0 ]] || echo "note: Ardour died after its export had finished (status $status)"

failures=0
echo "=== the VST3's state as Ardour saved it after reopening"
"$state_tool" "$session_file" show >"$run/state-reopened.txt"
result=$?
if [[ $result -ne 0 ]] || ! diff "$run/state-written.txt" "$run/state-reopened.txt"; then
    cat "$run/state-reopened.txt"
    echo "FAIL: the reopened session did not save the state it was given"
    failures=$((failures + 1))
else
    echo "ok: the same state, with '$(sed -n "s/^program $renamed_program name: //p" "$run/state-reopened.txt")' and the edited values"
fi

echo "=== the export: VST 2.4 on channels 1-2, VST3 on 3-4"
"$wav_check" "$exported" --channels 4 --rate 48000 --min-seconds 3 --min-rms-db -40 \
    --compare-halves 1 || failures=$((failures + 1))

if [[ -n $program_failure ]]; then
    echo "FAIL: $program_failure"
    failures=$((failures + 1))
fi
echo "VST3 session test took $(seconds_since "$started") s"
[[ $failures -eq 0 ]] || exit 1
echo "PASSED"
