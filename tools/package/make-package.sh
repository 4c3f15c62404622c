#!/usr/bin/env bash
# make-package.sh BUILD_DIR: builds the Debian package of a configured and
# built tree into BUILD_DIR/package and prints its path.
set -euo pipefail
build="$(cd "$1" && pwd)"
(cd "$build" && cpack -B "$build/package" >/dev/null)
ls "$build"/package/iksa_*_amd64.deb
