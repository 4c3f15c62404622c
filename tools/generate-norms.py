#!/usr/bin/env python3
"""Writes the illustrative norm set: the data files under norms/data/.

The published norm values of the battery are not available to the program.
This generator produces a complete, structurally exact stand-in from a
stated psychometric model, so that every lookup, every analysis and every
page of the protocol can be built and tested. The set names itself as
illustrative (norms/data/set.json) and the program says so wherever it shows
results. A licensed user replaces the files with the values of the test
manual (same file formats, see README.md) and rebuilds.

Model
-----
Raw to scaled (scaled.tsv), per subtest and table set:
  - the raw score of an age band is normal with mean mu(age) and spread
    sd(age); mu starts at the value for age 16.5, rises by `rise` raw points
    per decade up to the subtest's peak age and falls by `fall` per decade
    after it (speeded and non-verbal subtests peak early and fall, vocabulary
    and information rise to middle age); sd grows by 3 % per decade after
    the peak;
  - an age band is evaluated at its centre age (60-100 at 70);
  - the reference group pools the bands 20-24, 25-29 and 30-34 (equal
    weights: mean of the means, variance = mean variance + variance of the
    means);
  - scaled = 10 + 3 z, rounded half up and clipped to 1..19; raw 0 (raw 8
    for Skladani objektu at 35-44, whose sample has no lower score) opens the
    table with scaled 1; runs of equal scaled scores are merged into maximal
    entries, so jumps occur where the model skips values;
  - the tables that the battery's norms hold identical share the parameters
    of the group's first member; any other table that would come out equal
    to an earlier one has its mean moved up by 0.25 raw points until it
    differs;
  - every age-band table of Skladani objektu also holds raw -1 -> 0 (not
    administered); the reference group's does not.
Composite tables (composite.tsv), per composite with k scaled scores:
  - the sum has mean 10 k and spread 3 sqrt(k + k (k - 1) r), r the average
    intercorrelation of its subtests;
  - score = 100 + 15 z, rounded, kept within 43..156;
  - percentile = 100 Phi((score - 100) / 15) in the Czech texts: whole
    numbers 1..99, one decimal with a decimal comma below 1 and above 99,
    the open extremes "<0,1" / ">99,9" (IQ tables: "<0,1" and "> 99,9",
    index tables: "< 0,1" and ">99,9");
  - intervals around the estimated true score T = 100 + rho (score - 100)
    with the standard error of estimation 15 sqrt(rho (1 - rho)), at
    z = 1.645 (90 %) and 1.960 (95 %), bounds rounded, as "a - b".
Report tables:
  - DeviationNorms: deviation of a subtest from the mean of its reference
    set (the group's rows for bases 0 and 1, all included rows for bases 2
    to 5); its standard error from the subtests' reliabilities (scaled SD
    3), critical differences at 0.15 and 0.05 with the level divided among
    five simultaneous comparisons; the 1/2/5/10/25 % thresholds from the
    normal curve of the deviation, whose spread follows from a one-factor
    model (loadings per subtest, verbal-performance factor correlation
    0.85);
  - IndexCriticalValues: 1.440 and 1.960 times 15 sqrt(2 - rho1 - rho2),
    reliabilities per composite and age group;
  - IndexBaseRates: the percentage with |difference| >= a under the normal
    curve of the difference, spread 15 sqrt(2 - 2 r12); one decimal, "100.00"
    for a = 0;
  - SpanCumulative / SpanDifferenceCumulative: longest spans normal per age
    band (forward/backward correlation 0.45), discretised to whole spans;
    spans with a share below 0.5 % do not occur ("-"); the text is the
    percentage reaching at least that span (difference), decimal comma, the
    lowest occurring value "100,0";
  - SymbolOptionThresholds: normal scores per age band, thresholds at the
    1/2/5/10/25/50 % points, rounded and kept within 0..maximum.
Anchors: the values that the battery's documentation quotes (listed in
ANCHORS below) are written as quoted; the generator reports how far the
model lies from each and checks that the tables stay monotone around them.

Run: python3 tools/generate-norms.py   (writes norms/data/*, prints a report)
"""
import json
import math
import os
from statistics import NormalDist

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
OUT = os.path.join(ROOT, "norms", "data")
PHI = NormalDist()

