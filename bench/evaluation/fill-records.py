#!/usr/bin/env python3
"""Appends examinee records to the three empty tables that `iksa-cli init` made.

The rows follow the tables' own headers, so they fit whatever columns the
program creates. Model (no real records exist to copy): ages 16 to 100;
per subtest a raw score drawn uniformly from 0 to its maximum, so that
about one record in twenty has a raw score of 0 somewhere and is warned
about; Skládání objektů not administered (-1) in one record in ten; the
longest digit spans 2 to 9, the optional digit-symbol scores 0 to 130.
Surnames and names are short Czech words. Random with a fixed seed: the same
arguments give the same bytes.

Usage: fill-records.py --records 10000 DIR
"""
import argparse
import os
import random
import struct

MAXIMA = {"HS_1_DO": 25, "HS_2_SL": 66, "HS_3_CSK": 133, "HS_4_POD": 33, "HS_5_KOS": 68,
          "HS_6_POC": 22, "HS_7_MAT": 26, "HS_8_OPA": 30, "HS_9_INF": 28, "HS_10_ROB": 22,
          "HS_11_POR": 33, "HS_12_HS": 60, "HS_13_RPC": 21, "HS_14_SO": 52}
SURNAMES = ["Novák", "Svoboda", "Novotná", "Dvořák", "Černá", "Procházka", "Kučerová",
            "Veselý", "Horáková", "Němec"]
NAMES = ["Jan", "Petr", "Jana", "Marie", "Tomáš", "Eva", "Lukáš", "Hana"]


def read_header(path):
    with open(path, "rb") as f:
        head = f.read(32)
        count, header_length, record_length = struct.unpack("<IHH", head[4:12])
        fields = []
        while True:
            desc = f.read(32)
            if not desc or desc[0] == 0x0D:
                break
            name = desc[:11].split(b"\0")[0].decode("ascii")
            fields.append((name, chr(desc[11]), desc[16], desc[17]))
    return count, header_length, record_length, fields


def values(rnd, rec):
    row = {"ID": str(rec), "PRIJM": rnd.choice(SURNAMES), "JMENO": rnd.choice(NAMES),
           "DATUM": "%d.%d.2024" % (rnd.randint(1, 28), rnd.randint(1, 12)),
           "VEK": str(rnd.randint(16, 100)),
           "RAD_DOP_8": str(rnd.randint(2, 9)), "RAD_DOZ_8": str(rnd.randint(2, 9)),
           "PAR_3": str(rnd.randint(0, 18)), "VOL_VYB_3": str(rnd.randint(0, 9)),
           "C_HS_OP_3": str(rnd.randint(0, 130))}
    for field, maximum in MAXIMA.items():
        row[field] = str(rnd.randint(0, maximum))
    if rnd.random() < 0.1:
        row["HS_14_SO"] = "-1"
    return row


def encode(value, kind, width):
    data = value.encode("cp1250")[:width]
    return data.ljust(width, b" ") if kind == "C" else data.rjust(width, b" ")


def fill(path, records, seed):
    count, header_length, record_length, fields = read_header(path)
    if count:
        raise SystemExit("%s already holds records" % path)
    rnd = random.Random(seed)
    with open(path, "r+b") as f:
        f.truncate(header_length)
        f.seek(header_length)
        for rec in range(records):
            row = values(rnd, rec)
            data = b" " + b"".join(encode(row.get(name, ""), kind, width)
                                   for name, kind, width, _ in fields)
            assert len(data) == record_length
            f.write(data)
        f.write(b"\x1a")
        f.seek(4)
        f.write(struct.pack("<I", records))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--records", type=int, default=10000)
    parser.add_argument("dir")
    args = parser.parse_args()
    for name in ("IKSA_HS_Vyp.DBF", "IKSA.DBF", "IKSA_II.DBF"):
        # Every table gets the same rows, so the n-th rows belong together.
        fill(os.path.join(args.dir, name), args.records, 1)


if __name__ == "__main__":
    main()
