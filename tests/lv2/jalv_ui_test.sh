#!/usr/bin/env bash
# The user interface inside a real host: Debian's jalv (GTK, which embeds X11 UIs) on a private
# Xvfb with a JACK server on its dummy driver. Clicks and a drag go through XTest (xdotool):
#  - SC Filter Type "6 dB/oct" and Bypass clicked: the window shows the same pixels as the VST
#    2.4 editor drawn without a window in that state (ofc-host snapshot);
#  - with a 40 Hz tone through the plug-in, a drag on Threshold and a click on SC Filter Type
#    "off" reach its ports: its gain output port shows more reduction after each.
# Usage: jalv_ui_test.sh BUNDLE WORK OFC_HOST VST_PLUGIN
set -uo pipefail
source "$(dirname "$0")/lv2_env.sh"
bundle=$1 work=$2 host=$3 vst=$4
lv2_require Xvfb jackd jack_metro jack_connect jack_lsp jalv.gtk3 xdotool xwininfo import compare
lv2_path "$work" "$bundle"
# One server name per work folder: a rerun takes back its own slot in JACK's registry, which
# has room for eight servers and keeps a dead one's slot unless the same name comes again.
export JACK_DEFAULT_SERVER=ofc-jalv-$(realpath "$work" | cksum | cut -d' ' -f1)
export JACK_NO_AUDIO_RESERVATION=1 JACK_NO_START_SERVER=1

# Stopped in this order: a JACK server stopped while clients are still leaving keeps its slot.
clients=() jack_server='' x_server=''
stop() { [[ -n $1 ]] && kill "$1" 2>/dev/null && wait "$1" 2>/dev/null; }
cleanup() {
    local pid
    for pid in "${clients[@]}"; do stop "$pid"; done
    stop "$jack_server"
    stop "$x_server"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
    local tries=$(($1 * 10))
    shift
    while ! "$@" >/dev/null 2>&1; do
        ((--tries > 0)) || return 1
        sleep 0.1
    done
}

Xvfb -displayfd 5 -screen 0 1024x768x24 5>"$work/display" 2>"$work/xvfb.log" &
x_server=$!
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display")

# start_jackd: the server on its dummy driver.
start_jackd() {
    jackd --no-realtime -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
    jack_server=$!
    wait_for 10 jack_lsp && return
    stop "$jack_server"
    jack_server=''
    return 1
}
# A registry whose every slot names a dead server (servers that were killed) is junk once no
# JACK server runs at all: it is removed, once.
registry_is_junk() { grep -q 'Too many servers' "$work/jackd.log" && ! pgrep -x 'jackd|jackdbus' >/dev/null; }
if ! start_jackd && registry_is_junk; then
    echo "JACK's registry is full of dead servers and none runs: removing it"
    rm -f /dev/shm/jack-shm-registry "/dev/shm/jack-$(id -u)-"*
    start_jackd
fi
[[ -n $jack_server ]] || { cat "$work/jackd.log"; fail "jackd did not start"; }
jalv.gtk3 --print-controls "$PLUGIN_URI" >"$work/jalv.log" 2>&1 &
clients+=($!)

editor_window() { xwininfo -root -tree | awk '/ 690x270\+0\+0 / && /has no name/ { print $1 }' | tail -n1; }
has_editor_window() { [[ -n $(editor_window) ]]; }
wait_for 20 has_editor_window || { head -n 20 "$work/jalv.log"; fail "no 690x270 editor window"; }
window=$(editor_window)
echo "editor window $window"
# Room above the window for a long upward drag (there is no window manager to mind).
xdotool windowmove "$(xdotool search --name '^Orvane Feedback Compressor$' | head -n1)" 100 420
sleep 1
click() { xdotool mousemove --window "$window" "$1" "$2" click 1 && sleep 0.6; }
# Centres of controls, in the editor's own coordinates.
click 46 159  # SC Filter Type: "6 dB/oct"
click 567 239 # Bypass
sleep 1

"$host" snapshot "$vst" "$work/headless.png" --set "SC Filter Type=1" --set Bypass=1 >/dev/null ||
    fail "ofc-host snapshot"
import -window "$window" "$work/jalv.png" || fail "cannot capture the window"
different=$(compare -metric AE "$work/jalv.png" "$work/headless.png" "$work/difference.png" 2>&1)
echo "pixels different from the headless snapshot: $different"
[[ $different == 0 ]] || fail "the window differs (pictures in $work)"

# gain: the last value jalv printed for the plug-in's gain port, after `settle` seconds.
gain() { sleep 1.5; sed -n 's/^gain = //p' "$work/jalv.log" | tail -n1; }
click 567 239 # Bypass off again: the compressor is heard
jack_metro -n tone -f 40 -A 0.5 -D 990 -b 60 >/dev/null 2>&1 &
clients+=($!)
wait_for 10 jack_connect tone:60_bpm "Orvane Feedback Compressor:in_left" || fail "no tone"
jack_connect tone:60_bpm "Orvane Feedback Compressor:in_right"
before=$(gain)
xdotool mousemove --window "$window" 142 83 mousedown 1
for _ in $(seq 40); do xdotool mousemove_relative -- 0 -10; sleep 0.05; done
xdotool mouseup 1
dragged=$(gain)
click 46 112 # SC Filter Type: "off", so the 40 Hz tone reaches the detector whole
unfiltered=$(gain)
import -window "$window" "$work/jalv-end.png"
echo "gain: $before before the drag, $dragged after it, $unfiltered with the side-chain filter off"
awk -v a="$before" -v b="$dragged" -v c="$unfiltered" 'BEGIN { exit !(a != "" && b < a - 0.01 && c < b - 0.01) }' ||
    fail "the drag and the click did not reach the plug-in's ports"
echo PASSED
