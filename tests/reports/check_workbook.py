#!/usr/bin/python3
"""Reads the workbooks spritlog-cli writes with openpyxl, a reader that is not ours.

    check_workbook.py SPRITLOG_CLI SAMPLE.slg NOTES.conf

Writes a small logbook whose every figure is worked out below by hand, exports it with
`spritlog-cli export FILE xlsx` in the locale of the environment, and checks cell types,
values and number formats, the sheets, the frozen heading row, the filter and both charts
with their ranges, the hidden helper sheet and every sheet's page setup; then the sample
logbook's workbook for its shape and its chart's date labels, and a logbook of two records
for the statistics notice.
"""

import datetime
import os
import shutil
import subprocess
import sys
import tempfile

import openpyxl

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def same(actual, expected, where):
    if isinstance(expected, float):
        ok = isinstance(actual, (int, float)) and not isinstance(actual, bool) and \
            abs(actual - expected) < 1e-9
    elif isinstance(expected, int):
        ok = isinstance(actual, (int, float)) and not isinstance(actual, bool) and \
            actual == expected
    else:
        ok = type(actual) is type(expected) and actual == expected
    check(ok, f"{where}: {actual!r} ({type(actual).__name__}), expected {expected!r}")


def native_file(records):
    """The .slg format: the count, then columns 1-4 and 9-14, one line a cell."""
    lines = [str(len(records))]
    for column in range(10):
        lines += [record[column] for record in records]
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def export(cli, work, name, records, config):
    path = os.path.join(work, name)
    with open(path, "wb") as f:
        f.write(native_file(records))
    env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="offscreen")
    run = subprocess.run([cli, "export", path, "xlsx"], env=env, capture_output=True)
    target = path[:-3] + "xlsx"
    check(run.returncode == 0, f"{name}: export failed: {run.stderr!r}")
    return openpyxl.load_workbook(target)


def row_values(sheet, row, columns):
    return [sheet.cell(row=row, column=c).value for c in range(1, columns + 1)]


def formula_ranges(chart):
    refs = []
    for series in chart.series:
        category = None
        if series.cat is not None:
            category = (series.cat.numRef or series.cat.strRef).f
        refs.append((category, series.val.numRef.f))
    return refs


def text_categories(chart):
    """Whether every series takes its categories as texts, one point each."""
    return all(series.cat is not None and series.cat.strRef is not None
               for series in chart.series)


SHEETS = ["Tankbuch", "Monate", "Jahre", "Statistik", "Tankstellen", "Diagramme", "Hilfswerte"]
WITH_HEADINGS = {"Tankbuch", "Monate", "Jahre", "Tankstellen", "Hilfswerte"}


def check_printing(book, title):
    """A4 (paper size 9) landscape, one page wide and any number tall, the heading row on
    every page of a sheet that has one, the logbook's name above, the page numbers below."""
    for sheet in book.worksheets:
        name = sheet.title
        setup = sheet.page_setup
        check(setup.orientation == "landscape", f"{name}: orientation {setup.orientation!r}")
        check(str(setup.paperSize) == "9", f"{name}: paper {setup.paperSize!r}")
        fit = sheet.sheet_properties.pageSetUpPr
        check(fit is not None and fit.fitToPage, f"{name}: not fitted to pages")
        # An absent fitToWidth is the file format's default, 1.
        check(setup.fitToWidth in (None, 1, "1"), f"{name}: {setup.fitToWidth!r} pages wide")
        check(str(setup.fitToHeight) == "0", f"{name}: {setup.fitToHeight!r} pages tall")
        titles = "$1:$1" if name in WITH_HEADINGS else None
        check(sheet.print_title_rows == titles, f"{name}: title rows {sheet.print_title_rows!r}")
        check(sheet.oddHeader.center.text == title,
              f"{name}: header {sheet.oddHeader.center.text!r}")
        check(sheet.oddFooter.center.text == "Seite &P von &N",
              f"{name}: footer {sheet.oddFooter.center.text!r}")
        state = "hidden" if name == "Hilfswerte" else "visible"
        check(sheet.sheet_state == state, f"{name}: {sheet.sheet_state}")


