#!/usr/bin/env bash
# make-demo.sh BUILD_DIR DEMO_DIR: a fresh demo start directory with empty
# tables and a few sample examinees.
set -euo pipefail
build="$1"
demo="$2"
cli="$build/tools/iksa-cli/iksa-cli"
rm -rf "$demo"
mkdir -p "$demo"
echo "Demo start directory: $demo (sample examinees follow with the table engine)"
