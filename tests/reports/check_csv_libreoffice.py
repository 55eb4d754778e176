#!/usr/bin/env python3
"""The CSV export as German LibreOffice reads it.

Usage: check_csv_libreoffice.py SPRITLOG_CLI LOGBOOK

Exports LOGBOOK with `spritlog-cli export csv`, lets LibreOffice Calc (headless, German
locale and language) import the file and save it as a flat OpenDocument spreadsheet, and
checks every cell of the number columns KM-Stand to Tankkosten: each that `spritlog-cli
table` shows as a number must arrive as a number of the same value, not as text and not
a thousand times larger. Exits 77 (skipped) when soffice is not installed.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SKIP = 77
TABLE = "{urn:oasis:names:tc:opendocument:xmlns:table:1.0}"
OFFICE = "{urn:oasis:names:tc:opendocument:xmlns:office:1.0}"
TEXT = "{urn:oasis:names:tc:opendocument:xmlns:text:1.0}"
NUMBER_COLUMNS = range(2, 9)  # KM-Stand .. Tankkosten


def rows_of(fods):
    root = ET.parse(fods).getroot()
    rows = []
    for row in root.iter(TABLE + "table-row"):
        cells = []
        for cell in row.findall(TABLE + "table-cell"):
            repeat = min(int(cell.get(TABLE + "number-columns-repeated", "1")), 20)
            text = "".join("".join(p.itertext()) for p in cell.findall(TEXT + "p"))
            cells += [(cell.get(OFFICE + "value-type"), cell.get(OFFICE + "value"), text)] * repeat
        rows.append(cells)
    return rows


def plain_number(text):
    try:
        return float(text.strip())
    except ValueError:
        return None


def main():
    cli, logbook = sys.argv[1], sys.argv[2]
    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if not soffice:
        print("soffice not found: LibreOffice is not installed")
        return SKIP
    work = tempfile.mkdtemp()
    env = dict(os.environ, LC_ALL="de_DE.UTF-8", HOME=work, XDG_CONFIG_HOME=work)
    shutil.copy(logbook, os.path.join(work, "tankbuch.slg"))
    subprocess.run([cli, "export", "tankbuch.slg", "csv"], cwd=work, env=env, check=True,
                   stdout=subprocess.DEVNULL)
    table = subprocess.run([cli, "table", "tankbuch.slg"], cwd=work, env=env, check=True,
                           capture_output=True, text=True).stdout.splitlines()
    # Separator ";", text in double quotes, Windows-1252, from line 1, language German.
    subprocess.run([soffice, "--headless", "--infilter=CSV:59,34,1,1,,1031", "--convert-to",
                    "fods", "--outdir", work, os.path.join(work, "tankbuch.csv")],
                   env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=180)
    rows = rows_of(os.path.join(work, "tankbuch.fods"))
    expected = [line.split("\t") for line in table]
    failures = []
    if [cell[2] for cell in rows[0][:3]] != ["Datum", "KM-Stand", "Liter"]:
        failures.append("first row is not the captions: %r" % (rows[0][:3],))
    numbers = 0
    for record in range(1, len(expected)):
        want = expected[record]
        got = rows[record] if record < len(rows) else []
        for column in NUMBER_COLUMNS:
            value = plain_number(want[column])
            if value is None:
                continue
            numbers += 1
            kind, stored, shown = got[column - 1] if column - 1 < len(got) else (None, None, "")
            if kind != "float" or abs(float(stored) - value) > 1e-9:
                failures.append("record %d column %d: %r arrived as %s %r (%r)"
                                % (record, column, want[column], kind, stored, shown))
    # A logbook beyond litres names each record's unit after the notes, as a text.
    if len(rows[0]) > 14 and rows[0][14][2] == "Einheit":
        for record in range(1, len(expected)):
            got = rows[record][14] if record < len(rows) and len(rows[record]) > 14 else None
            if got is None or got[0] != "string" or got[2] not in ("Liter", "kg", "kWh"):
                failures.append("record %d: unit %r" % (record, got))
    shutil.rmtree(work, ignore_errors=True)
    if failures:
        print("\n".join(failures[:20]))
        return 1
    print("%d number cells of %d records arrive as numbers" % (numbers, len(expected) - 1))
    return 0


if __name__ == "__main__":
    sys.exit(main())
