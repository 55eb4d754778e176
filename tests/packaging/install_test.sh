#!/usr/bin/env bash
# `cmake --install` of the build into a scratch root, as a distribution's build would do it.
# Usage: install_test.sh BUILD_DIR VERSION SAMPLE WORK_DIR
set -euo pipefail
build=$1 version=$2 sample=$3 work=$4
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
source "$(dirname "$0")/installed_tree.sh"

rm -rf "$work"
mkdir -p "$work"
DESTDIR="$work/root" cmake --install "$build" --prefix /usr >"$work/install.log"
check_installed_tree "$work/root"

[ "$failures" -eq 0 ] || exit 1
echo "cmake --install: all checks passed"
