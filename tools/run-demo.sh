#!/usr/bin/env bash
# Installs what is missing, builds, prepares the demo start directory
# ./demo (empty tables plus a few sample examinees) and starts the program in it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
build="${IKSA_BUILD_DIR:-build}"
tools/make-demo.sh "$build" demo
# The program works in the directory it is started in.
program="$(cd "$build" && pwd)/app/iksa"
cd demo
exec "$program"