D = datetime.datetime
# Datum, KM-Stand, Liter, Literpreis, Benzin, Tankstelle, Ort, three notes
SMALL = [
    ("03.01.2024", "10000", "40.00", "1.709", "Super", "Nord", "M\u00fcnchen", "Winter", "", ""),
    ("20.01.2024", "10500", "35.00", "1,709", "Super", "West", "K\u00f6ln", "", "", ""),
    ("31.02.2024", "11000", "30.00", "1.600", "E10", "Nord", "M\u00fcnchen", "", "", "\u00d6l"),
    ("05.03.2024", "11600", "abc", "1.660", "Super", "West", "Ulm", "", "", ""),
    ("15.03.2024", "12000", "42.00", "1.700", "Super", "Nord", "M\u00fcnchen", "", "", ""),
]


def check_small(book, path):
    check(book.sheetnames == SHEETS, f"sheets {book.sheetnames}")
    check_printing(book, "klein.slg")
    check(book.properties.title == "klein.slg", f"title {book.properties.title!r}")
    check(book.properties.creator == "Spritlog", f"creator {book.properties.creator!r}")

    sheet = book["Tankbuch"]
    check(sheet.freeze_panes == "A2", f"Tankbuch frozen at {sheet.freeze_panes}")
    check(sheet.auto_filter.ref == "A1:N6", f"Tankbuch filter {sheet.auto_filter.ref}")
    headings = row_values(sheet, 1, 14)
    check(headings == ["Datum", "KM-Stand", "Liter", "Literpreis", "KM", "Verbrauch",
                       "Kosten/Km", "Tankkosten", "Benzin", "Tankstelle", "Ort",
                       "Kilometerz\u00e4hler \u20ac ?", None, "\u00d6l, Filter"],
          f"Tankbuch headings {headings}")
    # The derived columns as the program computes them: KM the difference of readings,
    # Verbrauch litres * 100 / KM, Kosten/Km that times the price, Tankkosten litres times
    # price; a cell whose input is malformed stays empty ("1,709" and "abc" spoil only their
    # own record). From full tank to full tank the record without litres is passed over: the
    # newest measures from record 3, 42 l over 1000 km is 4.20, 71.40 EUR over it 7.14.
    expected = [
        [D(2024, 1, 3), 10000, 40, 1.709, None, None, None, 68.36, "Super", "Nord",
         "M\u00fcnchen", "Winter", None, None],
        [D(2024, 1, 20), 10500, 35, "1,709", 500, 7, None, None, "Super", "West", "K\u00f6ln",
         None, None, None],
        ["31.02.2024", 11000, 30, 1.6, 500, 6, 9.6, 48, "E10", "Nord", "M\u00fcnchen",
         None, None, "\u00d6l"],
        [D(2024, 3, 5), 11600, "abc", 1.66, 600, None, None, None, "Super", "West", "Ulm",
         None, None, None],
        [D(2024, 3, 15), 12000, 42, 1.7, 400, 4.2, 7.14, 71.4, "Super", "Nord",
         "M\u00fcnchen", None, None, None],
    ]
    formats = ["dd\\.mm\\.yyyy", "0", "0.00", "0.000", "0", "0.00", "0.00", "0.00"]
    for r, values in enumerate(expected, start=2):
        for c, value in enumerate(values, start=1):
            cell = sheet.cell(row=r, column=c)
            where = f"Tankbuch {cell.coordinate}"
            if value is None:
                check(cell.value is None, f"{where}: {cell.value!r}, expected empty")
                continue
            same(cell.value, float(value) if type(value) is float else value, where)
            if c <= 8 and not isinstance(value, str):
                check(cell.number_format == formats[c - 1],
                      f"{where}: format {cell.number_format!r}")
    widths = sheet.column_dimensions
    check(widths["K"].width >= len("M\u00fcnchen") and widths["A"].width >= 10,
          f"Tankbuch widths K {widths['K'].width}, A {widths['A'].width}")

    # Every month, the current one too: sums, the last reading, means of prices and
    # consumption over the cells that hold a value (a malformed price counts as 0). January's
    # consumption is record 2's alone and it has no cost per km; March's is record 5's alone.
    sheet = book["Monate"]
    check(row_values(sheet, 1, 8) == ["Monat", "KM-Stand", "Liter", "Literpreis", "KM",
                                      "Verbrauch", "Kosten/Km", "Tankkosten"],
          f"Monate headings {row_values(sheet, 1, 8)}")
    check(sheet.max_row == 4, f"Monate rows {sheet.max_row}")
    for r, values in enumerate([[D(2024, 1, 1), 10500, 75, 0.8545, 500, 7, None, 68.36],
                                [D(2024, 2, 1), 11000, 30, 1.6, 500, 6, 9.6, 48],
                                [D(2024, 3, 1), 12000, 42, 1.68, 1000, 4.2, 7.14, 71.4]],
                               start=2):
        for c, value in enumerate(values, start=1):
            same(sheet.cell(row=r, column=c).value, value, f"Monate {r},{c}")
    check(sheet.cell(row=2, column=1).number_format == "mm\\.yyyy",
          f"Monate month format {sheet.cell(row=2, column=1).number_format!r}")

    # All five records count. Averages over the cells that hold a value: consumption
    # (7 + 6 + 4.2) / 3 = 5.733, litres 147 / 5 ("abc" is a 0), costs 187.76 / 3,
    # distance 2000 / 4; cost per km 5.733 x (6.669 / 5) = 7.647.
    sheet = book["Statistik"]
    figures = {}
    for row in sheet.iter_rows(min_row=1, max_col=2):
        if row[1].value is not None:
            figures.setdefault(row[0].value, []).append((row[1].value, row[1].number_format))
    expected = {
        "Gefahrene KM:": [(2000, '#,##0 "KM"')],
        "Getankte Liter:": [(147.0, '0.00 "Liter"')],
        "Tankkosten:": [(187.76, '0.00 "EUR"'), (62.59, '0.00 "EUR"')],
        "Verbrauch:": [(5.73, '0.00 "L/100KM"')],
        "Tankf\u00fcllung:": [(29.4, '0.00 "Liter"')],
        "KM-Interval:": [(500.0, '0.00 "KM"')],
        "Kosten je Km:": [(7.65, '0.00 "Ct"')],
        "Min Verbrauch:": [(4.2, '0.00 "Liter"')],
        "Max Verbrauch:": [(7.0, '0.00 "Liter"')],
        "Max Tankf\u00fcllung:": [(42.0, '0.00 "Liter"')],
        "Max KM-Interval:": [(600.0, '0.00 "KM"')],
    }
    check(sorted(figures) == sorted(expected), f"Statistik captions {sorted(figures)}")
    for caption, values in expected.items():
        got = figures.get(caption, [])
        check(len(got) == len(values), f"Statistik {caption}: {got}")
        for (value, fmt), (actual, actual_fmt) in zip(values, got):
            same(actual, value, f"Statistik {caption}")
            check(actual_fmt == fmt, f"Statistik {caption}: format {actual_fmt!r}")

    # Groups in order of first occurrence over all five records, then the average row:
    # Nord (Super) prices (1.709 + 1.7) / 2, costs (68.36 + 71.40) / 2, one consumption;
    # West (Super) no cost at all; the average row (7 + 6 + 4.2) / 3, 6.669 / 5, 187.76 / 3,
    # (9.6 + 7.14) / 2.
    sheet = book["Tankstellen"]
    rows = [row_values(sheet, r, 7) for r in range(1, sheet.max_row + 1)]
    check(rows[0] == ["Nr", "Tankstelle - Benzin", "Anzahl", "Verbrauch", "Literpreis",
                      "Tankosten", "Kosten/Km"], f"Tankstellen headings {rows[0]}")
    expected = [[1, "Nord (Super)", 2, 4.2, 1.7, 69.88, 7.14],
                [2, "West (Super)", 2, 7, 0.83, "", ""],
                [3, "Nord (E10)", 1, 6, 1.6, 48, 9.6],
                [None, "Durchschnitt", 5, 5.73, 1.33, 62.59, 8.37]]
    check(len(rows) == 5, f"Tankstellen rows {len(rows)}")
    for r, values in enumerate(expected, start=2):
        for c, value in enumerate(values, start=1):
            if value is None or value == "":
                check(sheet.cell(row=r, column=c).value is None, f"Tankstellen {r},{c}")
            else:
                same(sheet.cell(row=r, column=c).value, value, f"Tankstellen {r},{c}")

    sheet = book["Diagramme"]
    charts = sheet._charts
    check(len(charts) == 2, f"{len(charts)} charts")
    if len(charts) == 2:
        line, columns = charts
        check(line.tagname == "lineChart", f"first chart {line.tagname}")
        # Consumption of records 2..5 (rows 3..6) and its average, one cell a point, over
        # their dates as texts.
        dates = "Hilfswerte!$A$2:$A$5"
        check(formula_ranges(line) == [(dates, "Tankbuch!$F$3:$F$6"),
                                       (dates, "Hilfswerte!$B$2:$B$5")],
              f"line chart ranges {formula_ranges(line)}")
        check(text_categories(line), "line chart categories are no texts")
        check(columns.tagname == "barChart" and columns.barDir == "col",
              f"second chart {columns.tagname}")
        check(formula_ranges(columns) == [("Monate!$A$2:$A$4", "Monate!$H$2:$H$4")],
              f"column chart ranges {formula_ranges(columns)}")
    check(sheet.max_row == 1 and sheet["A1"].value is None, "Diagramme holds cells")
    sheet = book["Hilfswerte"]
    check(sheet["B2"].value == "=AVERAGE(Tankbuch!$F$3:$F$6)",
          f"average formula {sheet['B2'].value!r}")
    check([sheet.cell(row=r, column=2).value for r in (3, 4, 5, 6)] ==
          ["=$B$2", "=$B$2", "=$B$2", None], "average cells")
    # The cached results, what a reader that does not calculate shows: (7 + 6 + 4.2) / 3,
    # and the dates of records 2..5 as the logbook writes them, the one that is no date too.
    cached = openpyxl.load_workbook(path, data_only=True)["Hilfswerte"]
    same(cached["B2"].value, 17.2 / 3, "cached average")
    labels = [cached.cell(row=r, column=1).value for r in range(2, 7)]
    check(labels == ["20.01.2024", "31.02.2024", "05.03.2024", "15.03.2024", None],
          f"date labels {labels}")


