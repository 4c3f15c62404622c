"""Prints a dBASE table as JSON, read with dbfread (an independent reader):
{"encoding": ..., "fields": [[name, type, length, decimals], ...], "records": [{...}, ...]}"""
import json
import sys

import dbfread

table = dbfread.DBF(sys.argv[1], load=True)
print(json.dumps({
    "encoding": table.encoding,
    "fields": [[f.name, f.type, f.length, f.decimal_count] for f in table.fields],
    "records": [dict(r) for r in table.records],
}, ensure_ascii=False))
