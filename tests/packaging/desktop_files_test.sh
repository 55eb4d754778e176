#!/usr/bin/env bash
# The desktop entry, the file type and the AppStream data: each passes its validator, and
# they agree with each other and with the program's version.
# Usage: desktop_files_test.sh PACKAGING_DIR VERSION WORK_DIR
set -euo pipefail
dir=$1 version=$2 work=$3
desktop=$dir/spritlog.desktop
mime=$dir/spritlog-mime.xml
metainfo=$dir/org.spritlog.Spritlog.metainfo.xml
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
key() { sed -n "s/^$1=//p" "$desktop"; }

# desktop-file-validate: errors and warnings fail; hints (two main categories, as the menu
# entry has Office and Utility) do not.
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
if grep -E 'error:|warning:' <<<"$out"; then fail "desktop-file-validate complains"; fi

out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"

[ "$(key Name)" = Spritlog ] || fail "Name is '$(key Name)'"
[ -n "$(key 'Comment\[de\]')" ] || fail "no German comment"
[ -n "$(key Comment)" ] || fail "no English comment"
[ "$(key Exec)" = "spritlog %f" ] || fail "Exec is '$(key Exec)'"
[ "$(key Categories)" = "Office;Utility;" ] || fail "Categories is '$(key Categories)'"

# One name for the file type, one for the icon, one for the desktop entry.
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
[ "$type" = application/x-spritlog ] || fail "MIME type is '$type'"
[ "$(key MimeType)" = "$type;" ] || fail "desktop MimeType '$(key MimeType)' is not '$type;'"
grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "metainfo does not provide $type"
[ "$(key Icon)" = spritlog ] || fail "Icon is '$(key Icon)'"
grep -q '<launchable type="desktop-id">spritlog.desktop</launchable>' "$metainfo" ||
    fail "metainfo does not launch spritlog.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
for binary in spritlog spritlog-cli; do
    grep -q "<binary>$binary</binary>" "$metainfo" || fail "metainfo does not provide $binary"
done

# The file type as the desktop sees it once shared-mime-info has read the XML: *.slg, with
# an English and a German description.
rm -rf "$work"
mkdir -p "$work/mime/packages"
cp "$mime" "$work/mime/packages/spritlog.xml"
# It reports a file it cannot parse but still exits with 0.
out=$(XDG_DATA_DIRS=$work update-mime-database "$work/mime" 2>&1) || true
[ -z "$out" ] || fail "update-mime-database: $out"
grep -qx "50:$type:\*\.slg" "$work/mime/globs2" || fail "globs2 has no *.slg for $type"
generated=$work/mime/$type.xml
[ -f "$generated" ] || fail "no $type.xml generated"
grep -q '<comment xml:lang="de">' "$generated" || fail "no German description of $type"
grep -q '<comment>' "$generated" || fail "no English description of $type"

[ "$failures" -eq 0 ] || exit 1
echo "desktop entry, file type and AppStream data: all checks passed"