SET_NAME = "Ilustrativní normy IKSA-III (model 1)"


def round_half_up(x):
    return math.floor(x + 0.5)


def load_catalogue():
    """Codes and maxima of the subtests and the maxima of the group fields."""
    with open(os.path.join(ROOT, "scoring", "catalogue", "subtests.json"), encoding="utf-8") as f:
        subtests = json.load(f)["subtests"]
    fields = {field["field"]: field.get("maximum") for s in subtests
              for group in s.get("groups", []) for field in group["fields"]}
    return [(s["number"], s["code"], s["maximum"]) for s in subtests], fields


SUBTESTS, FIELD_MAXIMUM = load_catalogue()  # (number, code, maximum) in catalogue order
MAXIMUM = {code: maximum for _, code, maximum in SUBTESTS}

# ---------------------------------------------------------------- age bands
SCALED_BANDS = [(16, 17), (18, 19), (20, 24), (25, 29), (30, 34), (35, 44), (45, 54), (55, 59),
                (60, 100)]
REPORT_BANDS = SCALED_BANDS  # "60 and over" kept to the program's age range
SYMBOL_BANDS = [(16, 17), (18, 19), (20, 24), (25, 29), (30, 34), (35, 44), (45, 54), (55, 64),
                (65, 69), (70, 74), (75, 79), (80, 84), (85, 101)]


def centre(band):
    first, last = band
    return 70.0 if first == 60 else (first + last) / 2.0


# ------------------------------------------------------------- scaled model
# code: (mean at 16.5, sd, peak age, rise per decade, fall per decade), raw points
SCALED_MODEL = {
    "DO": (17.0, 4.0, 22, 0.6, 1.2),
    "SL": (35.0, 10.4, 50, 2.6, 1.5),
    "CSK": (78.0, 16.0, 22, 3.0, 9.0),
    "POD": (19.0, 5.5, 35, 0.8, 1.0),
    "KOS": (38.0, 11.0, 24, 1.5, 4.0),
    "POC": (12.5, 3.6, 40, 0.6, 0.6),
    "MAT": (17.0, 4.5, 22, 0.5, 1.6),
    "OPA": (16.5, 4.2, 25, 0.3, 0.9),
    "INF": (14.0, 5.0, 50, 1.2, 0.5),
    "ROB": (12.0, 4.2, 25, 0.6, 1.5),
    "POR": (19.0, 5.4, 45, 1.0, 0.7),
    "HS": (32.0, 8.0, 20, 1.0, 4.0),
    "RPC": (10.5, 3.0, 22, 0.3, 1.0),
    "SO": (30.0, 9.0, 22, 1.0, 3.0),
}
REFERENCE = "R"
SETS = [str(b) for b in range(1, 10)] + [REFERENCE]
REFERENCE_POOL = ["3", "4", "5"]  # ages 20-34
# Groups of identical tables: (subtest, [sets]); the first set leads.
IDENTICAL = [
    ("DO", ["1", "2"]),
    ("DO", ["4", "R"]),
    ("SL", ["4", "R"]),
    ("POD", ["4", "R"]),
    ("KOS", ["3", "4"]),
    ("POC", ["3", "4", "5", "R"]),
    ("MAT", ["3", "R"]),
    ("INF", ["4", "R"]),
    ("ROB", ["3", "4", "R"]),
    ("POR", ["4", "R"]),
    ("RPC", ["3", "4", "5", "R"]),
]
SO_LATE_START = ("SO", "6", 8)


def band_parameters(code, age):
    mean16, sd, peak, rise, fall = SCALED_MODEL[code]
    mean = mean16 + rise * (min(age, peak) - 16.5) / 10.0 - fall * max(0.0, age - peak) / 10.0
    spread = sd * (1.0 + 0.03 * max(0.0, age - peak) / 10.0)
    return mean, spread


