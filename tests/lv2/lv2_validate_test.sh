#!/usr/bin/env bash
# The bundle's Turtle against the schemas of Debian's lv2-dev: sord_validate must find no error
# and no warning.
# Usage: lv2_validate_test.sh BUNDLE
set -uo pipefail
source "$(dirname "$0")/lv2_env.sh"
bundle=$1
lv2_require sord_validate dpkg-query
mapfile -t schemas < <(dpkg-query -L lv2-dev 2>/dev/null | grep '\.ttl$')
if [[ ${#schemas[@]} -eq 0 ]]; then
    echo "lv2-dev's schemas are not installed"
    [[ -n ${CI:-} ]] && exit 1
    exit $SKIP_STATUS
fi
report=$(sord_validate "${schemas[@]}" "$bundle"/*.ttl 2>&1)
status=$?
echo "$report"
# Every finding is a line of its own starting "error:" or "warning:"; the summary must count none.
if [[ $status -ne 0 ]] || grep -Eq '^(error|warning)' <<<"$report" ||
    ! grep -q '^Found 0 errors' <<<"$report"; then
    echo "FAIL: sord_validate reported the above (status $status)"
    exit 1
fi
echo PASSED
