#!/usr/bin/env bash
# Every command ofc-host --help lists and every option that any --help text names appears in
# the man page of its program.
# Usage: man_page_test.sh OFC_HOST OFC_BENCH MAN_DIR
set -uo pipefail
host=$1 bench=$2 man=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The page as text: roff's escaped hyphens and backslashes as typed.
page_text() { sed -e 's/\\-/-/g' -e 's/\\e/\\/g' -e 's/\\&//g' "$1"; }
options_in() { grep -oE -- '(^|[^A-Za-z0-9-])--?[a-z][a-z0-9-]*' | grep -oE -- '--?[a-z][a-z0-9-]*' | sort -u; }

check() { # check PAGE HELP_TEXT WHAT
    local page=$1 help=$2 what=$3 option
    while read -r option; do
        [[ -z $option ]] && continue
        grep -qF -- "$option" <<<"$page" || fail "$what: $option is not in the man page"
    done < <(options_in <<<"$help")
}

[[ -f $man/ofc-host.1 && -f $man/ofc-bench.1 ]] || { echo "FAIL: no man pages in $man"; exit 1; }
host_page=$(page_text "$man/ofc-host.1")
help=$("$host" --help) || fail "ofc-host --help"
check "$host_page" "$help" "ofc-host --help"
commands=$(sed -n '/^commands:/,$ { s/^  \([a-z][a-z0-9-]*\) .*/\1/p }' <<<"$help")
[[ -n $commands ]] || fail "ofc-host --help lists no commands"
for command in $commands; do
    grep -q "^\.SS $command\$" "$man/ofc-host.1" || fail "no section for $command"
    check "$host_page" "$("$host" "$command" --help)" "ofc-host $command --help"
done
check "$(page_text "$man/ofc-bench.1")" "$("$bench" --help)" "ofc-bench --help"
[[ $failures -eq 0 ]] || exit 1
echo "PASSED: commands $(echo $commands)"
