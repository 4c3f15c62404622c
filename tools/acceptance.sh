#!/usr/bin/env bash
# acceptance.sh BUILD_DIR WORK_DIR: the whole path of a record, end to end,
# through iksa-cli. On a fresh start directory it adds three examinees with
# every page filled (tools/demo-examinees.py), sums their raw scores,
# evaluates them and writes each protocol as PDF. Then it backs the tables
# up, deletes one table, restores the archive and checks that every table,
# every evaluation and every protocol is the same as before.
set -euo pipefail
build="$(cd "$1" && pwd)"
work="$2"
here="$(cd "$(dirname "$0")" && pwd)"
cli="$build/tools/iksa-cli/iksa-cli"
tables=(IKSA.DBF IKSA_II.DBF IKSA_HS_Vyp.DBF)

fail() {
    echo "acceptance: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
dir="$work/data"
"$cli" init "$dir"

# The sample examinees who took all 14 subtests.
count=0
while IFS=$'\t' read -r -a fields; do
    printf '%s\n' "${fields[@]}" | grep -q '^S_14_1=' || continue
    n=$("$cli" add "$dir" "${fields[@]}")
    "$cli" score "$dir" "$n" >/dev/null
    count=$((count + 1))
    ((count < 3)) || break
done < <(/usr/bin/env python3 "$here/demo-examinees.py")
((count == 3)) || fail "only $count examinees with all 14 subtests"
"$cli" evaluate "$dir" all >/dev/null

# What a record and its protocol look like: the evaluation as JSON, the
# protocol's text and its pages drawn as pictures (the PDF itself carries
# its creation time, so it is compared through these).
snapshot() {
    local into="$1"
    mkdir -p "$into"
    "$cli" list "$dir" >"$into/list.txt"
    "$cli" evaluate "$dir" all --json >"$into/evaluation.json"
    for n in 1 2 3; do
        "$cli" protocol "$dir" "$n" "$into/protokol-$n.pdf"
        pdftotext -layout "$into/protokol-$n.pdf" "$into/protokol-$n.txt"
        "$cli" protocol-png "$dir" "$n" "$into/protokol-$n" --dpi 50 >/dev/null
    done
}

snapshot "$work/before"
cp "${tables[@]/#/$dir/}" "$work/before/"
[[ $(wc -l <"$work/before/list.txt") -eq 3 ]] || fail "the tables do not hold three records"
grep -q "Nováková" "$work/before/protokol-1.txt" || fail "the first protocol does not name its examinee"
grep -q "IQ" "$work/before/protokol-1.txt" || fail "the first protocol shows no IQ"

"$cli" backup "$dir" "$work/zaloha.iks"
rm "$dir/IKSA_II.DBF"
if "$cli" list "$dir" >/dev/null 2>&1; then
    fail "the tables open with IKSA_II.DBF deleted"
fi
"$cli" restore "$work/zaloha.iks" "$dir"

# The archive keeps the names in lower case; a table the restore had to
# create again gets that name, which the program matches regardless of case.
for table in "${tables[@]}"; do
    restored="$(find "$dir" -maxdepth 1 -iname "$table")"
    [[ -n "$restored" ]] || fail "$table was not restored"
    cmp "$work/before/$table" "$restored" || fail "$table differs after the restore"
done
snapshot "$work/after"
for file in list.txt evaluation.json protokol-{1,2,3}.txt protokol-{1,2,3}-{1,2,3}.png; do
    cmp "$work/before/$file" "$work/after/$file" || fail "$file differs after the restore"
done
echo "acceptance: three examinees entered, evaluated, printed, backed up and restored unchanged"