def sample_dates(sample):
    """The dates of the sample logbook as it stores them: after the count, one line each."""
    with open(sample, encoding="cp1252") as f:
        lines = f.read().splitlines()
    return lines[1:1 + int(lines[0])]


def check_sample(book, path):
    check(book.sheetnames == SHEETS, f"sample sheets {book.sheetnames}")
    check_printing(book, "beispiel.slg")
    sheet = book["Tankbuch"]
    records = sheet.max_row - 1
    check(records == 62, f"sample records {records}")
    check(sheet.freeze_panes == "A2", f"sample frozen at {sheet.freeze_panes}")
    check(sheet.auto_filter.ref == f"A1:N{records + 1}", f"sample filter {sheet.auto_filter.ref}")
    for row in sheet.iter_rows(min_row=2):
        check(isinstance(row[0].value, datetime.datetime), f"sample {row[0].coordinate}")
        for cell in row[1:8]:
            check(cell.value is None or isinstance(cell.value, (int, float)),
                  f"sample {cell.coordinate}: {cell.value!r}")
        for cell in row[8:]:
            check(cell.value is None or isinstance(cell.value, str),
                  f"sample {cell.coordinate}: {cell.value!r}")
    months = book["Monate"].max_row - 1
    charts = book["Diagramme"]._charts
    check(len(charts) == 2, f"sample: {len(charts)} charts")
    if len(charts) == 2:
        dates = f"Hilfswerte!$A$2:$A${records}"
        check(formula_ranges(charts[0]) == [(dates, f"Tankbuch!$F$3:$F${records + 1}"),
                                            (dates, f"Hilfswerte!$B$2:$B${records}")],
              f"sample line chart {formula_ranges(charts[0])}")
        check(text_categories(charts[0]), "sample line chart categories are no texts")
        check(formula_ranges(charts[1]) == [(f"Monate!$A$2:$A${months + 1}",
                                             f"Monate!$H$2:$H${months + 1}")],
              f"sample column chart {formula_ranges(charts[1])}")
    # One label a point: the dates of records 2..n, each its own text.
    cached = openpyxl.load_workbook(path, data_only=True)["Hilfswerte"]
    labels = [cached.cell(row=r, column=1).value for r in range(2, cached.max_row + 1)]
    expected = sample_dates(path[:-4] + "slg")[1:]
    check(labels == expected, f"sample date labels {labels}")