def set_parameters(code, set_code):
    if set_code != REFERENCE:
        return band_parameters(code, centre(SCALED_BANDS[int(set_code) - 1]))
    pooled = [band_parameters(code, centre(SCALED_BANDS[int(b) - 1])) for b in REFERENCE_POOL]
    mean = sum(m for m, _ in pooled) / len(pooled)
    variance = sum(s * s for _, s in pooled) / len(pooled)
    variance += sum((m - mean) ** 2 for m, _ in pooled) / len(pooled)
    return mean, math.sqrt(variance)


def scaled_table(code, set_code, mean, sd):
    first_raw = SO_LATE_START[2] if (code, set_code) == SO_LATE_START[:2] else 0
    scaled = []
    for raw in range(first_raw, MAXIMUM[code] + 1):
        value = 1 if raw == first_raw else round_half_up(10 + 3 * (raw - mean) / sd)
        scaled.append((raw, min(19, max(1, value))))
    entries = []
    for raw, value in scaled:
        if entries and entries[-1][2] == value:
            entries[-1][1] = raw
        else:
            entries.append([raw, raw, value])
    if code == "SO" and set_code != REFERENCE:
        entries.insert(0, [-1, -1, 0])
    return [tuple(e) for e in entries]


def build_scaled():
    leader = {}
    for code, sets in IDENTICAL:
        for s in sets:
            leader[(code, s)] = sets[0]
    tables = {}
    for _, code, _ in SUBTESTS:
        for s in SETS:
            lead = leader.get((code, s), s)
            if lead != s:
                tables[(code, s)] = tables[(code, lead)]
                continue
            mean, sd = set_parameters(code, s)
            while True:
                table = scaled_table(code, s, mean, sd)
                if not any(t == table for t in tables.values()):
                    break
                mean += 0.25
            tables[(code, s)] = table
    return tables


# ---------------------------------------------------------- composite model
# code: (scaled scores in the sum, average intercorrelation, reliability)
COMPOSITES = [
    ("VIQ", 6, 0.60, 0.93),
    ("PIQ", 5, 0.50, 0.90),
    ("CIQ", 11, 0.50, 0.95),
    ("IVP", 3, 0.70, 0.93),
    ("IPU", 3, 0.55, 0.88),
    ("IPP", 3, 0.50, 0.88),
    ("IRZ", 2, 0.60, 0.84),
]
IQ_COMPOSITES = {"VIQ", "PIQ", "CIQ"}


def comma(text):
    return text.replace(".", ",")


def percentile_text(code, score):
    p = 100.0 * PHI.cdf((score - 100) / 15.0)
    tenth = round_half_up(p * 10) / 10.0
    iq = code in IQ_COMPOSITES
    if tenth < 0.1:
        return "<0,1" if iq else "< 0,1"
    if tenth > 99.9:
        return "> 99,9" if iq else ">99,9"
    if tenth < 1.0 or tenth > 99.0:
        return comma("%.1f" % tenth)
    return str(min(99, max(1, round_half_up(p))))


def interval_text(score, rho, z):
    true_score = 100 + rho * (score - 100)
    error = 15 * math.sqrt(rho * (1 - rho))
    return "%d - %d" % (round_half_up(true_score - z * error), round_half_up(true_score + z * error))


def build_composites():
    rows = {}
    for code, k, r, rho in COMPOSITES:
        spread = 3 * math.sqrt(k + k * (k - 1) * r)
        for total in range(k, 19 * k + 1):
            score = round_half_up(100 + 15 * (total - 10 * k) / spread)
            score = min(156, max(43, score))
            rows[(code, total)] = (score, percentile_text(code, score),
                                   interval_text(score, rho, 1.645), interval_text(score, rho, 1.960))
    return rows


# ----------------------------------------------------------- report tables
ROW_CODES = ["SL", "POD", "POC", "OPA", "INF", "POR", "RPC", "DO", "CSK", "KOS", "MAT", "ROB",
             "HS", "SO"]
