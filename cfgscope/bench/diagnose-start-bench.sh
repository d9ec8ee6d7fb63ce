#!/usr/bin/env bash
# One report diagnosed in its own process, as a help desk's mail filter runs
# it: N starts of `cfgscope --diagnose --json FILE` beside N starts of
# `cat FILE` in the same run, and our time as a multiple of cat's.
# Usage: diagnose-start-bench.sh [BUILD] [N] [FILE]   (no pass or fail)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
n=${2:-200}
file=${3:-tests/data/vista-ethernet-wifi-tunnels.txt}
cfgscope=$build/bin/cfgscope

# Wall-clock microseconds for N runs of the command.
runs() {
  local start end
  start=$(date +%s%N)
  for ((i = 0; i < n; i++)); do "$@" >/dev/null || [ $? -le 1 ]; done
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

"$cfgscope" --diagnose --json "$file" >/dev/null || [ $? -le 1 ]  # warm the page cache
ours=$(runs "$cfgscope" --diagnose --json "$file")
anchor=$(runs cat "$file")
awk -v o="$ours" -v a="$anchor" -v n="$n" 'BEGIN {
  printf "cfgscope --diagnose --json: %.2f ms a process\n", o / n / 1000
  printf "cat (anchor):               %.2f ms a process\n", a / n / 1000
  printf "ratio:                      %.2f x cat\n", o / a
}'