# The logbook of tests/data/handworked.md, "The year table", up to 2025: record 4 a partial
# fill-up at New Year, record 6 empty, record 7's date no real day.
YEARS = [
    ("10.11.2022", "10000", "40", "1.50", "Super", "", "", "", "", ""),
    ("15.12.2022", "10600", "42", "1.60", "Super", "", "", "", "", ""),
    ("20.01.2024", "11400", "48", "1.70", "Super", "", "", "", "", ""),
    ("30.12.2024", "11900", "20", "1.80", "Super", "", "", "Teilbetankung", "", ""),
    ("03.01.2025", "12400", "25", "1.70", "Super", "", "", "", "", ""),
    ("", "", "", "", "", "", "", "", "", ""),
    ("31.02.2025", "12900", "30", "1.60", "Super", "", "", "", "", ""),
    ("10.06.2025", "13500", "36", "1.75", "Super", "", "", "", "", ""),
]
YEAR_CAPTIONS = ["Jahr", "KM", "Liter", "Tankkosten", "Verbrauch", "EUR je 100 KM"]


def same_rows(sheet, expected, where):
    for r, row in enumerate(expected, start=2):
        for c, value in enumerate(row, start=1):
            actual = sheet.cell(row=r, column=c).value
            if value is None:
                check(actual in (None, ""), f"{where} {r},{c}: {actual!r}, expected empty")
            else:
                check(isinstance(actual, (int, float)) and abs(actual - value) < 1e-6,
                      f"{where} {r},{c}: {actual!r}, expected {value!r}")
    check(sheet.max_row == len(expected) + 1, f"{where}: {sheet.max_row} rows")


