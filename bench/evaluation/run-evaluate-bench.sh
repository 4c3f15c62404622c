#!/usr/bin/env bash
# `iksa-cli evaluate` over each of 10,000 stored records in turn (target: all
# of them in under 60 s), on tables made by `iksa-cli init` and filled by
# bench/evaluation/fill-records.py.
#
#   bench/evaluation/run-evaluate-bench.sh [PATH/TO/iksa-cli] [RECORDS]
#
# Prints the time of one `evaluate DIR all` (every record evaluated and
# posted in turn by one process), and the time of 100 separate
# `evaluate DIR N` runs with the figure it extrapolates to for all records.
set -euo pipefail
source "$(dirname "$0")/../bench-common.sh"
records="${2:-10000}"

"$cli" init "$work/tables"
python3 bench/evaluation/fill-records.py --records "$records" "$work/tables"

start=$(date +%s%N)
"$cli" evaluate "$work/tables" all >"$work/out.txt" 2>"$work/err.txt" || true
all=$(ms "$start")
echo "evaluate all: $records records in $all ms ($(grep -c '^\[' "$work/out.txt") evaluated," \
     "$(wc -l <"$work/err.txt") messages)"

sample=$((records < 100 ? records : 100))
start=$(date +%s%N)
for ((n = 1; n <= sample; n++)); do
    "$cli" evaluate "$work/tables" "$n" >/dev/null 2>&1 || true
done
each=$(ms "$start")
echo "evaluate N: $sample runs in $each ms, $((each * records / sample)) ms for $records records"
