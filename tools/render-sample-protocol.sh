#!/usr/bin/env bash
# Renders the three protocol pages of a sample examinee for review:
#   tools/render-sample-protocol.sh [OUTPUT_DIRECTORY] [extra iksa-cli protocol options]
# writes OUTPUT_DIRECTORY/protokol-1.png … -3.png (100 dpi) and protokol.pdf
# (default OUTPUT_DIRECTORY: build/sample-protocol). Needs a built iksa-cli
# (IKSA_BUILD_DIR, default build).
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${IKSA_BUILD_DIR:-build}/tools/iksa-cli/iksa-cli"
out="${1:-build/sample-protocol}"
shift || true
mkdir -p "$out"
data="$(mktemp -d)"
trap 'rm -rf "$data"' EXIT

"$cli" init "$data"
"$cli" add "$data" PRIJM=Nováková JMENO=Alžběta VEK=34 DATUM=12.3.2024 \
    EXAMI="Mgr. Jan Dvořák" POZNAM="Vzorový záznam pro kontrolu protokolu" \
    HS_1_DO=18 HS_2_SL=41 HS_3_CSK=72 HS_4_POD=22 HS_5_KOS=40 HS_6_POC=14 \
    HS_7_MAT=17 HS_8_OPA=17 HS_9_INF=16 HS_10_ROB=12 HS_11_POR=20 HS_12_HS=32 \
    HS_13_RPC=11 HS_14_SO=33 PAR_3=14 VOL_VYB_3=7 C_HS_OP_3=110 \
    RAD_DOP_8=7 RAD_DOZ_8=5 >/dev/null
"$cli" protocol-png "$data" 1 "$out/protokol" "$@"
"$cli" protocol "$data" 1 "$out/protokol.pdf" "$@"
echo "$out/protokol.pdf"
