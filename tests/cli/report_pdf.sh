#!/usr/bin/env bash
# The readable report as text (pdftotext): its page count, the column headings on every page
# of the records, "Seite i von N" on page i, every record's last-column text and every
# statistics caption somewhere.
#
#   report_pdf.sh BIN DATADIR WORKDIR LOGBOOK PAGES RECORD_PAGES [TEXT...]
#
# TEXT: further texts the report must hold.
set -u
export LC_ALL=C.UTF-8

bin=$1 data=$2 work=$3 logbook=$4 pages=$5 recordPages=$6
shift 6
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

rm -rf "$work"
mkdir -p "$work"
cp "$data/$logbook" "$work/" || exit 1
cd "$work" || exit 1
"$bin" report "$logbook" --pdf bericht.pdf || { echo "FAIL: report failed" >&2; exit 1; }

actual=$(pdfinfo bericht.pdf | awk '/^Pages:/ {print $2}')
[[ $actual == "$pages" ]] || fail "$actual pages, expected $pages"
pdftotext -layout bericht.pdf all.txt

# Row 0 of the table: the headings, column 0 printed as "Nr".
"$bin" table "$logbook" >table.txt || exit 1
mapfile -t headings < <(head -n 1 table.txt | tr '\t' '\n' | sed '1s/^$/Nr/' | grep -v '^$')
[[ ${#headings[@]} -eq 15 ]] || fail "${#headings[@]} column headings in the table"
for ((page = 1; page <= actual; page++)); do
    pdftotext -layout -f "$page" -l "$page" bericht.pdf page.txt
    grep -qF "Seite $page von $actual" page.txt || fail "page $page lacks 'Seite $page von $actual'"
    if ((page <= recordPages)); then
        for heading in "${headings[@]}"; do
            grep -qF -- "$heading" page.txt || fail "page $page lacks the heading '$heading'"
        done
    fi
done

while IFS= read -r note; do
    [[ -z $note ]] || grep -qF -- "$note" all.txt || fail "the last column's '$note' is missing"
done < <(tail -n +2 table.txt | cut -f 15)

if "$bin" stats "$logbook" >stats.txt 2>/dev/null; then
    while IFS= read -r caption; do
        grep -qF -- "$caption" all.txt || fail "the statistics caption '$caption' is missing"
    done < <(cut -f 1 stats.txt)
fi

for text in "$@"; do
    grep -qF -- "$text" all.txt || fail "'$text' is missing"
done
exit $status
