#!/usr/bin/env python3
"""Peer of `spritlog-cli export FILE csv`: pandas reads the .slg logbook, derives the same
values and writes the same CSV (no header, ";" after every cell, Windows-1252, CR LF).

    bench/peers/csv_pandas.py LOGBOOK.slg OUT.csv

scripts/bench times it against our export on the same logbook and checks that both files
are byte for byte the same.
"""

import csv
import sys

from slg_pandas import derive, read_logbook


def main():
    source, target = sys.argv[1], sys.argv[2]
    table = derive(read_logbook(source))
    # Every cell followed by ";": an empty last column gives the final one.
    table = table.assign(_end="")
    table.to_csv(target, sep=";", header=False, index=False, encoding="cp1252",
                 lineterminator="\r\n", quoting=csv.QUOTE_MINIMAL)


if __name__ == "__main__":
    main()
