#!/usr/bin/env bash
# Qtractor's plug-in scanner on the CLAP library: one line, with our name, stereo main ports, no
# MIDI, the parameter counts and the flags for an editor, saved state and real-time use. The
# scanner exits 0 whatever happens and prints nothing for a library it cannot load, so the
# line is what counts. 77: the scanner is not installed (a failure when CI is set).
#   qtractor_scan_test.sh PLUGIN.clap
set -uo pipefail
plugin=$(readlink -f "$1")
scanner=/usr/lib/x86_64-linux-gnu/qtractor/qtractor_plugin_scan
if [ ! -x "$scanner" ]; then
  echo "No $scanner: install Debian's qtractor (scripts/install-deps.sh does)."
  if [ -n "${CI:-}" ]; then exit 1; fi
  exit 77
fi
# Off-screen: the scanner is a Qt program and must not look for a display.
lines=$(echo "CLAP:$plugin" | QT_QPA_PLATFORM=offscreen timeout 60 "$scanner" 2>/dev/null)
echo "$lines"
count=$(printf '%s\n' "$lines" | grep -c '^CLAP|')
expected="^CLAP\|Orvane Feedback Compressor\|2:2\|0:0\|21:0\|GUI,EXT,RT\|$plugin\|0\|0x[0-9a-f]+$"
if [ "$count" -ne 1 ] || ! printf '%s\n' "$lines" | grep -Eq "$expected"; then
  echo "expected exactly one line matching $expected"
  exit 1
fi
