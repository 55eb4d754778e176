#!/usr/bin/env python3
"""Writes beispiel.slg, the sample logbook: two years (2024-2025) of a petrol estate car
based in Munich, in Spritlog's own file format.

The file holds the record count on its first line, then the columns Datum, KM-Stand,
Liter, Literpreis, Benzin, Tankstelle, Ort and the three notes, one block per column and
one line per record; Windows-1252 text with CR LF line ends.

The numbers follow the full-tank method: the litres of a refuelling are what the car used
since the previous one, so the consumption Spritlog derives stays plausible (a little
higher in winter, on winter tyres and on motorway trips).

Run it again to reproduce the file exactly: python3 examples/make_beispiel.py
"""

import datetime
import pathlib
import random

SEED = 20240103
START_DATE = datetime.date(2024, 1, 3)
END_DATE = datetime.date(2025, 12, 31)
START_ODOMETER = 48215

# (station, place, weight): the usual stations near home and on the way to work.
STATIONS = [
    ("Aral", "M\u00fcnchen", 6),
    ("JET", "M\u00fcnchen", 5),
    ("Shell", "Augsburg", 4),
    ("Total", "Augsburg", 2),
    ("Esso", "Rosenheim", 3),
    ("Shell", "M\u00fcnchen", 2),
    ("Esso", "Freising", 1),
]
# Holiday trips: (first day, last day, stations on the way).
HOLIDAYS = [
    (datetime.date(2024, 7, 27), datetime.date(2024, 8, 14),
     [("Aral", "Garmisch-Partenkirchen"), ("Shell", "Lindau"), ("Total", "Kempten")]),
    (datetime.date(2025, 5, 29), datetime.date(2025, 6, 8),
     [("Esso", "Passau"), ("Aral", "Regensburg")]),
    (datetime.date(2025, 8, 2), datetime.date(2025, 8, 20),
     [("Shell", "Berchtesgaden"), ("JET", "Traunstein"), ("Aral", "Bad Reichenhall")]),
]
# Prices per grade in euros per litre, by half-year: the 2024 spring high, the falling
# autumn, a short rise early in 2025.
E10_PRICE = {
    (2024, 1): 1.739, (2024, 2): 1.689, (2025, 1): 1.709, (2025, 2): 1.659,
}
GRADE_EXTRA = {"E10": 0.0, "Super": 0.06, "Super Plus": 0.16}

# Service events: (date from which the next refuelling carries the note, column, text).
SERVICE = [
    (datetime.date(2024, 4, 8), 13, "Sommerreifen"),
    (datetime.date(2024, 6, 17), 14, "\u00d6lwechsel"),
    (datetime.date(2024, 10, 21), 13, "Winterreifen"),
    (datetime.date(2025, 3, 31), 13, "Sommerreifen"),
    (datetime.date(2025, 6, 23), 14, "Inspektion"),
    (datetime.date(2025, 10, 27), 13, "Winterreifen"),
]


def winter_tyres(day):
    return day < datetime.date(2024, 4, 8) or (
        datetime.date(2024, 10, 21) <= day < datetime.date(2025, 3, 31)) or (
        day >= datetime.date(2025, 10, 27))


def holiday(day):
    for first, last, stations in HOLIDAYS:
        if first <= day <= last:
            return stations
    return None


def price(rng, day, grade):
    half = 1 if day.month <= 6 else 2
    base = E10_PRICE[(day.year, half)] + GRADE_EXTRA[grade]
    # Prices end in 9 tenths of a cent, as on the pump.
    cents = round((base + rng.uniform(-0.07, 0.07)) * 100)
    value = cents / 100 + 0.009
    return min(max(value, 1.559), 1.949)


def main():
    rng = random.Random(SEED)
    records = []
    day = START_DATE
    odometer = START_ODOMETER
    pending = []  # service notes waiting for the next refuelling
    first = True
    while True:
        trip = holiday(day)
        # The tank is refilled near the reserve; the distance is what those litres lasted.
        consumption = rng.uniform(8.4, 9.2)
        if winter_tyres(day):
            consumption += rng.uniform(0.3, 0.7)
        if trip:
            consumption -= rng.uniform(0.3, 0.6)  # steady motorway speed
            litres = rng.uniform(44.0, 54.0)
        else:
            litres = rng.uniform(35.0, 46.0)
        distance = 0 if first else round(litres * 100 / consumption)

        if trip:
            station, place = rng.choice(trip)
        else:
            station, place, _ = rng.choices(STATIONS, weights=[s[2] for s in STATIONS])[0]
        grade = rng.choices(["E10", "Super", "Super Plus"], weights=[6, 4, 1])[0]

        notes = {12: "", 13: "", 14: ""}
        if trip:
            notes[12] = "Urlaub"
        elif rng.random() < 0.08:
            notes[12] = "Dienstreise"
        for when, column, text in list(pending):
            if when <= day and not notes[column]:
                notes[column] = text
                pending.remove((when, column, text))
        if not notes[14] and rng.random() < 0.07:
            notes[14] = "Waschanlage"

        odometer += distance
        records.append({
            1: day.strftime("%d.%m.%Y"),
            2: str(odometer),
            3: f"{litres:.2f}",
            4: f"{price(rng, day, grade):.3f}",
            9: grade,
            10: station,
            11: place,
            **notes,
        })
        first = False

        # The next refuelling: about as many days as the tank lasts.
        days = 3 if holiday(day) else rng.randint(10, 16)
        next_day = day + datetime.timedelta(days=days)
        for when, column, text in SERVICE:
            if day < when <= next_day:
                pending.append((when, column, text))
        if next_day > END_DATE:
            break
        day = next_day

    lines = [str(len(records))]
    for column in (1, 2, 3, 4, 9, 10, 11, 12, 13, 14):
        lines.extend(record[column] for record in records)
    data = "".join(line + "\r\n" for line in lines).encode("cp1252")
    target = pathlib.Path(__file__).with_name("beispiel.slg")
    target.write_bytes(data)
    driven = int(records[-1][2]) - int(records[0][2])
    print(f"{target}: {len(records)} Tankvorg\u00e4nge, {driven} km")


if __name__ == "__main__":
    main()