def recalculated(path, work):
    """The workbook as LibreOffice calculates it (the file openpyxl wrote has no results), or
    None without LibreOffice."""
    soffice = shutil.which("soffice")
    if not soffice:
        print("LibreOffice (soffice) not found: the recalculation is not checked")
        return None
    out = os.path.join(work, "recalculated")
    run = subprocess.run([soffice, "--headless", "--norestore",
                          "-env:UserInstallation=file://" + os.path.join(work, "lo"),
                          "--convert-to", "xlsx", "--outdir", out, path],
                         capture_output=True, timeout=120)
    target = os.path.join(out, os.path.basename(path))
    check(run.returncode == 0 and os.path.exists(target), f"LibreOffice: {run.stderr!r}")
    return openpyxl.load_workbook(target, data_only=True) if os.path.exists(target) else None


def check_years(cli, work, config):
    """The sheet Jahre: the figures by hand, as formulas that follow edits on Tankbuch."""
    book = export(cli, work, "jahre.slg", YEARS, config)
    sheet = book["Jahre"]
    check(row_values(sheet, 1, 6) == YEAR_CAPTIONS, f"Jahre headings {row_values(sheet, 1, 6)}")
    check(sheet.freeze_panes == "A2", f"Jahre frozen at {sheet.freeze_panes}")
    check(all(isinstance(sheet.cell(row=r, column=c).value, str) and
              sheet.cell(row=r, column=c).value.startswith("=")
              for r in range(2, 6) for c in range(2, 7)), "Jahre: figures that are no formulas")
    # Newest first; handworked.md: 2025 1100 km, 61 l, 105.50 EUR, (4.50 + 6) / 2, 105.50 /
    # 1100 x 100; 2024 800 + 500, 48 + 20, 81.60 + 36, 6.00 (record 4 partial), 117.60 / 13;
    # 2023 empty; 2022 600, 82, 127.20, 7.00, 21.20.
    cached = openpyxl.load_workbook(os.path.join(work, "jahre.xlsx"), data_only=True)["Jahre"]
    same_rows(cached, [
        (2025, 1100, 61, 105.5, 5.25, 105.5 / 11),
        (2024, 1300, 68, 117.6, 6, 117.6 / 13),
        (2023, None, None, None, None, None),
        (2022, 600, 82, 127.2, 7, 21.2),
    ], "Jahre cached")

    # Edits on Tankbuch (record r stands in row r + 1): record 8's KM 600 -> 700, record 5's
    # costs 42.50 -> 50, record 3 moved to 2023, record 2 marked as a partial fill-up.
    tankbuch = book["Tankbuch"]
    tankbuch["E9"] = 700
    tankbuch["H6"] = 50
    tankbuch["A4"] = datetime.datetime(2023, 1, 20)
    tankbuch["L3"] = "Teilbetankung"
    edited = os.path.join(work, "jahre_bearbeitet.xlsx")
    book.save(edited)
    result = recalculated(edited, work)
    if result is not None:
        # 2025: 500 + 700, 61, 50 + 63, 5.25, 113 / 1200 x 100; 2024 record 4 alone, its
        # consumption no value; 2023 record 3; 2022 without consumption.
        same_rows(result["Jahre"], [
            (2025, 1200, 61, 113, 5.25, 113 / 12),
            (2024, 500, 20, 36, None, 7.2),
            (2023, 800, 48, 81.6, 6, 10.2),
            (2022, 600, 82, 127.2, None, 21.2),
        ], "Jahre recalculated")

    # The running year by the clock: marked, and projected by the days of the year.
    today = datetime.date.today()
    days = 366 if today.year % 4 == 0 and (today.year % 100 != 0 or today.year % 400 == 0) \
        else 365
    gone = today.timetuple().tm_yday
    running = export(cli, work, "laufend.slg", [
        (f"01.01.{today.year}", "1000", "10", "2.00", "Super", "", "", "", "", ""),
        (today.strftime("%d.%m.%Y"), "1500", "20", "2.00", "Super", "", "", "", "", ""),
    ], config)["Jahre"]
    check(running["A2"].value == today.year and running["A2"].number_format == '0" (laufend)"',
          f"running year {running['A2'].value!r} {running['A2'].number_format!r}")
    check(running["A3"].value == f"Hochrechnung {today.year}", f"projection {running['A3'].value!r}")
    check(running["B3"].value == f'=IF(B2="","",B2*{days}/{gone})', f"projection {running['B3'].value!r}")
    cached = openpyxl.load_workbook(os.path.join(work, "laufend.xlsx"), data_only=True)["Jahre"]
    same(cached["B3"].value, 500 * days / gone, "projected km")
    same(cached["D3"].value, 60 * days / gone, "projected costs")


