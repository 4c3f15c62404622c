#!/usr/bin/env bash
# Installs what is missing, builds, prepares the demo start directory
# ./demo (empty tables plus a few sample examinees) and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
build="${IKSA_BUILD_DIR:-build}"
tools/make-demo.sh "$build" demo
"$build/tools/iksa-cli/iksa-cli" list demo
