#!/usr/bin/env python3
"""Writes scoring/catalogue/item-content.json: neutral placeholder content
for the item rows of the subtest pages.

The real item content (captions of pictures and words, the matrix answer
key, the correct answers of the arithmetic items, the digit and
letter-number sequences, the picture orders, the administration note) comes
from the battery's printed materials, which the program does not ship. This
generator fills the same places with neutral stand-ins so that every page
is complete and every rule can be exercised:

- captions are "Položka n" style names per subtest;
- the matrix key is a reproducible pseudo-random option 1..5 per item
  (samples included);
- arithmetic answers are small numbers;
- digit spans: forward item n has two sequences of n+1 digits, backward
  item n two of n+1 digits; letter-number items have three sequences of
  n+1 symbols, with the answer as digits ascending then letters in
  alphabetical order;
- picture orders are permutations of the letters A..F.

A licensed user replaces the file with the content of the test materials
(same keys) and rebuilds. Run: python3 tools/generate-item-content.py
"""
import json
import os
import random

rng = random.Random(20261210)
LETTERS = "ABCDEFGHJKLMNPRSTUVZ"


def digits(length):
    out, last = [], None
    while len(out) < length:
        d = rng.randint(1, 9)
        if d != last:
            out.append(str(d))
            last = d
    return "-".join(out)


def letter_number(length):
    symbols = []
    while len(symbols) < length:
        s = str(rng.randint(1, 9)) if len(symbols) % 2 == 0 else rng.choice(LETTERS)
        if s not in symbols:
            symbols.append(s)
    answer = sorted(s for s in symbols if s.isdigit()) + sorted(s for s in symbols if s.isalpha())
    return "-".join(symbols), "-".join(answer)


def order(length):
    cards = list("ABCDEF"[:length])
    rng.shuffle(cards)
    return "".join(cards)


def simple(count, noun):
    return {str(n): {"caption": f"{noun} {n}"} for n in range(1, count + 1)}


content = {
    "DO": simple(25, "Obrázek"),
    "SL": simple(33, "Slovo"),
    "POD": simple(19, "Dvojice"),
    "KOS": simple(14, "Předloha"),
    "POC": {str(n): {"caption": f"Úloha {n}", "correctAnswer": str(rng.randint(2, 60))}
            for n in range(1, 21)},
    "MAT": {key: {"caption": f"Matice {key}", "keyOption": rng.randint(1, 5)}
            for key in ["A", "B", "C"] + [str(n) for n in range(1, 27)]},
    "OPA": {},
    "INF": simple(28, "Otázka"),
    "ROB": {},
    "POR": simple(18, "Otázka"),
    "RPC": {},
}
content["POR"]["note"] = "Pokyny k administraci subtestu (zástupný text; znění uvádí příručka testu)."

# Digit span: both parts share the item keys 1..8 / 1..7, so the sequences
# are kept per part.
content["OPA"] = {
    "forward": {str(n): {"trialSequences": [digits(n + 1), digits(n + 1)]} for n in range(1, 9)},
    "backward": {str(n): {"trialSequences": [digits(n + 1), digits(n + 1)]} for n in range(1, 8)},
}

for n in range(1, 8):
    trials = [letter_number(n + 1) for _ in range(3)]
    content["RPC"][str(n)] = {"caption": f"Položka {n}",
                              "trialSequences": [t[0] for t in trials],
                              "trialAnswers": [t[1] for t in trials]}

rob_keys = ["1", "1_2"] + [str(n) for n in range(2, 12)]
for key in rob_keys:
    n = int(key.split("_")[0])
    length = 3 if n <= 2 else 4 if n <= 6 else 5 if n <= 9 else 6
    entry = {"caption": f"Příběh {n}", "correctOrder": order(length)}
    if 5 <= n <= 9 and "_" not in key:
        entry["acceptableOrder"] = order(length)
    content["ROB"][key] = entry

out = {"placeholder": True,
       "comment": "Placeholder item content made by tools/generate-item-content.py; "
                  "replace it with the content of the test materials.",
       "subtests": content}
path = os.path.join(os.path.dirname(__file__), "..", "scoring", "catalogue", "item-content.json")
with open(path, "w", encoding="utf-8") as f:
    json.dump(out, f, ensure_ascii=False, indent=1, sort_keys=False)
    f.write("\n")
print("wrote", os.path.normpath(path))
