# Shared by the LV2 tests (sourced): tools that must be there, and a private LV2 path holding
# the built bundle and the installed LV2 schemas, so no other copy of the plug-in is seen.
SKIP_STATUS=77

# lv2_require TOOL...: skips (or, with CI set, fails) when a tool is missing.
lv2_require() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "$tool is not installed (scripts/install-deps.sh installs it)"
            if [[ -n ${CI:-} ]]; then echo "FAIL: CI is set"; exit 1; fi
            echo "SKIP: CI is not set"
            exit $SKIP_STATUS
        fi
    done
}

# lv2_path WORK BUNDLE: LV2_PATH with the bundle alone beside the system's LV2 schemas.
lv2_path() {
    local work=$1 bundle=$2
    rm -rf "$work" && mkdir -p "$work/lv2" || exit 1
    ln -s "$(realpath "$bundle")" "$work/lv2/$(basename "$bundle")"
    export LV2_PATH="$work/lv2:/usr/lib/lv2"
}

PLUGIN_URI=http://www.quenmoor.com/orvane-feedback-compressor