# A plug-in hybrid typed as a driver types it (tests/data/cli/pluginhybrid.slg). By hand, each
# energy from its own full record: petrol 15 l over 10000 -> 10600 km 2.50, 25.50 EUR over
# 600 km 4.25; electricity 9.5 kWh over 150 km 6.33 (3.80 EUR, 2.53), then 10 kWh over 10300
# -> 10800 km 2.00 (3.00 EUR, 0.60).
HYBRID = [
    ("01.03.2024", "10000", "40", "1.80", "Super", "Aral", "M\u00fcnchen", "", "", ""),
    ("05.03.2024", "10150", "10", "0.30", "Strom", "Wallbox", "M\u00fcnchen", "", "", ""),
    ("09.03.2024", "10300", "9.5", "0.40", "Strom", "EnBW", "Augsburg", "", "", ""),
    ("15.03.2024", "10600", "15", "1.70", "Super", "Shell", "Augsburg", "", "", ""),
    ("20.03.2024", "10800", "10", "0.30", "Strom", "Wallbox", "M\u00fcnchen", "", "", ""),
]


def series_names(chart):
    return [series.tx.v if series.tx is not None else None for series in chart.series]


def check_hybrid(cli, work, config):
    """Tankbuch names each record's unit after the notes; the consumption chart draws one
    line per energy with its own average, from formulas over Verbrauch and Einheit; the
    year sheet counts the litres by Einheit."""
    book = export(cli, work, "hybrid.slg", HYBRID, config)
    sheet = book["Tankbuch"]
    check(sheet["O1"].value == "Einheit", f"hybrid O1 {sheet['O1'].value!r}")
    units = [sheet.cell(row=r, column=15).value for r in range(2, 7)]
    check(units == ["Liter", "kWh", "kWh", "Liter", "kWh"], f"hybrid units {units}")
    check(sheet.auto_filter.ref == "A1:O6", f"hybrid filter {sheet.auto_filter.ref}")
    for column, values in (("F", [None, None, 6.33, 2.5, 2.0]),
                           ("G", [None, None, 2.53, 4.25, 0.6]),
                           ("H", [72.0, 3.0, 3.8, 25.5, 3.0])):
        for r, value in enumerate(values, start=2):
            actual = sheet[f"{column}{r}"].value
            if value is None:
                check(actual is None, f"hybrid {column}{r}: {actual!r}, expected empty")
            else:
                same(actual, value, f"hybrid {column}{r}")

    charts = book["Diagramme"]._charts
    check(len(charts) == 2, f"hybrid: {len(charts)} charts")
    if charts:
        dates = "Hilfswerte!$A$2:$A$5"
        check(formula_ranges(charts[0]) == [(dates, f"Hilfswerte!${c}$2:${c}$5") for c in "BCDE"],
              f"hybrid line chart {formula_ranges(charts[0])}")
        check(series_names(charts[0]) == ["Liter je 100 KM", "Durchschnitt L/100KM",
                                          "kWh je 100 KM", "Durchschnitt kWh/100KM"],
              f"hybrid series {series_names(charts[0])}")
        # The values marked, so that a line of one record shows; the averages bare.
        symbols = [series.marker.symbol if series.marker is not None else None
                   for series in charts[0].series]
        check(symbols[0::2] == ["circle", "circle"] and
              all(symbol in (None, "none") for symbol in symbols[1::2]),
              f"hybrid markers {symbols}")
    helpers = book["Hilfswerte"]
    # Record r + 2 in Hilfswerte row r + 1 and Tankbuch row r + 3: records 2 and 5 charges,
    # record 3 a charge with a consumption, record 4 petrol.
    check(helpers["B4"].value == '=IF(AND(Tankbuch!$O$5="Liter",ISNUMBER(Tankbuch!$F$5)),'
                                 'Tankbuch!$F$5,NA())', f"hybrid B4 {helpers['B4'].value!r}")
    check([helpers[c].value for c in ("B2", "B3", "B5", "D2", "D4")] == [None] * 5,
          "hybrid: a line has cells of another energy")
    check(helpers["E2"].value == '=AVERAGEIFS(Tankbuch!$F$3:$F$6,Tankbuch!$O$3:$O$6,"kWh")',
          f"hybrid E2 {helpers['E2'].value!r}")
    cached = openpyxl.load_workbook(os.path.join(work, "hybrid.xlsx"), data_only=True)
    values = cached["Hilfswerte"]
    for cell, value in (("B4", 2.5), ("C2", 2.5), ("C5", 2.5), ("D3", 6.33), ("D5", 2.0),
                        ("E2", 4.165), ("E5", 4.165)):
        same(values[cell].value, value, f"hybrid cached {cell}")
    # 2024: 800 km, 55 litres, 29.5 kWh, 107.30 EUR, petrol 2.50, electricity the mean of
    # 6.33 and 2.00; a column pair per energy.
    years = cached["Jahre"]
    check(row_values(years, 1, 8) == ["Jahr", "KM", "Liter", "kWh", "Tankkosten",
                                      "Verbrauch Liter", "Verbrauch kWh", "EUR je 100 KM"],
          f"hybrid Jahre headings {row_values(years, 1, 8)}")
    same_rows(years, [(2024, 800, 55, 29.5, 107.3, 2.5, 4.165, 107.3 / 8)], "hybrid Jahre cached")

    # LibreOffice opens it and computes the same; an edit on Tankbuch follows: record 4's
    # consumption 2.50 -> 3.00, record 3 typed as petrol (its unit "Liter").
    result = recalculated(os.path.join(work, "hybrid.xlsx"), work)
    if result is not None:
        for cell, value in (("B4", 2.5), ("C2", 2.5), ("D3", 6.33), ("E2", 4.165)):
            same(result["Hilfswerte"][cell].value, value, f"hybrid LibreOffice {cell}")
        same_rows(result["Jahre"], [(2024, 800, 55, 29.5, 107.3, 2.5, 4.165, 107.3 / 8)],
                  "hybrid Jahre LibreOffice")
    sheet["F5"] = 3
    sheet["O4"] = "Liter"
    edited = os.path.join(work, "hybrid_bearbeitet.xlsx")
    book.save(edited)
    result = recalculated(edited, work)
    if result is not None:
        values = result["Hilfswerte"]
        for cell, value in (("B4", 3.0), ("C2", (6.33 + 3) / 2), ("E2", 2.0)):
            same(values[cell].value, value, f"hybrid edited {cell}")
        check(values["D3"].value in (None, "#N/A"), f"hybrid edited D3 {values['D3'].value!r}")
        # The charge typed as petrol moves its 9.5 and its 6.33 to the litres.
        same_rows(result["Jahre"],
                  [(2024, 800, 64.5, 20, 107.3, (6.33 + 3) / 2, 2.0, 107.3 / 8)],
                  "hybrid Jahre edited")


