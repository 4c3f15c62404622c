#!/usr/bin/env bash
# make-demo.sh BUILD_DIR DEMO_DIR: a fresh demo start directory with the three
# tables and four sample examinees whose pages are filled item by item
# (tools/demo-examinees.py), their raw scores summed by the "=" actions
# (iksa-cli score) and evaluated (iksa-cli evaluate), plus the symbol-search
# record form.
set -euo pipefail
build="$1"
demo="$2"
here="$(cd "$(dirname "$0")" && pwd)"
cli="$build/tools/iksa-cli/iksa-cli"
rm -rf "$demo"
mkdir -p "$demo"
"$cli" init "$demo"

while IFS=$'\t' read -r -a fields; do
    n=$("$cli" add "$demo" "${fields[@]}")
    if printf '%s\n' "${fields[@]}" | grep -q '^S_14_1='; then
        "$cli" score "$demo" "$n" >/dev/null
    else
        # Subtest 14 was not administered: the mark -1 instead of a raw score.
        "$cli" score "$demo" "$n" 1 2 3 4 5 6 7 8 9 10 11 12 13 >/dev/null
        "$cli" set "$demo" "$n" HS_14_SO=-1
    fi
    "$cli" evaluate "$demo" "$n" >/dev/null
done < <(/usr/bin/env python3 "$here/demo-examinees.py")

# The symbol-search record form that "Tisk" › "Formulář Hledání symbolů " shows.
"$build/tools/coding-form/iksa-coding-form" "$demo/Iksa_kodovani.pdf"
echo "Demo start directory: $demo"
