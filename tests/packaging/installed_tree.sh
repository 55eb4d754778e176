# Sourced by the install and package tests: checks the tree under ROOT (the files lie under
# ROOT/usr) that `cmake --install` or the Debian package produced.
# Needs: root, version (major.minor, as spritlog-cli --version prints it), sample, fail().

check_installed_tree() {
    local root=$1
    local expected=(
        usr/bin/spritlog
        usr/bin/spritlog-cli
        usr/share/applications/spritlog.desktop
        usr/share/icons/hicolor/scalable/apps/spritlog.svg
        usr/share/man/man1/spritlog-cli.1.gz
        usr/share/man/man1/spritlog.1.gz
        usr/share/metainfo/org.spritlog.Spritlog.metainfo.xml
        usr/share/mime/packages/spritlog.xml
    )
    local f
    for f in "${expected[@]}"; do
        [ -f "$root/$f" ] || fail "missing $f"
    done
    # Nothing else: no libraries, headers or test programs of the build.
    local unexpected
    unexpected=$(comm -13 <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) \
        <(cd "$root" && find . -type f -o -type l | sed 's#^\./##' | LC_ALL=C sort))
    [ -z "$unexpected" ] || fail "unexpected files: $unexpected"

    for f in usr/bin/spritlog usr/bin/spritlog-cli; do
        [ -x "$root/$f" ] || fail "$f is not executable"
        # A run path into the build tree would load stale or missing libraries.
        if readelf -d "$root/$f" | grep -E 'R(UN)?PATH'; then fail "$f has a run path"; fi
    done

    # The installed tool runs on its own and reads a logbook.
    local out
    out=$("$root/usr/bin/spritlog-cli" --version) || fail "installed spritlog-cli does not run"
    [ "$out" = "spritlog-cli $version" ] || fail "installed spritlog-cli says '$out'"
    "$root/usr/bin/spritlog-cli" stats "$sample" >/dev/null ||
        fail "installed spritlog-cli cannot read $sample"

    out=$(desktop-file-validate "$root/usr/share/applications/spritlog.desktop" 2>&1) ||
        fail "installed desktop entry: $out"
    appstreamcli validate --no-net "$root/usr/share/metainfo/org.spritlog.Spritlog.metainfo.xml" \
        >/dev/null || fail "installed metainfo does not validate"
    for f in spritlog spritlog-cli; do
        gzip -t "$root/usr/share/man/man1/$f.1.gz" || fail "$f.1.gz is not gzip data"
        zcat "$root/usr/share/man/man1/$f.1.gz" | grep -q "^\.TH ${f^^} 1 " ||
            fail "$f.1.gz is not the manual page of $f"
    done
    grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/spritlog.svg" ||
        fail "the icon is no SVG drawing"
}