# A plug-in hybrid, 3 fills of Super and 4 charges typed "Strom" (worked out by hand in
# tests/analysis/statistics_test.cpp): the figures of the main energy, kWh, in its words, and
# below them a line per energy with each figure a number in a cell of its own.
HYBRID_SEVEN = [
    ["02.03.2026", "10000", "40", "1.80", "Super", "Aral", "", "", "", ""],
    ["06.03.2026", "10200", "10", "0.30", "Strom", "Wallbox", "", "", "", ""],
    ["12.03.2026", "10400", "12", "0.30", "Strom", "Wallbox", "", "", "", ""],
    ["18.03.2026", "10800", "20", "1.70", "Super", "Shell", "", "", "", ""],
    ["24.03.2026", "11000", "12", "0.40", "Strom", "Ionity", "", "", "", ""],
    ["28.03.2026", "11100", "5", "0.60", "Strom", "EnBW", "", "", "", ""],
    ["30.03.2026", "11200", "30", "1.80", "Super", "Aral", "", "", "", ""],
]


def check_hybrid_statistics(book):
    sheet = book["Statistik"]
    rows = {row[0].value: row for row in sheet.iter_rows(min_row=1, max_col=4)
            if row[0].value is not None}
    expected = {
        "Geladene kWh:": [(39.0, '0.00 "kWh"')],
        "Ladung:": [(9.75, '0.00 "kWh"')],
        "Max Ladung:": [(12.0, '0.00 "kWh"')],
        "Kosten je Km:": [(10.57, '0.00 "Ct"')],
        "Kraftstoff:": [(90.0, '0.00 "Liter"'), (5.0, '0.00 "L/100KM"'), (160.0, '0.00 "EUR"')],
        "Strom:": [(39.0, '0.00 "kWh"'), (4.33, '0.00 "kWh/100KM"'), (14.4, '0.00 "EUR"')],
    }
    for caption, values in expected.items():
        row = rows.get(caption)
        check(row is not None, f"hybrid Statistik: no row {caption}")
        if row is None:
            continue
        for (value, fmt), cell in zip(values, row[1:]):
            same(cell.value, value, f"hybrid Statistik {caption}")
            check(cell.number_format == fmt, f"hybrid Statistik {caption}: {cell.number_format!r}")
    check("Getankte Liter:" not in rows, "hybrid Statistik: litre caption")
    check("Energien" in rows and rows["Energien"][0].font.b, "hybrid Statistik: no Energien")
    combined = rows.get("Verbrauch kombiniert:")
    check(combined is not None and combined[1].value == " 5.00 L + 4.33 kWh /100KM",
          f"hybrid combined {combined and combined[1].value!r}")


