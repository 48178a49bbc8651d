#!/usr/bin/env bash
# Installing for Linux users: cmake --install into the per-user folders (prefix = HOME) and the
# system layout (prefix /usr, into a scratch DESTDIR); then the Debian package cpack builds: its
# control file (name, version, architecture, a dependency on the package of every library the
# plug-ins link), its contents (exactly the /usr layout), and, unpacked into a scratch root,
# lilv loading the LV2 plug-in from it, Ardour's scanners accepting the VST 2.4 library and the
# VST3 bundle, and Qtractor's scanner the CLAP plug-in.
# Usage: install_test.sh BUILD_DIR WORK
set -uo pipefail
here=$(dirname "$0")
source "$here/../lv2/lv2_env.sh"
build=$1 work=$2
lv2_require cpack dpkg-deb dpkg-shlibdeps lv2info lv2apply
vst=$build/OrvaneFeedbackCompressor.so bundle=$build/orvane-feedback-compressor.lv2
vst3="$build/Orvane Feedback Compressor.vst3"
vst3_module="$vst3/Contents/x86_64-linux/Orvane Feedback Compressor.so"
rm -rf "$work" && mkdir -p "$work/home" || exit 1

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# same_tree DIR VST_DIR LV2_DIR VST3_DIR: the three plug-ins installed there, byte for byte.
same_tree() {
    cmp -s "$vst" "$2/OrvaneFeedbackCompressor.so" || fail "$1: no VST 2.4 library in $2"
    diff -r "$bundle" "$3/orvane-feedback-compressor.lv2" >/dev/null ||
        fail "$1: the bundle in $3 differs from the built one"
    diff -r "$vst3" "$4/Orvane Feedback Compressor.vst3" >/dev/null ||
        fail "$1: the VST3 bundle in $4 differs from the built one"
}

HOME=$work/home cmake --install "$build" --prefix "$work/home" >/dev/null || fail "user install"
same_tree "user install" "$work/home/.vst" "$work/home/.lv2" "$work/home/.vst3"
DESTDIR=$work/root cmake --install "$build" --prefix /usr >/dev/null || fail "system install"
same_tree "system install" "$work/root/usr/lib/vst" "$work/root/usr/lib/lv2" "$work/root/usr/lib/vst3"
clap="$build/Orvane Feedback Compressor.clap"
for dir in "$work/home/.clap" "$work/root/usr/lib/clap"; do
    cmp -s "$clap" "$dir/Orvane Feedback Compressor.clap" || fail "no CLAP plug-in in $dir"
done

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/package" >cpack.log 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack"; exit 1; }
debs=("$work"/package/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { fail "expected one .deb, got ${debs[*]}"; exit 1; }
deb=${debs[0]}
control=$(dpkg-deb -f "$deb") && echo "$control"
field() { sed -n "s/^$1: //p" <<<"$control"; }
[[ $(field Package) == orvane-feedback-compressor ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")" ]] ||
    fail "Version: $(field Version)"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fail "Architecture"
depends=$(field Depends)
for module in "$vst" "$bundle"/*.so "$vst3_module" "$clap"; do
    for library in $(objdump -p "$module" | awk '$1 == "NEEDED" { print $2 }'); do
        path=$(ldd "$module" | awk -v lib="$library" '$1 == lib { print $3 }')
        # With merged /usr, dpkg may know the file under its other name.
        owner=$( (dpkg -S "$path" || dpkg -S "$(realpath "$path")") 2>/dev/null | head -n1 | cut -d: -f1)
        [[ -n $owner ]] || { fail "no package holds $library ($path)"; continue; }
        sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends" | grep -qxF "$owner" ||
            fail "Depends lacks $owner (for $library)"
    done
done

# Paths may hold spaces: the path is everything from its leading "./" on.
contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print substr($0, index($0, " ./") + 2) }' | sort)
expected=$(cd "$work/root" && find . -type f | sed 's/^\.//' | sort)
[[ $contents == "$expected" ]] || { fail "package contents"; diff <(echo "$expected") <(echo "$contents"); }

dpkg-deb -x "$deb" "$work/unpacked" || fail "dpkg-deb -x"
export LV2_PATH=$work/unpacked/usr/lib/lv2:/usr/lib/lv2
found=$(lv2info "$PLUGIN_URI")
grep -q "Bundle: *file://$work/unpacked/usr/lib/lv2/" <<<"$found" ||
    fail "lilv does not find the packaged bundle"
"$build/host/ofc-host" render "$vst" --demo "$work/out.wav" --rate 8000 \
    --write-input "$work/in.wav" >/dev/null || fail "demo input"
lv2apply -i "$work/in.wav" -o "$work/lv2.wav" "$PLUGIN_URI" || fail "the packaged LV2 plug-in does not run"

bash "$here/../clap/qtractor_scan_test.sh" "$work/unpacked/usr/lib/clap/Orvane Feedback Compressor.clap" ||
    fail "Qtractor's scanner does not accept the packaged CLAP plug-in"

source "$here/../daw/ardour_env.sh"
if [[ -x $ARDOUR_SCANNER ]]; then
    ardour_prepare "$work/ardour" "$work/unpacked/usr/lib/vst/OrvaneFeedbackCompressor.so"
    ardour_scan
    grep -ql 'name="Orvane Feedback Compressor"' "$ARDOUR_CACHE_DIR"/*.v2i 2>/dev/null ||
        fail "Ardour's scanner does not accept the packaged VST 2.4 library"
    packaged="$work/unpacked/usr/lib/vst3/Orvane Feedback Compressor.vst3"
    scanned=$(env HOME="$work/ardour" LD_LIBRARY_PATH=/usr/lib/ardour7 \
        /usr/lib/ardour7/ardour-vst3-scanner -f "$packaged" 2>&1)
    grep -q "Found Plugin: Orvane Feedback Compressor" <<<"$scanned" ||
        fail "Ardour's VST3 scanner does not accept the packaged bundle: $scanned"
elif [[ -n ${CI:-} ]]; then
    fail "Ardour is not installed"
else
    echo "Ardour's scan left out: Ardour is not installed"
fi

[[ $failures -eq 0 ]] || exit 1
echo PASSED
