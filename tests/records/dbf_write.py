"""Writes a dBASE III table in code page 1250 with python3-dbf (an independent
writer). argv: path, field list ("ID N(6,0); PRIJM C(20); ..."), then JSON
records (objects by field name)."""
import json
import sys

import dbf

table = dbf.Table(sys.argv[1], sys.argv[2], codepage="cp1250", dbf_type="db3")
table.open(mode=dbf.READ_WRITE)
for record in json.loads(sys.argv[3]):
    table.append({k.lower(): v for k, v in record.items()})
table.close()
