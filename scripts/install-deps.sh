#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/deps/*.txt that are missing;
# with --tests also those the tests alone need (scripts/deps/tests/*.txt: the
# network managers of the lab, the web engines, lintian), which a machine that
# only builds and runs the programs should not get.
set -euo pipefail
cd "$(dirname "$0")/.."

lists=(scripts/deps/*.txt)
[ "${1:-}" = --tests ] && lists+=(scripts/deps/tests/*.txt)
mapfile -t wanted < <(cat "${lists[@]}" | sed 's/#.*//' | tr -s ' \t' '\n' | grep -v '^$' | sort -u)
missing=()
for pkg in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
# Packages never start services here (network-manager would take the
# machine's network): a policy-rc.d refuses them while apt runs.
guard=/usr/sbin/policy-rc.d
made_guard=""
if [ ! -e "$guard" ]; then
  printf '#!/bin/sh\nexit 101\n' | $sudo tee "$guard" >/dev/null && $sudo chmod 755 "$guard" && made_guard=yes
fi
trap '[ -n "$made_guard" ] && $sudo rm -f "$guard"' EXIT
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
