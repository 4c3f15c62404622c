#!/usr/bin/env bash
# `iksa-cli protocol` to PDF, one process per record as a clinician's
# script would run it (target: under 1 s per record).
#
#   bench/protocol/run-protocol-bench.sh [PATH/TO/iksa-cli] [RECORDS]
#
# Makes RECORDS sample examinees (default 20) with `iksa-cli init` and
# `iksa-cli add`, then times `iksa-cli protocol DIR N OUT.pdf` for each.
set -euo pipefail
source "$(dirname "$0")/../bench-common.sh"
records="${2:-20}"

"$cli" init "$work/tables"
for ((n = 1; n <= records; n++)); do
    "$cli" add "$work/tables" PRIJM="Vzorek$n" JMENO=Jana VEK=$((16 + n * 3 % 80)) \
        HS_1_DO=18 HS_2_SL=41 HS_3_CSK=72 HS_4_POD=22 HS_5_KOS=40 HS_6_POC=14 \
        HS_7_MAT=17 HS_8_OPA=17 HS_9_INF=16 HS_10_ROB=12 HS_11_POR=20 HS_12_HS=32 \
        HS_13_RPC=11 HS_14_SO=33 PAR_3=14 VOL_VYB_3=7 C_HS_OP_3=110 \
        RAD_DOP_8=7 RAD_DOZ_8=5 >/dev/null
done

start=$(date +%s%N)
slowest=0
for ((n = 1; n <= records; n++)); do
    one=$(date +%s%N)
    "$cli" protocol "$work/tables" "$n" "$work/protokol-$n.pdf" 2>/dev/null
    took=$(ms "$one")
    ((took > slowest)) && slowest=$took
done
total=$(ms "$start")
echo "iksa-cli protocol: $records records in $total ms, $((total / records)) ms per record," \
     "slowest $slowest ms"
