#!/usr/bin/env bash
# Runs spritlog-cli once in a fresh work directory and compares its exit status, stdout and
# stderr with a golden file, plus any files it was asked to write.
#
#   run_case.sh BIN DATADIR WORKDIR NAME [checks...] -- ARGS...
#
# The golden file DATADIR/NAME.expected holds
#   status: N
#   --- stdout
#   ...
#   --- stderr
#   ...
# With SPRITLOG_UPDATE_GOLDEN=1 in the environment the golden files are rewritten from this
# run instead (look over every change before committing it).
# Checks (before "--"):
#   --copy SRC[:DEST]       copy DATADIR/SRC into the work directory (as DEST)
#   --settings FILE         use DATADIR/FILE as $XDG_CONFIG_HOME/Ostrel/Spritlog.conf
#   --env NAME=VALUE        extra environment for the run
#   --unset NAME            run without the environment variable NAME
#   --same FILE EXPECTED    work file FILE must equal DATADIR/EXPECTED byte for byte
#   --same-htm FILE EXPECTED  the same, the report's "Stand:" date and time masked, and the
#                           year table's running-year mark and projection
#   --missing FILE          work file FILE must not exist
#   --pdf FILE PAGES        work file FILE must be a PDF with PAGES pages
#   --png FILE WxH          work file FILE must be a PNG picture of W x H pixels
#   --svg FILE TEXT         work file FILE must be an SVG document that holds TEXT
set -u
export LC_ALL=C

bin=$1 data=$2 work=$3 name=$4
shift 4

fail() {
    echo "FAIL: $*" >&2
    status=1
}

if [[ -z "${XDG_CONFIG_HOME:-}" ]]; then
    echo "XDG_CONFIG_HOME must point to a scratch directory" >&2
    exit 1
fi

rm -rf "$work"
mkdir -p "$work"
rm -f "$XDG_CONFIG_HOME/Ostrel/Spritlog.conf"

run_env=()
run_unset=()
checks=()
while [[ $# -gt 0 && $1 != "--" ]]; do
    case $1 in
    --copy)
        src=${2%%:*} dest=${2#*:}
        cp "$data/$src" "$work/$dest" || exit 1
        shift 2 ;;
    --settings)
        mkdir -p "$XDG_CONFIG_HOME/Ostrel"
        cp "$data/$2" "$XDG_CONFIG_HOME/Ostrel/Spritlog.conf" || exit 1
        shift 2 ;;
    --env)
        run_env+=("$2")
        shift 2 ;;
    --unset)
        run_unset+=(-u "$2")
        shift 2 ;;
    --same | --same-htm | --pdf | --png | --svg)
        checks+=("$1" "$2" "$3")
        shift 3 ;;
    --missing)
        checks+=("$1" "$2" "")
        shift 2 ;;
    *)
        echo "run_case.sh: unknown check $1" >&2
        exit 1 ;;
    esac
done
[[ $# -gt 0 ]] && shift

status=0
(cd "$work" && env "${run_unset[@]}" "${run_env[@]}" "$bin" "$@" >"$work/.stdout" 2>"$work/.stderr")
code=$?

{
    echo "status: $code"
    echo "--- stdout"
    cat "$work/.stdout"
    echo "--- stderr"
    cat "$work/.stderr"
} >"$work/.actual"

if [[ -n "${SPRITLOG_UPDATE_GOLDEN:-}" ]]; then
    cp "$work/.actual" "$data/$name.expected"
    for ((i = 0; i < ${#checks[@]}; i += 3)); do
        case ${checks[i]} in
        --same | --same-htm)
            [[ -f "$work/${checks[i + 1]}" ]] && cp "$work/${checks[i + 1]}" "$data/${checks[i + 2]}" ;;
        esac
    done
fi

if ! cmp -s "$work/.actual" "$data/$name.expected"; then
    fail "output differs from $name.expected"
    diff -u "$data/$name.expected" "$work/.actual" >&2
fi

# The "Stand:" line of the HTML report carries the time of the run, and so do the year
# table's mark of the running year and its projection.
mask_stand() {
    sed -E -e 's#^<h1>Spritlog</h1><p>Stand: [0-9]{2}\.[0-9]{2}\.[0-9]{4}( [0-9]{2}:[0-9]{2}:[0-9]{2})?</p>\r$#<h1>Spritlog</h1><p>Stand: (time)</p>\r#' \
        -e '/^<tr><td nowrap>Hochrechnung [0-9]+<\/td>/d' \
        -e 's#^<tr><td nowrap>([0-9]+) \(laufend\)</td>#<tr><td nowrap>\1</td>#' "$1"
}

for ((i = 0; i < ${#checks[@]}; i += 3)); do
    kind=${checks[i]} file=${checks[i + 1]} arg=${checks[i + 2]}
    case $kind in
    --same)
        cmp "$work/$file" "$data/$arg" >&2 || fail "$file differs from $arg" ;;
    --same-htm)
        if [[ ! -f "$work/$file" ]]; then
            fail "$file was not written"
        elif ! grep -qE $'^<h1>Spritlog</h1><p>Stand: [0-9]{2}\\.[0-9]{2}\\.[0-9]{4}( [0-9]{2}:[0-9]{2}:[0-9]{2})?</p>\r$' "$work/$file"; then
            fail "$file has no well-formed Stand line"
        elif ! cmp -s <(mask_stand "$work/$file") <(mask_stand "$data/$arg"); then
            fail "$file differs from $arg"
            diff <(mask_stand "$data/$arg") <(mask_stand "$work/$file") >&2
        fi ;;
    --missing)
        [[ ! -e "$work/$file" ]] || fail "$file should not exist" ;;
    --pdf)
        if [[ "$(head -c 5 "$work/$file" 2>/dev/null)" != "%PDF-" ]]; then
            fail "$file is not a PDF file"
        else
            # Page objects are never compressed into object streams by Qt's writer.
            pages=$(grep -a -o -E '/Type */Page([^s]|$)' "$work/$file" | wc -l)
            [[ $pages -eq $arg ]] || fail "$file has $pages pages, expected $arg"
        fi ;;
    --png)
        # The signature, then the IHDR chunk: width and height as 32-bit big-endian numbers.
        if [[ "$(od -An -tx1 -N8 "$work/$file" 2>/dev/null | tr -d ' \n')" != 89504e470d0a1a0a ]]; then
            fail "$file is not a PNG picture"
        else
            read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$work/$file")
            size="$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))x$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))"
            [[ $size == "$arg" ]] || fail "$file is $size, expected $arg"
        fi ;;
    --svg)
        if ! grep -q '<svg' "$work/$file" 2>/dev/null; then
            fail "$file is not an SVG document"
        elif ! grep -qF -- "$arg" "$work/$file"; then
            fail "$file does not hold '$arg'"
        fi ;;
    esac
done

exit $status