def main():
    cli, sample, notes = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as work:
        config = os.path.join(work, "config")
        os.makedirs(os.path.join(config, "Ostrel"))
        shutil.copy(notes, os.path.join(config, "Ostrel", "Spritlog.conf"))

        check_years(cli, work, config)
        check_hybrid(cli, work, config)

        small = export(cli, work, "klein.slg", SMALL, config)
        check_small(small, os.path.join(work, "klein.xlsx"))

        shutil.copy(sample, os.path.join(work, "beispiel.slg"))
        env = dict(os.environ, XDG_CONFIG_HOME=config, QT_QPA_PLATFORM="offscreen")
        run = subprocess.run([cli, "export", os.path.join(work, "beispiel.slg"), "xlsx"],
                             env=env, capture_output=True)
        check(run.returncode == 0, f"sample export failed: {run.stderr!r}")
        target = os.path.join(work, "beispiel.xlsx")
        check_sample(openpyxl.load_workbook(target), target)

        check_hybrid_statistics(export(cli, work, "hybrid7.slg", HYBRID_SEVEN, config))

        two = export(cli, work, "zwei.slg", SMALL[:2], config)
        notice = two["Statistik"]["A1"].value
        check(notice == "Zu wenige Eintr\u00e4ge verf\u00fcgbar", f"notice {notice!r}")

        # In a header "&" starts a code: the name's own stands doubled, and the "G" after it
        # (the code of a picture) is none. Invisible characters aside, the name is all there.
        named = export(cli, work, "\u00d6l&Gas.slg", SMALL[:2], config)
        header = named["Tankbuch"].oddHeader.center.text or ""
        check(header.replace("\u200b", "") == "\u00d6l&&Gas.slg", f"header {header!r}")

    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(failures)} failures under LC_ALL={os.environ.get('LC_ALL', '')}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
