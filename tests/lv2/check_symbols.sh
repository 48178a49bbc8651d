#!/usr/bin/env bash
# check_symbols.sh DSP_LIBRARY [UI_LIBRARY]
# The LV2 libraries adapt the format-neutral effect: neither may hold the VST 2.4 effect, its
# dispatcher or entry point, and the user interface (which reaches the plug-in through ports
# alone) none of the engine either. Every symbol the linker kept counts, local ones included.
# The DSP library draws its mixer-strip picture with the displays' drawing rules on cairo: it
# may hold the drawing context and cairo, but no editor, view, frame or window, and load no
# windowing library.
set -euo pipefail
# Symbols whose own name is one of these classes' members, vtables or type information, or the
# entry point; a pointer type in another class's signature does not count.
owner='^((vtable|typeinfo|typeinfo name|VTT) for )?'
vst2="${owner}(AudioEffect|AudioEffectX|VstTemplate|AudioEffectEditorAccess)(::|$)|^VSTPluginMain|^main$"
engine="${owner}(CompressorEngine|EngineCore|GainComputer|LevelDetector|HalfBand[A-Za-z]*|SideChainFilter|Harmonics|NoiseTables|OrvaneEffect|halfband)(::|$)"
status=0
check() {
  local library=$1 pattern=$2 what=$3 found
  found=$(nm -C "$library" | cut -c20- | grep -E "$pattern" || true)
  if [ -n "$found" ]; then
    echo "$(basename "$library") holds $what symbols:"
    echo "$found" | head -20
    status=1
  else
    echo "$(basename "$library"): no $what symbol"
  fi
}
# A library whose symbols nm cannot read would pass every check.
[ "$(nm "$1" | wc -l)" -gt 100 ] || { echo "no symbols read from $1"; exit 1; }
check "$1" "$vst2" "VST 2.4"
editor="${owner}(AEffEditor|AEffGUIEditor|VstTemplateGUI|CFrame|CView|CControl|CViewContainer|PlatformWindow|X11[A-Za-z]*)(::|$)"
check "$1" "$editor" "editor or window"
windowing=$(readelf -d "$1" | grep -E 'NEEDED.*\[lib(X11|xcb|Xext|Xtst|gtk|gdk|cairo-xlib)' || true)
if [ -n "$windowing" ]; then
  echo "$(basename "$1") loads a windowing library:"; echo "$windowing"; status=1
else
  echo "$(basename "$1"): no windowing library"
fi
if [ $# -ge 2 ]; then
  [ "$(nm "$2" | wc -l)" -gt 100 ] || { echo "no symbols read from $2"; exit 1; }
  check "$2" "$vst2" "VST 2.4"
  check "$2" "$engine" "engine"
fi
exit $status
