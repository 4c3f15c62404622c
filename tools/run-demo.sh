#!/usr/bin/env bash
# Installs what is missing, builds, prepares the demo start directory
# ./demo (the tables with four sample examinees) and starts the program in it.
# Without a display it lists the demo records and writes the first
# examinee's protocol as PDF instead, and says how to start the program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
build="$(cd "${IKSA_BUILD_DIR:-build}" && pwd)"
tools/make-demo.sh "$build" demo
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    "$build/tools/iksa-cli/iksa-cli" list demo
    "$build/tools/iksa-cli/iksa-cli" protocol demo 1 demo/protokol-1.pdf
    echo "No display here: the demo records are listed above, the first protocol is demo/protokol-1.pdf."
    echo "On a desktop start the program with: cd demo && $build/app/iksa"
    exit 0
fi
# The program works in the directory it is started in.
cd demo
exec "$build/app/iksa"
