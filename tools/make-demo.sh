#!/usr/bin/env bash
# make-demo.sh BUILD_DIR DEMO_DIR: a fresh demo start directory with the three
# empty tables and four sample examinees (header, item scores on several
# pages and the raw scores that sum them), all written with iksa-cli.
set -euo pipefail
build="$1"
demo="$2"
cli="$build/tools/iksa-cli/iksa-cli"
rm -rf "$demo"
mkdir -p "$demo"
"$cli" init "$demo"

# scores PREFIX V1 V2 … prints PREFIX1=V1 PREFIX2=V2 …, one per line.
scores() {
    local prefix=$1 i=1
    shift
    for v in "$@"; do
        printf '%s%d=%s\n' "$prefix" "$i" "$v"
        i=$((i + 1))
    done
}
sum() {
    local s=0
    for v in "$@"; do s=$((s + v)); done
    echo "$s"
}

# examinee HEADER… -- then the item scores of subtests 1 (DO), 2 (SL),
# 4 (POD), 6 (POC) and 9 (INF) as space-separated strings, then the coding
# counts (filled, wrong) and the raw score of subtest 14 (-1: not administered).
examinee() {
    local header=()
    while [[ $1 != -- ]]; do header+=("$1"); shift; done
    shift
    local do_=($1) sl=($2) pod=($3) poc=($4) inf=($5) filled=$6 wrong=$7 so=$8
    local n
    n=$("$cli" add "$demo" "${header[@]}")
    mapfile -t items < <(scores S_1_ "${do_[@]}"; scores S_2_ "${sl[@]}"; scores S_4_ "${pod[@]}"
        scores 2:S_6_ "${poc[@]}"; scores S_9_ "${inf[@]}")
    "$cli" set "$demo" "$n" "${items[@]}" \
        HS_1_DO="$(sum "${do_[@]}")" HS_2_SL="$(sum "${sl[@]}")" HS_4_POD="$(sum "${pod[@]}")" \
        HS_6_POC="$(sum "${poc[@]}")" HS_9_INF="$(sum "${inf[@]}")" \
        POC_ST_3="$filled" POC_CH_3="$wrong" HS_3_CSK="$((filled - wrong))" HS_14_SO="$so"
}

examinee PRIJM=Nováková JMENO=Jana VEK=34 DATUM=12.3.2024 EXAMI="Dr. Šimková" \
    POZNAM="Spolupracovala, bez potíží se zrakem." -- \
    "1 1 1 1 1 1 1 1 1 1 1 1 1 0 1 1 1 0 1 1 0 1 0 0 0" \
    "2 2 2 2 2 2 1 2 2 2 1 2 2 1 1 2 1 0 1 1 0 1 0 0 0 0 0 0 0 0 0 0 0" \
    "1 1 1 1 1 2 2 2 1 2 1 2 1 1 0 1 0 0 0" \
    "1 1 1 1 1 1 1 1 1 1 1 0 1 1 0 0 1 0 0 0" \
    "1 1 1 1 1 1 1 1 1 1 1 1 0 1 1 0 1 1 0 0 1 0 0 0 0 0 0 0" \
    71 2 28
examinee PRIJM=Dvořák JMENO=Přemysl VEK=67 DATUM=5.11.2024 EXAMI="Dr. Šimková" -- \
    "1 1 1 1 1 1 1 0 1 1 1 0 1 0 1 0 0 0 0 0 0 0 0 0 0" \
    "2 2 2 2 2 2 2 2 2 2 2 2 1 2 2 1 2 2 1 1 1 2 0 1 0 1 0 0 0 0 0 0 0" \
    "1 1 1 1 1 2 1 2 1 1 1 1 0 1 0 0 0 0 0" \
    "1 1 1 1 1 1 1 1 0 1 1 0 0 1 0 0 0 0 0 0" \
    "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 0 1 1 0 1 0 1 0 0 0 0 0" \
    42 3 -1
examinee PRIJM=Šťastná JMENO=Žaneta VEK=19 DATUM=20.1.2025 EXAMI="Mgr. Kučera" -- \
    "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 0 1 1 1 0 1 0" \
    "2 2 2 2 2 1 2 2 2 1 2 1 1 2 1 1 0 1 0 0 1 0 0 0 0 0 0 0 0 0 0 0 0" \
    "1 1 1 1 1 2 1 2 2 1 1 2 1 0 1 0 1 0 0" \
    "1 1 1 1 1 1 1 1 1 1 1 1 1 0 1 1 0 1 0 0" \
    "1 1 1 1 1 1 1 1 1 1 0 1 1 0 1 0 0 1 0 0 0 0 0 0 0 0 0 0" \
    96 1 35
examinee PRIJM=Čermák JMENO=Ondřej VEK=88 DATUM=3.2.2025 EXAMI="Mgr. Kučera" \
    POZNAM="Unavený, vyšetření ve dvou sezeních." -- \
    "1 1 1 1 1 1 0 1 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0" \
    "2 2 2 2 1 2 1 1 2 1 1 0 1 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0" \
    "1 1 1 1 0 1 1 1 0 1 0 0 0 0 0 0 0 0 0" \
    "1 1 1 1 1 1 0 1 0 0 0 0 0 0 0 0 0 0 0 0" \
    "1 1 1 1 1 1 1 1 0 1 1 0 0 1 0 0 0 0 0 0 0 0 0 0 0 0 0 0" \
    30 4 15
# The symbol-search record form that "Tisk" › "Formulář Hledání symbolů " shows.
"$build/tools/coding-form/iksa-coding-form" "$demo/Iksa_kodovani.pdf"
echo "Demo start directory: $demo"
