#!/usr/bin/env bash
# lilv's lv2ls and lv2info find the bundle and show what a VST 2.4 host sees of the same effect
# (ofc-host info on the VST 2.4 library): the 21 parameters in order with their names and
# defaults, the nine programs as presets, then the meters and the latency port.
# Usage: lv2_hosts_test.sh BUNDLE WORK OFC_HOST VST_PLUGIN
set -uo pipefail
source "$(dirname "$0")/lv2_env.sh"
bundle=$1 work=$2 host=$3 vst=$4
lv2_require lv2ls lv2info
lv2_path "$work" "$bundle"

failures=0
check() { # WHAT EXPECTED GOT
    if [[ $2 == "$3" ]]; then
        echo "ok: $1"
    else
        echo "FAIL: $1"
        diff <(echo "$2") <(echo "$3")
        failures=$((failures + 1))
    fi
}

check "lv2ls lists the plug-in once" 1 "$(lv2ls | grep -cx "$PLUGIN_URI")"
info=$(lv2info "$PLUGIN_URI") || { echo "FAIL: lv2info cannot load $PLUGIN_URI"; exit 1; }
vst_info=$("$host" info "$vst") || { echo "FAIL: ofc-host info $vst"; exit 1; }

# "name|default" per parameter, from both.
vst_parameters=$(sed -nE '/^Parameters/,/^$/s/^ *[0-9]+  (.*[^ ]) +(-?[0-9]+\.[0-9]{6})  .*/\1|\2/p' \
    <<<"$vst_info")
lv2_ports=$(awk '/^\tPort [0-9]+:/ { port = $2 + 0 }
    /^\t\tName:/ { sub(/^\t\tName: +/, ""); name[port] = $0 }
    /^\t\tDefault:/ { default_[port] = $2 }
    /^\t\tDesignation:/ { designation[port] = $2 }
    END { for (p = 0; p <= port; ++p) print p "|" name[p] "|" default_[p] "|" designation[p] }' \
    <<<"$info")
check "21 parameters in ofc-host info" 21 "$(wc -l <<<"$vst_parameters")"
check "parameter ports 4 to 24 have the VST 2.4 names and defaults" "$vst_parameters" \
    "$(sed -n '5,25p' <<<"$lv2_ports" | cut -d'|' -f2,3)"
check "30 ports: the latency, then the host's enable switch" \
    $'28|Latency||http://lv2plug.in/ns/lv2core#latency\n29|Enable|1.000000|http://ardour.org/lv2/processing#enable' \
    "$(tail -n2 <<<"$lv2_ports")"
check "meter outputs" $'Gain\nFast Level\nSlow Level' "$(sed -n '26,28p' <<<"$lv2_ports" | cut -d'|' -f2)"

programs=$(sed -nE '/^Programs/,/^$/s/^ +[0-9]+  (.*)/\1/p' <<<"$vst_info" | sort)
presets=$(sed -nE '/^\tPresets:/,/^$/s/^\t +([^ ].*)/\1/p' <<<"$info" | sort)
check "the nine programs are the presets" "$programs" "$presets"
check "nine programs" 9 "$(wc -l <<<"$programs")"

[[ $failures -eq 0 ]] || exit 1
echo PASSED
