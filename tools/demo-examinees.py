#!/usr/bin/env python3
"""Prints the sample examinees of the demo start directory, one per line, as
tab-separated FIELD=TEXT assignments for `iksa-cli add`.

Every page is filled from the subtest catalogue (scoring/catalogue/*.json):
each examinee has an ability per subtest, and the chance of passing an item
falls along the item order from that ability, so the pages look like a real
record form (early items passed, later ones failed). Derived boxes are filled
as the entry rules would fill them (OPA and RPC item scores from their
trials, the MAT score from the chosen option against the key, the first trial
of ROB item 1 set to 0 when the second is passed). Raw scores
are not written here: make-demo.sh lets `iksa-cli score` sum them.

The output is reproducible (fixed seed). Run: python3 tools/demo-examinees.py
"""
import json
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
CATALOGUE = os.path.join(HERE, "..", "scoring", "catalogue")

# Header, overall ability (0..1) and whether subtest 14 was administered.
EXAMINEES = [
    ({"PRIJM": "Nováková", "JMENO": "Jana", "VEK": "34", "DATUM": "12.3.2024",
      "EXAMI": "Dr. Šimková", "POZNAM": "Spolupracovala, bez potíží se zrakem."}, 0.62, True),
    ({"PRIJM": "Dvořák", "JMENO": "Přemysl", "VEK": "67", "DATUM": "5.11.2024",
      "EXAMI": "Dr. Šimková", "POZNAM": "Skládání objektů nezadáno (třes rukou)."}, 0.48, False),
    ({"PRIJM": "Šťastná", "JMENO": "Žaneta", "VEK": "19", "DATUM": "20.1.2025",
      "EXAMI": "Mgr. Kučera", "POZNAM": ""}, 0.75, True),
    ({"PRIJM": "Čermák", "JMENO": "Ondřej", "VEK": "88", "DATUM": "3.2.2025",
      "EXAMI": "Mgr. Kučera", "POZNAM": "Unavený, vyšetření ve dvou sezeních."}, 0.35, True),
]


def items(keys):
    if isinstance(keys, list):
        return keys
    first, last = keys.split("-")
    return [str(n) for n in range(int(first), int(last) + 1)]


def pick(prop, key):
    """A catalogue property given for all items or per item selector."""
    if not isinstance(prop, dict):
        return prop
    if key in prop:
        return prop[key]
    number = int(key.split("_")[0]) if key[0].isdigit() else 0
    for selector, value in prop.items():
        bounds = selector.split("-")
        if len(bounds) == 2 and bounds[0].isdigit() and int(bounds[0]) <= number <= int(bounds[1]):
            return value
        if len(bounds) == 2 and number == 0 and bounds[0] <= key <= bounds[1]:
            return value
        if len(bounds) == 1 and "_" not in selector and selector.isdigit() and int(selector) == number:
            return value
    return None


def examinee_fields(header, ability, so_given, subtests, content, rng):
    fields = dict(header)

    def passes(position, count):
        # Chance of success falls from about 1 to about 0 along the items.
        return rng.random() < min(0.97, max(0.03, 1.3 * ability + 0.25 - position / count))

    for s in subtests:
        code = s["code"]
        if code == "SO" and not so_given:
            continue
        for section in s.get("sections", []):
            keys = items(section["items"])
            section_content = content.get(code, {})
            if section.get("key") in section_content:
                section_content = section_content[section["key"]]
            for position, key in enumerate(keys):
                trial_sum, trial_filled = 0, False
                for cell in section["cells"]:
                    field = cell["field"].replace("{n}", key)
                    role = cell["role"]
                    if role == "time":
                        limit = pick(section.get("timeLimit", 0), key) or 60
                        fields[field] = str(rng.randint(3, limit))
                    elif role == "joins":
                        fields[field] = str(rng.randint(0, pick(cell["maximum"], key)))
                    elif role == "trial":
                        if passes(position, len(keys)) or not trial_filled or rng.random() < 0.5:
                            value = 1 if passes(position, len(keys)) else 0
                            fields[field] = str(value)
                            trial_sum += value
                            trial_filled = True
                    elif role == "option":
                        codes = pick(cell["options"], key)
                        key_option = section_content.get(key, {}).get("keyOption", 1)
                        right = passes(position, len(keys))
                        chosen = key_option if right else (key_option % 5) + 1
                        fields[field] = codes[chosen - 1]
                        fields["_mat_" + key] = "1" if right else "0"
                    elif role == "score":
                        if "derived" in cell:
                            if code == "MAT":
                                fields[field] = fields.pop("_mat_" + key)
                            elif trial_filled:
                                fields[field] = str(trial_sum)
                        elif pick(cell.get("typed"), key) is not None:
                            maximum = pick(cell["typed"], key)
                            value = sum(passes(position, len(keys)) for _ in range(maximum))
                            fields[field] = str(value)
                        else:
                            group = pick(cell["chosen"], key)
                            buttons = group["buttons"]
                            if passes(position, len(keys)):
                                fields[field] = rng.choice(buttons[1:])
                            else:
                                fields[field] = buttons[0]
                            # ROB item 1: a second trial passed leaves the first at 0.
                            if code == "ROB" and key == "1_2" and fields[field] == "1":
                                fields[cell["field"].replace("{n}", "1")] = "0"
        for group in s.get("groups", []):
            for f in group["fields"]:
                if f["role"] == "time":
                    fields[f["field"]] = str(group.get("timeLimit", 120))
        if code == "CSK":
            filled = int(40 + 80 * ability + rng.randint(-8, 8))
            fields.update({"3:POC_ST_3": str(filled), "3:POC_CH_3": str(rng.randint(0, 4)),
                           "PAR_3": str(int(18 * ability) - rng.randint(0, 3)),
                           "VOL_VYB_3": str(max(0, int(9 * ability) - rng.randint(0, 2))),
                           "C_HS_OP_3": str(int(50 + 70 * ability))})
        if code == "HS":
            fields.update({"POC_SP_12": str(int(12 + 35 * ability + rng.randint(-4, 4))),
                           "POC_NE_12": str(rng.randint(0, 3))})
    # Samples of MAT store their option only.
    return {name: value for name, value in fields.items() if not name.startswith("_")}


def main():
    with open(os.path.join(CATALOGUE, "subtests.json"), encoding="utf-8") as f:
        subtests = json.load(f)["subtests"]
    with open(os.path.join(CATALOGUE, "item-content.json"), encoding="utf-8") as f:
        content = json.load(f)["subtests"]
    rng = random.Random(2024)
    for header, ability, so_given in EXAMINEES:
        fields = examinee_fields(header, ability, so_given, subtests, content, rng)
        print("\t".join(f"{name}={value}" for name, value in fields.items()))


if __name__ == "__main__":
    main()
