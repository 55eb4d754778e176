"""Reading a Spritlog logbook (.slg) with pandas and deriving the values the program derives.

Shared by the pandas peers (csv_pandas.py, xlsx_pandas.py). Written the way a pandas user
would write it: read the file, build a frame, compute with whole columns.

The native format, as src/logbook/logbookfile.cpp reads it: Windows-1252 text, CR LF line
ends, the record count on the first line, then the ten input columns one after the other,
each one line a record: Datum, KM-Stand, Liter, Literpreis, Benzin, Tankstelle, Ort and the
three notes.
"""

import numpy as np
import pandas as pd

INPUT_COLUMNS = ["Datum", "KM-Stand", "Liter", "Literpreis", "Benzin", "Tankstelle", "Ort",
                 "Anmerkung1", "Anmerkung2", "Anmerkung3"]
# The table's columns 1..14, the order of the CSV export and of the workbook's Tankbuch sheet.
TABLE_COLUMNS = ["Datum", "KM-Stand", "Liter", "Literpreis", "KM", "Verbrauch", "Kosten/Km",
                 "Tankkosten", "Benzin", "Tankstelle", "Ort", "Anmerkung1", "Anmerkung2",
                 "Anmerkung3"]


def read_logbook(path):
    """The logbook as a frame of texts, one row a record, the input columns only."""
    with open(path, "rb") as f:
        lines = f.read().decode("cp1252").split("\r\n")
    count = int(lines[0])
    columns = {}
    for k, name in enumerate(INPUT_COLUMNS):
        start = 1 + k * count
        columns[name] = lines[start:start + count]
    return pd.DataFrame(columns)


def number_text(values, decimals):
    """Fixed point with `decimals` places, ties away from zero, right-aligned to 5 characters,
    as the program writes derived values. Python's formatting rounds the exact binary value
    correctly but sends exact ties to the even digit; an exact tie is a value whose
    2^(decimals+1)-fold is an odd integer, and those are moved away from zero first."""
    v = values.to_numpy(dtype=float)
    scaled = v * 2.0 ** (decimals + 1)
    tie = (scaled == np.floor(scaled)) & (np.fmod(scaled, 2.0) != 0)
    v = np.where(tie, v + np.sign(v) * 0.5 * 10.0 ** -decimals, v)
    form = "%5." + str(decimals) + "f"
    texts = pd.Series(v, index=values.index).map(lambda x: form % x)
    return texts.where(values.notna(), "")


def derive(book):
    """Adds KM, Verbrauch (l/100 km), Kosten/Km (cost per 100 km) and Tankkosten as texts,
    exactly as the CSV export writes them; every generated record takes part."""
    odometer = book["KM-Stand"].astype("int64")
    litres = book["Liter"].astype(float)
    price = book["Literpreis"].astype(float)
    distance = odometer.diff()  # the first record has none
    book["KM"] = distance.map(lambda d: "" if np.isnan(d) else str(int(d)))
    # Litres times 100 first, then the division, as the program does.
    consumption_text = number_text(litres * 100.0 / distance, 2)
    book["Verbrauch"] = consumption_text
    # The cost per 100 km uses the consumption as written (rounded to 2 places).
    written = pd.to_numeric(consumption_text.str.strip(), errors="coerce")
    book["Kosten/Km"] = number_text(written * price, 2)
    book["Tankkosten"] = number_text(litres * price, 2)
    return book[TABLE_COLUMNS]
