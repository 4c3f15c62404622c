#!/usr/bin/env bash
# Backup and restore of the tables of 10,000 examinee records, side by side
# with gzip -1 and gzip -dc on the same files (best of 3 runs each).
#
#   bench/backup/run-backup-bench.sh [PATH/TO/iksa-cli]
#
# The tables come from tools/make-bench-tables.py (about 65, 42 and 12 MB),
# made once into $IKSA_BENCH_DIR (default /tmp/iksa-bench-tables). Targets:
# backup within 1.3x of gzip -1, restore within 1.3x of gzip -dc.
set -euo pipefail
source "$(dirname "$0")/../bench-common.sh"
tables="${IKSA_BENCH_DIR:-/tmp/iksa-bench-tables}"
runs=3

if [[ ! -f "$tables/IKSA_HS_Vyp.DBF" ]]; then
    echo "Generating the tables of 10,000 records into $tables ..."
    python3 tools/make-bench-tables.py --records 10000 --out "$tables"
fi
mkdir -p "$work/gz" "$work/gunzip" "$work/restored"

# best TIME_VAR COMMAND...: the shortest of $runs runs, in milliseconds
best() {
    local var=$1 best=0 start took
    shift
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        took=$(ms "$start")
        ((best == 0 || took < best)) && best=$took
    done
    printf -v "$var" '%d' "$best"
}

gzip_all() {
    for f in "$tables"/*.DBF; do gzip -1 -c "$f" >"$work/gz/$(basename "$f").gz"; done
}
gunzip_all() {
    for f in "$work"/gz/*.gz; do
        local name
        name=$(basename "$f" .gz)
        gzip -dc "$f" >"$work/gunzip/$name"
    done
}

cat "$tables"/*.DBF >/dev/null # into the page cache
best t_gzip gzip_all
best t_backup "$cli" backup "$tables" "$work/IKSA.ZAL"
best t_gunzip gunzip_all
best t_restore "$cli" restore "$work/IKSA.ZAL" "$work/restored"

for f in "$tables"/*.DBF; do
    name=$(basename "$f")
    cmp -s "$f" "$work/restored/$(echo "$name" | tr 'A-Z' 'a-z')" || { echo "restored $name differs"; exit 1; }
done

input=$(cat "$tables"/*.DBF | wc -c)
archive=$(stat -c %s "$work/IKSA.ZAL")
gzipped=$(cat "$work"/gz/*.gz | wc -c)
ratio=$("$cli" backup "$tables" "$work/IKSA.ZAL" 2>&1 | sed -n 's/.*komprese  = \(-\?[0-9]*\) %.*/\1/p')

echo "input:   $((input / 1000000)) MB in 3 tables"
printf 'backup:  %6d ms   gzip -1:  %6d ms   ratio %.2f (target <= 1.30)\n' "$t_backup" "$t_gzip" \
    "$(awk "BEGIN { print $t_backup / $t_gzip }")"
printf 'restore: %6d ms   gzip -dc: %6d ms   ratio %.2f (target <= 1.30)\n' "$t_restore" "$t_gunzip" \
    "$(awk "BEGIN { print $t_restore / $t_gunzip }")"
echo "compression ratio (CompressionRatio): $ratio %   archive $((archive / 1000)) kB, gzip -1 $((gzipped / 1000)) kB"