VERBAL_ROWS = set(range(1, 8))
BASIS_ROWS = {
    0: list(range(1, 15)),
    1: [1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12],
    2: [1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12],
    3: [1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 13],
    4: list(range(1, 14)),
    5: list(range(1, 15)),
}
RELIABILITY = {"SL": .93, "POD": .86, "POC": .84, "OPA": .90, "INF": .91, "POR": .84, "RPC": .82,
               "DO": .83, "CSK": .82, "KOS": .86, "MAT": .90, "ROB": .74, "HS": .77, "SO": .70}
LOADING = {"SL": .85, "POD": .80, "POC": .72, "OPA": .62, "INF": .82, "POR": .78, "RPC": .65,
           "DO": .68, "CSK": .60, "KOS": .74, "MAT": .75, "ROB": .62, "HS": .64, "SO": .66}
FACTOR_CORRELATION = 0.85
SIMULTANEOUS_COMPARISONS = 5
DEVIATION_PERCENTS = [1, 2, 5, 10, 25]


def correlation(row_a, row_b):
    if row_a == row_b:
        return 1.0
    same_scale = (row_a in VERBAL_ROWS) == (row_b in VERBAL_ROWS)
    factor = 1.0 if same_scale else FACTOR_CORRELATION
    return LOADING[ROW_CODES[row_a - 1]] * LOADING[ROW_CODES[row_b - 1]] * factor


def deviation_record(row, reference_rows):
    m = len(reference_rows)
    weights = {j: -1.0 / m for j in reference_rows}
    weights[row] += 1.0
    variance = sum(weights[a] * weights[b] * correlation(a, b) for a in weights for b in weights)
    spread = 3 * math.sqrt(variance)
    sem = {j: 3 * math.sqrt(1 - RELIABILITY[ROW_CODES[j - 1]]) for j in reference_rows}
    error = math.sqrt(sum((weights[j] ** 2) * sem[j] ** 2 for j in reference_rows))
    critical = [NormalDist().inv_cdf(1 - alpha / (2 * SIMULTANEOUS_COMPARISONS)) * error
                for alpha in (0.15, 0.05)]
    thresholds = [PHI.inv_cdf(1 - p / 200.0) * spread for p in DEVIATION_PERCENTS]
    return [round(v, 2) for v in critical + thresholds]


def build_deviation_norms():
    records = {}
    for basis, rows in BASIS_ROWS.items():
        for row in rows:
            if basis in (0, 1):
                verbal = row in VERBAL_ROWS
                reference = [r for r in rows if (r in VERBAL_ROWS) == verbal]
            else:
                reference = rows
            records[(basis, row)] = deviation_record(row, reference)
    return records


COMPARISONS = [("VIQ", "PIQ"), ("IVP", "IPU"), ("IVP", "IPP"), ("IPU", "IRZ"), ("IVP", "IRZ"),
               ("IPU", "IPP"), ("IPP", "IRZ")]
# Reliability of each composite at age 30-34; younger and older groups lower.
COMPOSITE_RELIABILITY = {"VIQ": .91, "PIQ": .865, "IVP": .90, "IPU": .85, "IPP": .86, "IRZ": .80}
AGE_GROUP_OFFSET = [.06, .045, .025, .01, 0.0, 0.0, .01, .02, .035]
COMPARISON_CORRELATION = [.63, .58, .60, .52, .45, .55, .50]


def build_critical_values():
    texts = {}
    for k, (a, b) in enumerate(COMPARISONS, start=1):
        for g, offset in enumerate(AGE_GROUP_OFFSET, start=1):
            rho = COMPOSITE_RELIABILITY[a] + COMPOSITE_RELIABILITY[b] - 2 * offset
            error = 15 * math.sqrt(2 - rho)
            texts[(k, g)] = "%.2f - %.2f" % (PHI.inv_cdf(0.925) * error, PHI.inv_cdf(0.975) * error)
    return texts


