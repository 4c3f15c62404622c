#!/usr/bin/env bash
# Configures and builds the whole project into ./build (or $IKSA_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${IKSA_BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${IKSA_BUILD_TYPE:-RelWithDebInfo}" >/dev/null
cmake --build "$build" -j "$(nproc)"
