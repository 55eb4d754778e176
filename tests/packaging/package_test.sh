#!/usr/bin/env bash
# The Debian package: name, version, maintainer, dependencies and file modes in its control
# data, and the files it unpacks (dpkg -x into a scratch root).
# Usage: package_test.sh BUILD_DIR FULL_VERSION VERSION SAMPLE WORK_DIR
set -euo pipefail
build=$1 full_version=$2 version=$3 sample=$4 work=$5
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
source "$(dirname "$0")/installed_tree.sh"

rm -rf "$work"
mkdir -p "$work"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" || {
    cat "$work/cpack.log" >&2
    exit 1
}
arch=$(dpkg --print-architecture)
deb=$work/spritlog_${full_version}_$arch.deb
[ -f "$deb" ] || { fail "no $(basename "$deb") in $(ls "$work")"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = spritlog ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$full_version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Maintainer)" = "Spritlog-Team <team@spritlog.example.org>" ] ||
    fail "Maintainer is '$(field Maintainer)'"
depends=$(field Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 libqt6printsupport6 libqt6svg6 libxlsxwriter4 \
    qt6-qpa-plugins; do
    grep -qE "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
# Only runtime packages: nothing of the build or test tool chain.
if grep -qE 'libqt6test|-dev|gtest' <<<"$depends"; then fail "Depends has build packages: $depends"; fi

# Owned by root, programs 0755, data 0644.
while read -r mode owner _ _ _ path; do
    case $path in
    */) continue ;;
    ./usr/bin/*) want=-rwxr-xr-x ;;
    *) want=-rw-r--r-- ;;
    esac
    [ "$owner" = root/root ] || fail "$path owned by $owner"
    [ "$mode" = "$want" ] || fail "$path has mode $mode"
done < <(dpkg-deb -c "$deb")

dpkg -x "$deb" "$work/root"
check_installed_tree "$work/root"
# Stripped: the package carries no debugging data.
for f in spritlog spritlog-cli; do
    if readelf -S "$work/root/usr/bin/$f" | grep -q '\.debug_info'; then fail "$f is not stripped"; fi
done

[ "$failures" -eq 0 ] || exit 1
echo "Debian package $(basename "$deb"): all checks passed"
