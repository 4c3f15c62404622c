#!/usr/bin/env python3
"""Writes three dBASE III files shaped like the examinee tables, for benchmarks.

Model (no real records exist to copy): one row per examinee in each table.
  IKSA.DBF        ~7 KB a row: 240 columns (item responses C(20)/C(80), item
                  scores and times N(20,4))
  IKSA_II.DBF     ~4 KB a row: 190 columns of the same kinds
  IKSA_HS_Vyp.DBF ~1.2 KB a row: header texts, raw and scaled scores, result texts
Per examinee and subtest a discontinue point is drawn; items after it stay
blank, as on a real record form. Responses are short Czech words (cp1250),
scores 0, 1 or 2, times 1 to 120 seconds. Random with a fixed seed, so the
same arguments always give the same bytes.

Usage: make-bench-tables.py --records 10000 --out DIR
"""
import argparse
import datetime
import os
import random
import struct

WORDS = ["auto", "strom", "kočka", "voda", "dům", "řeka", "slunce", "kniha", "okno",
         "jablko", "pes", "hora", "měsíc", "stůl", "škola", "zima", "léto", "chléb",
         "nevím", "dvě", "sedm", "proto", "protože", "podobné", "obojí je zvíře"]
SURNAMES = ["Novák", "Svoboda", "Novotná", "Dvořák", "Černá", "Procházka", "Kučerová",
            "Veselý", "Horáková", "Němec", "Marek", "Pokorná", "Pospíšil", "Hájková"]
NAMES = ["Jan", "Petr", "Jana", "Marie", "Tomáš", "Eva", "Lukáš", "Hana", "Martin", "Lenka"]


def columns_table1():
    cols = [("ID", "N", 20, 4), ("PRIJM", "C", 20, 0), ("JMENO", "C", 20, 0),
            ("DATUM", "C", 10, 0), ("EXAMINAT", "C", 30, 0)]
    cols += [("POZ%d" % i, "C", 70, 0) for i in (1, 2, 3)]
    groups = [(1, 25, 20), (2, 33, 80), (4, 19, 20), (5, 14, 20), (6, 14, 20)]
    for sub, items, width in groups:
        cols += [("O_%d_%d" % (sub, i), "C", width, 0) for i in range(1, items + 1)]
        cols += [("S_%d_%d" % (sub, i), "N", 20, 4) for i in range(1, items + 1)]
    return cols[:240]


def columns_table2():
    cols = [("ID", "N", 20, 4), ("PRIJM", "C", 20, 0)]
    for sub, items in ((7, 26), (8, 24), (9, 18), (10, 14), (11, 10)):
        cols += [("O_%d_%d" % (sub, i), "C", 20, 0) for i in range(1, items + 1)]
        cols += [("S_%d_%d" % (sub, i), "N", 20, 4) for i in range(1, items + 1)]
    cols += [("C_11_%d" % i, "N", 20, 4) for i in range(1, 7)]
    return cols


def columns_table3():
    cols = [("ID", "N", 20, 4), ("PRIJM", "C", 20, 0), ("JMENO", "C", 20, 0),
            ("DATUM", "C", 10, 0), ("VEK", "N", 20, 4), ("EXAMINAT", "C", 30, 0),
            ("POZN", "C", 70, 0)]
    codes = ["DO", "SL", "CSK", "POD", "KOS", "POC", "MAT", "OPA", "INF", "ROB", "POR",
             "HS", "RPC", "SO"]
    cols += [("HS_%d_%s" % (i + 1, c), "N", 6, 0) for i, c in enumerate(codes)]
    cols += [("VER_%s" % c, "N", 6, 0) for c in codes]
    for comp in ("VIQ", "PIQ", "CIQ", "IVP", "IPU", "IPP", "IRZ"):
        cols += [(comp + "_IS", "N", 6, 0), (comp + "_PER", "C", 20, 0),
                 (comp + "_90", "C", 20, 0), (comp + "_95", "C", 20, 0)]
    cols += [("PROC_%d" % i, "N", 20, 4) for i in range(1, 18)]
    return cols


def number(value, width, decimals):
    text = ("%.*f" % (decimals, value)) if decimals else str(int(value))
    return text.rjust(width).encode("cp1250")


def text(value, width):
    return value.encode("cp1250")[:width].ljust(width, b" ")


def make_row(cols, rnd, rec):
    surname, name = rnd.choice(SURNAMES), rnd.choice(NAMES)
    stop = {}
    out = [b" "]
    for name_, kind, width, dec in cols:
        if name_ == "ID":
            out.append(number(rec, width, dec))
        elif name_ == "PRIJM":
            out.append(text(surname, width))
        elif name_ == "JMENO":
            out.append(text(name, width))
        elif name_ == "DATUM":
            out.append(text("%02d.%02d.20%02d" % (rnd.randint(1, 28), rnd.randint(1, 12),
                                                   rnd.randint(5, 24)), width))
        elif name_.startswith(("O_", "S_", "C_")):
            sub, item = name_.split("_")[1:3]
            limit = stop.setdefault(sub, rnd.randint(5, 40))
            if int(item) > limit:
                out.append(b" " * width)
            elif kind == "C":
                out.append(text(rnd.choice(WORDS), width))
            elif name_.startswith("C_"):
                out.append(number(rnd.randint(1, 120), width, dec))
            else:
                out.append(number(rnd.choice((0, 1, 1, 2)), width, dec))
        elif kind == "C":
            out.append(text(rnd.choice(WORDS) if rnd.random() < 0.5 else "", width))
        else:
            out.append(number(rnd.randint(1, 130), width, dec))
    return b"".join(out)


def write_table(path, cols, records, seed):
    rnd = random.Random(seed)
    record_length = 1 + sum(c[2] for c in cols)
    header_length = 32 + 32 * len(cols) + 1
    today = datetime.date(2024, 1, 15)
    with open(path, "wb") as f:
        f.write(struct.pack("<BBBBIHH20x", 0x03, today.year - 1900, today.month, today.day,
                            records, header_length, record_length))
        for name, kind, width, dec in cols:
            f.write(struct.pack("<11sc4xBB14x", name.encode("ascii"), kind.encode("ascii"),
                                width, dec))
        f.write(b"\x0d")
        for rec in range(records):
            f.write(make_row(cols, rnd, rec))
        f.write(b"\x1a")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--records", type=int, default=10000)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for name, cols, seed in (("IKSA.DBF", columns_table1(), 1), ("IKSA_II.DBF", columns_table2(), 2),
                             ("IKSA_HS_Vyp.DBF", columns_table3(), 3)):
        write_table(os.path.join(args.out, name), cols, args.records, seed)


if __name__ == "__main__":
    main()
