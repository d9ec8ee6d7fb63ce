#!/usr/bin/env bash
# Prints the benchmark figures of the built tree (no pass or fail).
set -euo pipefail
cd "$(dirname "$0")/.."
for b in build/bin/*_benchmark; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.2 2>/dev/null | grep -v -E '^(\*\*\*|---|Run on|CPU Caches|  L[123]|Load Average)' || true
done
