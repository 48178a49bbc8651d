#!/usr/bin/env bash
# The plug-in's editor in the Windows test host under wine, on a private Xvfb display, driven
# with real input through xdotool: a knob drag is one gesture of automation, Control-click
# resets, a wheel notch moves a tenth, a click toggles Bypass, and the screen shows exactly
# the editor's own picture of its state.
#   editor_interaction_test.sh WINE_RUN TEST_HOST_EXE PLUGIN_DLL
set -euo pipefail
wine_run=$1 test_host=$2 plugin=$3
work=$(mktemp -d)
failures=0
xvfb_pid="" host_pid=""
cleanup() {
  [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses; Xvfb itself refuses one that is taken (then try the next).
for display in $(seq 171 230); do
  [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ] && continue
  Xvfb :$display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    DISPLAY=:$display xdpyinfo >/dev/null 2>&1 && break 2
    kill -0 $xvfb_pid 2>/dev/null || break
    sleep 0.1
  done
  kill $xvfb_pid 2>/dev/null || true
  xvfb_pid=""
done
[ -n "$xvfb_pid" ] || { echo "no free display for Xvfb"; exit 1; }
export DISPLAY=:$display

title="ofc-interaction-$$"
"$wine_run" "$test_host" "$plugin" "$work" "$title" >"$work/host.log" 2>&1 &
host_pid=$!

# One command to the host, its reply on stdout.
ask() {
  rm -f "$work/reply"
  echo "$*" >"$work/command.tmp"
  mv "$work/command.tmp" "$work/command"
  for _ in $(seq 300); do
    if [ -f "$work/reply" ]; then tr -d '\r' <"$work/reply"; return 0; fi
    kill -0 $host_pid 2>/dev/null || { echo "test host died: $(cat "$work/host.log")" >&2; exit 1; }
    sleep 0.1
  done
  echo "no reply to: $*" >&2
  exit 1
}
check() { # check DESCRIPTION ACTUAL EXPECTED
  if [ "$2" == "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: got '$2', expected '$3'"; failures=$((failures + 1)); fi
}
settle() { sleep 0.4; }

read -r ox oy < <(ask origin)
[[ "$ox" =~ ^-?[0-9]+$ ]] || { echo "editor window not found: $ox"; exit 1; }
xdotool search --sync --name "$title" >/dev/null
echo "editor at $ox,$oy on $DISPLAY"
at() { echo $((ox + $1)) $((oy + $2)); }
threshold=(142 83)

# A drag up by 60 pixels in steps of 10: one gesture, moving the knob by 60/600.
ask set 3 0.5 >/dev/null
xdotool mousemove $(at "${threshold[@]}") && settle
xdotool mousedown 1 && settle
for step in 1 2 3 4 5 6; do
  xdotool mousemove $(at "${threshold[0]}" $((threshold[1] - 10 * step))); sleep 0.1
done
settle; xdotool mouseup 1; settle
check "threshold after a 60-pixel drag" "$(ask get 3)" "0.600000"
drag=$(ask calls)
check "one begin, automation, one end" \
  "$(sed -E 's/automate 3 [0-9.e-]+; /A/g; s/(A)+/A/' <<<"$drag")" "begin 3; Aend 3; "
check "last automated value" "$(grep -oE 'automate 3 [0-9.]+; end' <<<"$drag" | awk '{print $3 + 0}')" "0.6"

# Control-click: back to the default.
xdotool mousemove $(at "${threshold[@]}") && sleep 0.6 # no double click with the drag's press
xdotool keydown ctrl click 1 keyup ctrl && settle
check "threshold after control-click" "$(ask get 3)" "0.000000"
check "control-click calls" "$(ask calls)" "begin 3; automate 3 0; end 3; "

# One wheel notch up over the knob (the editor has the focus since its last click).
xdotool click 4 && settle
check "threshold after one wheel notch" "$(ask get 3)" "0.100000"

# Bypass on, then off again.
ask set 16 0 >/dev/null
xdotool mousemove $(at 567 239) && settle
xdotool click 1 && settle
check "bypass after a click" "$(ask get 16)" "1.000000"
sleep 0.6
xdotool click 1 && settle
check "bypass after a second click" "$(ask get 16)" "0.000000"
xdotool click 1 && settle

# The screen against the editor's own picture of the same state (its back buffer): equal
# pixel for pixel. The earlier picture (before Bypass) must differ, or the check proves nothing.
xdotool mousemove 1000 700 && settle
capture() { # capture NAME: the editor's area of the screen
  import -window root -crop 690x270+"$ox"+"$oy" +repage "$work/$1.png"
}
picture() { # picture NAME: the editor's back buffer, flattened on black as the window shows it
  check "snapshot $1 written" "$(ask snapshot "Z:$work/$1-rgba.png")" "1"
  convert "$work/$1-rgba.png" -background black -alpha remove -alpha off "$work/$1.png"
}
different() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true; }
picture drawn; capture shown
check "pixels differing between the window and the editor's picture" "$(different shown drawn)" "0"
check "lowest alpha of the editor's picture" \
  "$(identify -format '%[fx:minima.a]' "$work/drawn-rgba.png")" "1"
ask set 16 0 >/dev/null; settle
capture bypass-off
[ "$(different bypass-off drawn)" != "0" ] || { echo "FAILED: Bypass changes no pixel"; failures=$((failures + 1)); }
picture drawn-off
check "pixels differing after Bypass off" "$(different bypass-off drawn-off)" "0"

ask quit >/dev/null || true
wait $host_pid || true
host_pid=""
[ $failures -eq 0 ] || { cp "$work"/*.png /tmp/ 2>/dev/null || true; echo "$failures checks failed (pictures in /tmp)"; exit 1; }
echo "all checks passed"
