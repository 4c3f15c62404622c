#!/usr/bin/env bash
# Builds and runs every benchmark (bench/*_bench), offscreen. Extra arguments
# go to each benchmark (e.g. --benchmark_filter=Repaint).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
build="${IKSA_BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
for bench in "$build"/bench/*_bench; do
    [ -x "$bench" ] || continue
    echo "== $(basename "$bench")"
    "$bench" "$@"
done