def build_base_rates():
    rates = {}
    for k, r in enumerate(COMPARISON_CORRELATION, start=1):
        spread = 15 * math.sqrt(2 - 2 * r)
        texts = []
        for a in range(40, -1, -1):
            if a == 0:
                texts.append("100.00")
            else:
                texts.append("%.1f" % (100 * 2 * (1 - PHI.cdf(a / spread))))
        rates[k] = texts
    return rates


# (forward mean, backward mean) per digit-span band; spreads fixed
SPAN_MEANS = [(4.1, 3.3), (4.2, 3.4), (4.3, 3.5), (4.3, 3.5), (4.25, 3.45), (4.15, 3.35),
              (4.0, 3.2), (3.85, 3.05), (3.6, 2.8)]
SPAN_SD = (0.95, 0.9)
SPAN_CORRELATION = 0.45
SHARE_SEEN = 0.005


def cumulative_texts(values, mean, sd):
    """values from the highest to the lowest; the percentage reaching at least each."""
    share = {v: PHI.cdf((v + 0.5 - mean) / sd) - PHI.cdf((v - 0.5 - mean) / sd) for v in values}
    seen = [v for v in values if share[v] >= SHARE_SEEN]
    total = sum(share[v] for v in seen)
    texts, running = [], 0.0
    lowest = min(seen)
    for v in values:
        if v not in seen:
            texts.append("-")
            continue
        running += share[v]
        if v == lowest:
            texts.append("100,0")
        else:
            texts.append(comma("%.2f" % min(99.99, 100 * running / total)))
    return texts


def build_spans():
    spans, differences = {}, {}
    for band, (forward, backward) in enumerate(SPAN_MEANS, start=1):
        spans[(band, "F")] = cumulative_texts(list(range(9, -1, -1)), forward, SPAN_SD[0])
        spans[(band, "B")] = cumulative_texts(list(range(9, -1, -1)), backward, SPAN_SD[1])
        sd = math.sqrt(SPAN_SD[0] ** 2 + SPAN_SD[1] ** 2
                       - 2 * SPAN_CORRELATION * SPAN_SD[0] * SPAN_SD[1])
        differences[band] = cumulative_texts(list(range(7, -7, -1)), forward - backward, sd)
    return spans, differences


SYMBOL_PROCEDURES = ["PAR_3", "VOL_VYB_3", "C_HS_OP_3"]
SYMBOL_MAXIMUM = {p: FIELD_MAXIMUM[p] for p in SYMBOL_PROCEDURES}
# (mean at the peak, spread, peak age, fall per decade)
SYMBOL_MODEL = {"PAR_3": (14.0, 5.0, 25, 0.9), "VOL_VYB_3": (7.5, 2.0, 25, 0.45),
                "C_HS_OP_3": (122.0, 30.0, 22, 9.0)}
SYMBOL_PERCENTS = [1, 2, 5, 10, 25, 50]


def build_symbol_thresholds():
    thresholds = {}
    for band_number, band in enumerate(SYMBOL_BANDS, start=1):
        age = (band[0] + band[1]) / 2.0 if band[0] < 85 else 90.0
        for procedure in SYMBOL_PROCEDURES:
            peak_mean, sd, peak, fall = SYMBOL_MODEL[procedure]
            mean = peak_mean - fall * max(0.0, age - peak) / 10.0
            values = [min(SYMBOL_MAXIMUM[procedure],
                          max(0, round_half_up(mean + sd * PHI.inv_cdf(p / 100.0))))
                      for p in SYMBOL_PERCENTS]
            thresholds[(band_number, procedure)] = values
    return thresholds


