#!/usr/bin/env bash
# The manual pages: groff reads them without a warning, they carry the program's version,
# and spritlog-cli.1 documents every command and option that `spritlog-cli --help` lists.
# Usage: manpage_test.sh PACKAGING_DIR VERSION SPRITLOG_CLI
set -euo pipefail
dir=$1 version=$2 cli=$3
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for page in spritlog.1 spritlog-cli.1; do
    out=$(groff -man -k -Tutf8 -ww -z "$dir/$page" 2>&1) || fail "groff fails on $page"
    [ -z "$out" ] || fail "groff warns on $page: $out"
    grep -q "^\.TH .* \"Spritlog $version\"" "$dir/$page" || fail "$page is not for $version"
done

page=$dir/spritlog-cli.1
help=$("$cli" --help)
# Commands: the indented names of the "Befehle:" block.
commands=$(awk '/^Befehle:/ {on = 1; next} /^$/ {on = 0} on && /^  [a-z]/ {print $1}' <<<"$help")
[ -n "$commands" ] || fail "no commands found in --help"
for command in $commands; do
    grep -q "^\\\\fB$command\\\\fR" "$page" || fail "command '$command' is not documented"
done
for option in $(grep -oE -- '--[a-z]+' <<<"$help" | sort -u); do
    grep -qF -- "${option//-/\\-}" "$page" || fail "option '$option' is not documented"
done
# Every exit status of --help.
for status in $(awk '/^Rückgabewert:/ {on = 1; next} /^$/ {on = 0} on && /^  [0-9]/ {print $1}' <<<"$help"); do
    grep -qx "\.B $status" "$page" || fail "exit status $status is not documented"
done

[ "$failures" -eq 0 ] || exit 1
echo "manual pages: $(wc -w <<<"$commands") commands documented, all checks passed"
