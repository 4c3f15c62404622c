#!/usr/bin/env bash
# check-installed.sh BUILD_DIR OUT_DIR [ROOT]: tries the installed package as
# a new user would. The desktop entry is read from ROOT (default /, else a
# chroot with the package installed) and its command is started under Xvfb
# with an empty home directory. The check waits for the main window, takes a
# screenshot (OUT_DIR/installed.png) and looks at what the first start left
# in ~/IKSA: the three tables, the record form, a working iksa-cli.
set -euo pipefail
build="$(cd "$1" && pwd)"
out="$2"
root="${3:-}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

fail() {
    echo "check-installed: $*" >&2
    exit 1
}

entry="$root/usr/share/applications/iksa.desktop"
[[ -f "$entry" ]] || fail "no desktop entry $entry"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
command="$(sed -n 's/^Exec=//p' "$entry")"
icon="$(sed -n 's/^Icon=//p' "$entry")"
ls "$root"/usr/share/icons/hicolor/*/apps/"$icon".png >/dev/null || fail "no icon $icon"

in_root() {
    if [[ -n "$root" ]]; then chroot "$root" "$@"; else "$@"; fi
}

# An empty home inside ROOT; the program runs as the user who runs the check.
home_in_root="/tmp/iksa-home-$$"
home="$root$home_in_root"
rm -rf "$home"
mkdir -p "$home"

# Xvfb picks a free display and writes its number once it is ready.
rm -f "$out/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$out/display" >"$out/xvfb.log" 2>&1 &
xvfb=$!
program=""
cleanup() {
    [[ -n "$program" ]] && kill "$program" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$home"
}
trap cleanup EXIT
for _ in $(seq 100); do
    [[ -s "$out/display" ]] && break
    sleep 0.1
done
[[ -s "$out/display" ]] || fail "Xvfb did not start: $(cat "$out/xvfb.log")"
display=":$(head -n1 "$out/display")"

started=$(date +%s%N)
in_root env -i HOME="$home_in_root" DISPLAY="$display" PATH=/usr/bin:/bin LANG=C.UTF-8 \
    sh -c "cd && exec $command" >"$out/program.log" 2>&1 &
program=$!

# The main window's caption begins with the product name.
caption="IKSA-III  –  "
for _ in $(seq 300); do
    xwininfo -root -tree -display "$display" 2>/dev/null | grep -q "\"$caption" && break
    kill -0 "$program" 2>/dev/null || fail "the program ended: $(cat "$out/program.log")"
    sleep 0.1
done
xwininfo -root -tree -display "$display" | grep -q "\"$caption" || fail "no main window within 30 s"
shown_ms=$((($(date +%s%N) - started) / 1000000))
sleep 1
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$build/tools/screen-grab/iksa-screen-grab" "$out/installed.png"

for name in IKSA.DBF IKSA_II.DBF IKSA_HS_Vyp.DBF Iksa_kodovani.pdf; do
    [[ -f "$home/IKSA/$name" ]] || fail "the first start left no $name in ~/IKSA"
done
in_root iksa-cli list "$home_in_root/IKSA" >/dev/null || fail "iksa-cli cannot read the new tables"
echo "check-installed: the program started from its desktop entry, main window after $shown_ms ms (first start, ~/IKSA prepared); screenshot $out/installed.png"
