#!/usr/bin/env bash
# Prepares the network lab of the tests (standins/tests/lab/lab.sh): the
# managers come from scripts/deps/tests/lab.txt; systemd-resolved is unpacked into
# DIR (default build/lab) from its Debian package and never installed, since
# installing it rewrites the machine's /etc/resolv.conf.
#
#   scripts/lab-setup.sh [DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build/lab}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
if [ -x "$dir/resolved/lib/systemd/systemd-resolved" ] && [ -x "$dir/resolved/usr/bin/resolvectl" ]; then
  exit 0
fi
command -v apt-get >/dev/null || { echo "lab-setup: apt-get is missing; the resolved labs will skip" >&2; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
# The version that matches the installed systemd when the mirror still has it.
want=$(dpkg-query -W -f='${Version}' systemd 2>/dev/null || true)
(cd "$work" && { [ -n "$want" ] && apt-get download -q "systemd-resolved=$want" 2>/dev/null ||
                 apt-get download -q systemd-resolved; }) >/dev/null
deb=$(ls "$work"/systemd-resolved_*.deb)
rm -rf "$dir/resolved"
dpkg -x "$deb" "$dir/resolved"
echo "lab-setup: unpacked $(basename "$deb") into $dir/resolved"
