#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need,
# only those that are missing. Run as root.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-pdf-dev libqt6pdfwidgets6
    libshp-dev zlib1g-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2 poppler-utils qt6-translations-l10n
    python3 python3-dbfread python3-dbf
    dpkg-dev file xvfb xauth x11-utils desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
