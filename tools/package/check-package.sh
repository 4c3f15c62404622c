#!/usr/bin/env bash
# check-package.sh BUILD_DIR OUT_DIR: builds the Debian package, installs it
# on this machine with dpkg -i, starts it from its desktop entry under Xvfb
# (check-installed.sh) and removes it again. Exits 77 (skipped) when not
# root or when a package iksa is already installed here, which the check
# would replace.
set -euo pipefail
build="$(cd "$1" && pwd)"
out="$2"
here="$(cd "$(dirname "$0")" && pwd)"

if [[ $(id -u) -ne 0 ]]; then
    echo "check-package: skipped, installing a package needs root"
    exit 77
fi
if dpkg-query -W -f='${Status}' iksa 2>/dev/null | grep -q "install ok installed"; then
    echo "check-package: skipped, a package iksa is already installed here"
    exit 77
fi

deb="$("$here/make-package.sh" "$build")"
trap 'dpkg -r iksa >/dev/null 2>&1 || true' EXIT
dpkg -i "$deb" >/dev/null
dpkg-deb -f "$deb" Depends
"$here/check-installed.sh" "$build" "$out"
