#!/usr/bin/env bash
# The tool's manual page and bash completion agree with the tool: every
# command its --help lists is in both, the page formats without warnings,
# and completing names a Library of the data folder.
#   check_cli_docs.sh TOOL MAN_PAGE COMPLETION
set -euo pipefail
tool=$1 page=$2 completion=$3
fail() { echo "FAIL: $*"; exit 1; }

commands=$("$tool" --help | awk '/^Commands:/{on=1; next} on && /^$/{exit} on{print $1}')
[ -n "$commands" ] || fail "no commands in the tool's --help"
for command in $commands; do
    grep -q "^\.SS $command\b" "$page" || fail "the manual page has no section for $command"
    grep -q "^        $command)" "$completion" || fail "the completion does not know $command"
done
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null || true)
[ -z "$warnings" ] || fail "the manual page formats with warnings: $warnings"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/VemoLibrary"
: > "$home/VemoLibrary/Our Music.vly"
: > "$home/VemoLibrary/Books.vly"
complete_line() {
    # Completes the last word of the words given, as bash would on Tab.
    XDG_DATA_HOME=$home bash -c '
        source "$0"
        COMP_WORDS=("$@"); COMP_CWORD=$(( $# - 1 ))
        _vemolibrary_cli
        printf "%s\n" "${COMPREPLY[@]}"' "$completion" "$@"
}
[ "$(complete_line vemolibrary-cli dump Our)" = "Our Music" ] || fail "no library name completed"
[ "$(complete_line vemolibrary-cli import Books --type 'Video\ T')" = "Video Tapes" ] || fail "no media type completed"
[ "$(complete_line vemolibrary-cli import Books --delimiter co)" = "comma" ] || fail "no delimiter completed"
[ "$(complete_line vemolibrary-cli web)" = "webreport" ] || fail "no command completed"
[ "$(complete_line vemolibrary-cli list --j)" = "--json" ] || fail "no option completed"
echo "manual page and completion agree with the tool"
