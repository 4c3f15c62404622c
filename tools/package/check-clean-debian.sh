#!/usr/bin/env bash
# check-clean-debian.sh BUILD_DIR: installs the built package into a fresh
# Debian 12 (debootstrap, minbase, no recommended packages) with dpkg -i and
# apt's completion of the declared dependencies, then starts it there from
# its desktop entry (check-installed.sh). Proves that the package declares
# everything it needs. Needs root and the Debian mirror; takes a few minutes,
# so it is run by hand, not by the test command.
set -euo pipefail
build="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
deb="$("$here/make-package.sh" "$build")"
root="$(mktemp -d /tmp/iksa-debian12.XXXXXX)"

cleanup() {
    umount "$root/proc" 2>/dev/null || true
    rm -rf "$root" "$root.log"
}
trap cleanup EXIT

debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >"$root.log" 2>&1 ||
    { tail "$root.log"; exit 1; }
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
cp "$deb" "$root/tmp/iksa.deb"
export DEBIAN_FRONTEND=noninteractive
# dpkg -i stops on the missing dependencies; apt then installs exactly those.
chroot "$root" dpkg -i /tmp/iksa.deb >/dev/null 2>&1 || true
chroot "$root" apt-get update -qq
chroot "$root" apt-get install -y -qq --no-install-recommends --fix-broken >/dev/null
chroot "$root" dpkg-query -W -f='${Status}\n' iksa | grep -q "install ok installed"
"$here/check-installed.sh" "$build" "$build/package-check-debian12" "$root"
