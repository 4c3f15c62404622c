# Sourced by the bench/*/run-*-bench.sh scripts, with the script's own
# arguments: works from the source root, takes iksa-cli from the first
# argument (default: the one in build/), and gives a scratch directory
# $work that is removed on exit.
cd "$(dirname "${BASH_SOURCE[0]}")/.."
cli="$(realpath "${1:-build/tools/iksa-cli/iksa-cli}")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# ms START: the milliseconds since START (a `date +%s%N`).
ms() { echo $((($(date +%s%N) - $1) / 1000000)); }
