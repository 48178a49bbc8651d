# Shared by the DAW tests (sourced): where Debian's Ardour 7 lives, and a private environment per
# run, so that nothing from the user's or CI's own Ardour set-up, plug-in folders or caches leaks in.

ARDOUR_LIB=/usr/lib/ardour7
ARDOUR_SCANNER=$ARDOUR_LIB/ardour-vst-scanner
ARDOUR_VST3_SCANNER=$ARDOUR_LIB/ardour-vst3-scanner
ARDOUR_LUA=/usr/bin/ardour7-lua
SKIP_STATUS=77

ardour_require() {
    if [[ ! -x $ARDOUR_SCANNER || ! -x $ARDOUR_VST3_SCANNER || ! -x $ARDOUR_LUA ]]; then
        echo "Ardour 7 is not installed (Debian package 'ardour', which scripts/install-deps.sh installs)"
        # Under CI a missing tool fails the test, so the suite cannot shrink unnoticed.
        if [[ -n ${CI:-} ]]; then echo "FAIL: CI is set"; exit 1; fi
        echo "SKIP: CI is not set"
        exit $SKIP_STATUS
    fi
}

# ardour_prepare RUN_DIR PLUGIN [VST3_BUNDLE]: a fresh home and XDG folders, the plug-in alone in a
# VST folder (and the VST3 bundle alone in a VST3 folder), and ARDOUR_RUN_ENV, the command prefix
# that gives every Ardour process of the run that set-up.
ardour_prepare() {
    local run=$1 plugin=$2 vst3_bundle=${3:-}
    rm -rf "$run"
    mkdir -p "$run"/{home,config,cache,data,runtime,vst}
    chmod 700 "$run/runtime"
    ARDOUR_PLUGIN_COPY=$run/vst/$(basename "$plugin")
    cp "$plugin" "$ARDOUR_PLUGIN_COPY"
    # Ardour trusts a scan cache only when it is newer than the module, counted in whole seconds;
    # a module built a moment ago would otherwise be taken as changed and left out.
    touch -d '-1 hour' "$ARDOUR_PLUGIN_COPY"
    ARDOUR_RUN_ENV=(env -i PATH=/usr/bin:/bin
        HOME="$run/home" XDG_CONFIG_HOME="$run/config" XDG_CACHE_HOME="$run/cache"
        XDG_DATA_HOME="$run/data" XDG_RUNTIME_DIR="$run/runtime" LXVST_PATH="$run/vst")
    ARDOUR_CACHE_DIR=$run/cache/ardour7/vst
    if [[ -n $vst3_bundle ]]; then
        mkdir -p "$run/vst3"
        ARDOUR_VST3_COPY=$run/vst3/$(basename "$vst3_bundle")
        cp -r "$vst3_bundle" "$ARDOUR_VST3_COPY"
        find "$ARDOUR_VST3_COPY" -exec touch -d '-1 hour' {} +
        ARDOUR_RUN_ENV+=(VST3_PATH="$run/vst3")
    fi
}

# ardour_scan: runs Ardour's VST 2.4 scanner on the copied plug-in; it writes the .v2i cache file
# that Ardour's sessions read. It exits 0 whether or not the plug-in loaded.
ardour_scan() {
    "${ARDOUR_RUN_ENV[@]}" LD_LIBRARY_PATH="$ARDOUR_LIB" ARDOUR_DLL_PATH="$ARDOUR_LIB" \
        ARDOUR_CONFIG_PATH=/etc/ardour7 ARDOUR_DATA_PATH=/usr/share/ardour7 \
        timeout -k 5 20 "$ARDOUR_SCANNER" -f "$ARDOUR_PLUGIN_COPY"
}

# ardour_scan_vst3: the same for the copied VST3 bundle (a .v3i cache file). It exits 0 even for a
# module it cannot load; its "Found Plugin" line and the cache file tell.
ardour_scan_vst3() {
    "${ARDOUR_RUN_ENV[@]}" LD_LIBRARY_PATH="$ARDOUR_LIB" ARDOUR_DLL_PATH="$ARDOUR_LIB" \
        ARDOUR_CONFIG_PATH=/etc/ardour7 ARDOUR_DATA_PATH=/usr/share/ardour7 \
        timeout -k 5 20 "$ARDOUR_VST3_SCANNER" -f "$ARDOUR_VST3_COPY"
}

# v2i_attribute FILE NAME: the value of one attribute of the cache's VST2Info (or VST2Cache) element.
v2i_attribute() {
    sed -n "s/.*<VST2\(Info\|Cache\) [^>]*\b$2=\"\([^\"]*\)\".*/\2/p" "$1" | head -n 1
}

# v3i_attribute FILE NAME: the same for a VST3 cache's VST3Info (or VST3Cache) element.
v3i_attribute() {
    sed -n "s/.*<VST3\(Info\|Cache\) [^>]*\b$2=\"\([^\"]*\)\".*/\2/p" "$1" | head -n 1
}

# seconds_since START: seconds elapsed since START (an earlier $EPOCHREALTIME), two decimals.
seconds_since() {
    awk -v start="$1" -v now="$EPOCHREALTIME" 'BEGIN { printf "%.2f", now - start }'
}
