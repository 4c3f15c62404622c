#!/usr/bin/env bash
# guide-screenshots.sh BUILD_DIR: renews the pictures of the user guide
# (docs/obrazky/) from the demo records: windows by iksa-screenshots, a
# protocol page by iksa-cli protocol-png. Run after a change of the windows.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(cd "$1" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
out=docs/obrazky
mkdir -p "$out"

tools/make-demo.sh "$build" "$work/demo" >/dev/null
(cd "$work/demo" && QT_QPA_PLATFORM=offscreen "$build/tools/app-screenshots/iksa-screenshots" "$work/shots" >/dev/null)
cp "$work/shots/02-TabSheet2.png" "$out/subtest-slovnik.png"
cp "$work/shots/14-TabSheet14.png" "$out/subtest-skladani-objektu.png"
cp "$work/shots/15-TabSheet15.png" "$out/vyhodnoceni.png"
cp "$work/shots/16-Form5.png" "$out/odstraneni.png"
cp "$work/shots/17-Vyhledej.png" "$out/vyhledani.png"
QT_QPA_PLATFORM=offscreen "$build/tools/iksa-cli/iksa-cli" protocol-png "$work/demo" 1 "$work/protokol" --dpi 60 >/dev/null
cp "$work/protokol-1.png" "$out/protokol-strana-1.png"
cp "$work/protokol-2.png" "$out/protokol-strana-2.png"
echo "Obrázky příručky obnoveny v $out"
