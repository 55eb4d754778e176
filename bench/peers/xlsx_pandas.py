#!/usr/bin/env python3
"""Peer of our workbook export: pandas reads the .slg logbook, derives the same values and
writes the workbook's Tankbuch sheet alone with XlsxWriter: the same cells (dates as dates
shown "dd.mm.yyyy", readings, litres, prices and derived values as numbers with 0, 2 or 3
decimals, the rest as text, empty cells left out), the bold heading row, the column widths
from the widest content, the frozen heading row and the filter over the table.

    bench/peers/xlsx_pandas.py LOGBOOK.slg OUT.xlsx

Our export writes four more sheets and two charts besides; this peer writes only the
largest sheet, so it is a lower bound for pandas doing the whole workbook.
"""

import sys

import numpy as np
import pandas as pd

from slg_pandas import TABLE_COLUMNS, derive, read_logbook

# The number columns and their decimals, as in src/reports/xlsxworkbook.cpp.
DECIMALS = {"KM-Stand": 0, "Liter": 2, "Literpreis": 3, "KM": 0, "Verbrauch": 2,
            "Kosten/Km": 2, "Tankkosten": 2}
# Excel's width unit is about one digit; the program adds room for the filter button.
WIDTH_PADDING = 3.0
MAX_WIDTH = 60.0


def typed(table):
    """The cells as the sheet holds them: dates, numbers, texts; empty texts as missing."""
    sheet = pd.DataFrame(index=table.index)
    sheet["Datum"] = pd.to_datetime(table["Datum"], format="%d.%m.%Y")
    for name in TABLE_COLUMNS[1:]:
        if name in DECIMALS:
            sheet[name] = pd.to_numeric(table[name].str.strip(), errors="coerce")
        else:
            sheet[name] = table[name].replace("", np.nan)
    return sheet


def shown_widths(table):
    """The characters each column shows: the typed text, plus the decimals the format adds."""
    widths = []
    for name in TABLE_COLUMNS:
        texts = table[name].str.strip() if name in DECIMALS else table[name]
        longest = max(int(texts.str.len().max()), len(name))
        widths.append(longest + DECIMALS.get(name, 0))
    return widths


def main():
    source, target = sys.argv[1], sys.argv[2]
    table = derive(read_logbook(source))
    sheet = typed(table)
    with pd.ExcelWriter(target, engine="xlsxwriter", datetime_format="dd\\.mm\\.yyyy",
                        date_format="dd\\.mm\\.yyyy") as writer:
        sheet.to_excel(writer, sheet_name="Tankbuch", index=False, header=False, startrow=1)
        book = writer.book
        worksheet = writer.sheets["Tankbuch"]
        worksheet.write_row(0, 0, TABLE_COLUMNS, book.add_format({"bold": True}))
        formats = {d: book.add_format({"num_format": "0" if d == 0 else "0." + "0" * d})
                   for d in set(DECIMALS.values())}
        for col, (name, width) in enumerate(zip(TABLE_COLUMNS, shown_widths(table))):
            fmt = formats[DECIMALS[name]] if name in DECIMALS else None
            worksheet.set_column(col, col, min(width + WIDTH_PADDING, MAX_WIDTH), fmt)
        worksheet.freeze_panes(1, 0)
        worksheet.autofilter(0, 0, len(sheet), len(TABLE_COLUMNS) - 1)


if __name__ == "__main__":
    main()
