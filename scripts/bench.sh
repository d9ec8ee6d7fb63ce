#!/usr/bin/env bash
# Prints the benchmark figures of the built tree (no pass or fail).
set -euo pipefail
cd "$(dirname "$0")/.."
for b in parse_benchmark internet_benchmark; do
  [ -x "build/bin/$b" ] || continue
  echo "== $b"
  "build/bin/$b" --benchmark_min_time=0.2 2>/dev/null | grep -v -E '^(\*\*\*|---|Run on|CPU Caches|  L[123]|Load Average)' || true
done
if [ -x build/bin/diagnose_benchmark ]; then
  echo "== diagnose_benchmark"
  build/bin/diagnose_benchmark 1000 || true
fi
if [ -x build/bin/window_benchmark ]; then
  echo "== window_benchmark"
  QT_QPA_PLATFORM=offscreen timeout 300 build/bin/window_benchmark 5 2>/dev/null || true
fi
if [ -x build/bin/vorlan-webserver ]; then
  echo "== webserver-bench (wrk: vorlan-webserver beside nginx)"
  BENCH_SECONDS=${BENCH_SECONDS:-2} timeout 120 internet/server/bench/webserver-bench.sh build || true
fi