# ----------------------------------------------------------------- anchors
ANCHORS = {
    "composite": {
        ("VIQ", 6): (45, "<0,1", "42 - 56", "40 - 57"),
        ("IRZ", 20): (100, "50", "91 - 109", "89 - 111"),
    },
    "deviation": {(0, 1): [1.77, 2.10, 4.00, 3.57, 3.00, 2.43, 1.71]},
    "critical": {(1, 1): "12.69 - 17.27"},
    "base_rates_head": {1: ["0.2", "0.2", "0.2", "0.3"]},
    "base_rates_tail": {1: ["86.6", "94.4", "100.00"]},
    "span": {(1, "F"): ["-", "-", "-", "3,60", "9,10", "61,80", "83,60", "100,0", "-", "-"]},
    "span_difference": {1: ["-", "-", "-", "-", "2,44", "7,30", "43,60", "72,70", "94,50",
                            "96,40", "100,0", "-", "-", "-"]},
    "symbol": {(1, "PAR_3"): [2, 4, 7, 9, 13, 15], (1, "VOL_VYB_3"): [3, 5, 6, 6, 7, 8],
               (1, "C_HS_OP_3"): [40, 63, 81, 92, 109, 124]},
}
# Rows of the scaled norms that the model must produce itself (checked, not written).
SCALED_CHECKS = [("1", "SL", 0, 5, 1), ("1", "SL", 65, 66, 19)]


def apply_anchors(composites, deviation, critical, base_rates, spans, differences, symbols):
    report = []

    def note(what, model, anchor):
        report.append("%-40s model %s, written %s" % (what, model, anchor))

    def replace(name, label, table):
        for key, value in ANCHORS[name].items():
            note(label % key, table[key], value)
            table[key] = value

    replace("composite", "composite %s %d", composites)
    replace("deviation", "deviation basis %d row %d", deviation)
    replace("critical", "critical comparison %d group %d", critical)
    for k, head in ANCHORS["base_rates_head"].items():
        note("base rates %d head" % k, base_rates[k][:len(head)], head)
        base_rates[k][:len(head)] = head
    for k, tail in ANCHORS["base_rates_tail"].items():
        note("base rates %d tail" % k, base_rates[k][-len(tail):], tail)
        base_rates[k][-len(tail):] = tail
    replace("span", "span band %d %s", spans)
    replace("span_difference", "span difference band %d", differences)
    replace("symbol", "symbol band %d %s", symbols)
    return report


# ------------------------------------------------------------------ checks
def number(text):
    return float(text.replace(",", "."))


def check(tables, composites, deviation, base_rates, spans, differences, symbols):
    for set_code, code, first, last, value in SCALED_CHECKS:
        assert (first, last, value) in tables[(code, set_code)], (set_code, code, first, last)
    for code, sets in IDENTICAL:
        assert all(tables[(code, s)] == tables[(code, sets[0])] for s in sets)
    groups = [{(code, s) for s in sets} for code, sets in IDENTICAL]
    keys = sorted(tables)
    for i, a in enumerate(keys):
        for b in keys[i + 1:]:
            same_group = any(a in g and b in g for g in groups)
            assert same_group or tables[a] != tables[b], (a, b)
    for key, row in composites.items():
        assert 43 <= row[0] <= 156 and len(row[1]) <= 6 and len(row[2]) <= 9 and len(row[3]) <= 9
    for key, record in deviation.items():
        assert record[0] < record[1], key
        assert all(record[i] > record[i + 1] for i in range(2, 6)), key
    for k, texts in base_rates.items():
        values = [number(t) for t in texts]
        assert all(values[i] <= values[i + 1] for i in range(40)), k
    for key, texts in list(spans.items()) + list(differences.items()):
        values = [number(t) for t in texts if t != "-"]
        assert all(values[i] <= values[i + 1] for i in range(len(values) - 1)), key
        assert values[-1] == 100.0, key
    for key, values in symbols.items():
        assert all(values[i] <= values[i + 1] for i in range(5)), key


# ------------------------------------------------------------------ output
def write(name, header, lines):
    with open(os.path.join(OUT, name), "w", encoding="utf-8", newline="\n") as f:
        for comment in header:
            f.write("# " + comment + "\n")
        for line in lines:
            f.write("\t".join(str(v) for v in line) + "\n")


