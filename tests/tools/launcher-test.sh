#!/usr/bin/env bash
# launcher-test.sh BUILD_DIR WORK_DIR: what iksa-start prepares before it
# starts the program, case by case. The program itself is stood in for by a
# script that reports the directory it was started in.
set -euo pipefail
build="$(cd "$1" && pwd)"
work="$2"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
rm -rf "$work"
mkdir -p "$work/bin" "$work/share/iksa"
cp "$source_dir/tools/package/iksa-start" "$work/bin/"
ln -s "$build/tools/iksa-cli/iksa-cli" "$work/bin/iksa-cli"
printf '#!/bin/sh\npwd > "$LAUNCHED"\n' >"$work/bin/iksa"
chmod +x "$work/bin/iksa"
echo "form" >"$work/share/iksa/Iksa_kodovani.pdf"
export LAUNCHED="$work/launched"
failures=0

# check NAME EXPECTED_DIR EXPECTED_FILES: EXPECTED_FILES is the sorted list
# of files the started directory then holds.
check() {
    local name="$1" dir="$2" files="$3"
    local got
    got="$(ls "$dir" 2>/dev/null | sort | tr '\n' ' ')"
    if [[ "$(cat "$LAUNCHED" 2>/dev/null)" != "$dir" || "$got" != "$files" ]]; then
        echo "FAILED $name: started in $(cat "$LAUNCHED" 2>/dev/null), files: $got (expected $dir: $files)"
        failures=$((failures + 1))
    fi
    rm -f "$LAUNCHED"
}

# A new user: ~/IKSA made with the three empty tables and the form.
mkdir -p "$work/home1"
HOME="$work/home1" "$work/bin/iksa-start"
check "first start" "$work/home1/IKSA" "IKSA.DBF IKSA_HS_Vyp.DBF IKSA_II.DBF Iksa_kodovani.pdf "

# Tables copied from Windows in lower case: used as they are, only the form added.
mkdir -p "$work/windows"
for t in iksa.dbf iksa_ii.dbf iksa_hs_vyp.dbf; do echo "stored records" >"$work/windows/$t"; done
"$work/bin/iksa-start" "$work/windows"
check "tables from Windows" "$work/windows" "Iksa_kodovani.pdf iksa.dbf iksa_hs_vyp.dbf iksa_ii.dbf "
grep -q "stored records" "$work/windows/iksa_ii.dbf" || { echo "FAILED: a table was overwritten"; failures=$((failures + 1)); }

# One table only: nothing is created beside it, the program reports the rest.
mkdir -p "$work/partial"
echo "stored records" >"$work/partial/IKSA_HS_VYP.DBF"
echo "own form" >"$work/partial/Iksa_kodovani.pdf"
"$work/bin/iksa-start" "$work/partial"
check "one table present" "$work/partial" "IKSA_HS_VYP.DBF Iksa_kodovani.pdf "
grep -q "own form" "$work/partial/Iksa_kodovani.pdf" || { echo "FAILED: the form was overwritten"; failures=$((failures + 1)); }

# $IKSA_DIR names the directory when no argument does.
mkdir -p "$work/home2"
HOME="$work/home2" IKSA_DIR="$work/elsewhere" "$work/bin/iksa-start"
check "IKSA_DIR" "$work/elsewhere" "IKSA.DBF IKSA_HS_Vyp.DBF IKSA_II.DBF Iksa_kodovani.pdf "
[[ ! -e "$work/home2/IKSA" ]] || { echo "FAILED: ~/IKSA made although IKSA_DIR was set"; failures=$((failures + 1)); }

((failures == 0)) && echo "launcher: all cases passed"
exit $((failures > 0))