def main():
    os.makedirs(OUT, exist_ok=True)
    tables = build_scaled()
    composites = build_composites()
    deviation = build_deviation_norms()
    critical = build_critical_values()
    base_rates = build_base_rates()
    spans, differences = build_spans()
    symbols = build_symbol_thresholds()
    report = apply_anchors(composites, deviation, critical, base_rates, spans, differences, symbols)
    check(tables, composites, deviation, base_rates, spans, differences, symbols)

    generated = "Generated by tools/generate-norms.py (illustrative model); do not edit by hand."
    with open(os.path.join(OUT, "set.json"), "w", encoding="utf-8", newline="\n") as f:
        json.dump({"comment": generated, "name": SET_NAME, "illustrative": True}, f,
                  ensure_ascii=False, indent=2)
        f.write("\n")

    families = [("scaled", SCALED_BANDS), ("comparison", REPORT_BANDS), ("span", REPORT_BANDS),
                ("symbol", SYMBOL_BANDS)]
    bands = [(family, i, a, b) for family, family_bands in families
             for i, (a, b) in enumerate(family_bands, start=1)]
    write("age-bands.tsv", [generated, "FAMILY\tBAND\tFIRST_AGE\tLAST_AGE",
                            "scaled: norm tables; comparison: IndexCriticalValues;",
                            "span: SpanCumulative and SpanDifferenceCumulative;",
                            "symbol: SymbolOptionThresholds"], bands)

    scaled_lines = []
    for s in SETS:
        for _, code, _ in SUBTESTS:
            for first, last, value in tables[(code, s)]:
                scaled_lines.append((s, code, first, last, value))
    write("scaled.tsv", [generated, "SET (1-9 age band, R reference group)\tSUBTEST\tFIRST\tLAST"
                         "\tSCALED"], scaled_lines)

    composite_lines = [(code, total) + composites[(code, total)]
                       for code, k, _, _ in COMPOSITES for total in range(k, 19 * k + 1)]
    write("composite.tsv", [generated, "COMPOSITE\tSUM\tSCORE\tPERCENTILE\tCI90\tCI95"],
          composite_lines)

    write("deviation-norms.tsv",
          [generated, "BASIS\tROW\tCRIT_0.15\tCRIT_0.05\tDEV_1%\tDEV_2%\tDEV_5%\tDEV_10%\tDEV_25%"],
          [(b, r) + tuple("%.2f" % v for v in deviation[(b, r)]) for b, r in sorted(deviation)])
    write("index-critical-values.tsv", [generated, "COMPARISON\tAGE_GROUP\tTEXT (0.15 - 0.05)"],
          [(k, g, critical[(k, g)]) for k, g in sorted(critical)])
    write("index-base-rates.tsv", [generated, "COMPARISON\tDIFFERENCE (40 … 0)\tTEXT"],
          [(k, 40 - i, t) for k in sorted(base_rates) for i, t in enumerate(base_rates[k])])
    write("span-cumulative.tsv", [generated, "BAND\tDIRECTION (F forward, B backward)\tSPAN"
                                  " (9 … 0)\tTEXT"],
          [(b, d, 9 - i, t) for b in range(1, 10) for d in "FB"
           for i, t in enumerate(spans[(b, d)])])
    write("span-difference-cumulative.tsv", [generated, "BAND\tDIFFERENCE (7 … -6)\tTEXT"],
          [(b, 7 - i, t) for b in range(1, 10) for i, t in enumerate(differences[b])])
    write("symbol-option-thresholds.tsv",
          [generated, "BAND\tPROCEDURE\tT1\tT2\tT5\tT10\tT25\tT50"],
          [(b, p) + tuple(symbols[(b, p)]) for b in range(1, len(SYMBOL_BANDS) + 1)
           for p in SYMBOL_PROCEDURES])

    print("Wrote %s" % OUT)
    print("%d scaled entries, %d composite rows, %d deviation records"
          % (len(scaled_lines), len(composite_lines), len(deviation)))
    for line in report:
        print(line)


if __name__ == "__main__":
    main()
