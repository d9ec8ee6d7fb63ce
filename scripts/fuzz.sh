#!/usr/bin/env bash
# Builds the report parser's libFuzzer target with clang and runs it for
# SECONDS (default 30), seeded with the sample reports.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is not installed; skipped"
  exit 0
fi
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCFGSCOPE_FUZZ=ON -DCFGSCOPE_TESTS=OFF -DCFGSCOPE_BENCH=OFF -DCFGSCOPE_ONLY_CORE=ON >/dev/null
cmake --build build-fuzz --target report_parser_fuzz -j "$(nproc)" >/dev/null
corpus=$(mktemp -d)
cp tests/data/*.txt "$corpus"/
build-fuzz/bin/report_parser_fuzz -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  "$corpus" 2>&1 | grep -E 'Done|stat::number_of_executed_units|ERROR|SUMMARY' || true
status=${PIPESTATUS[0]}
rm -rf "$corpus"
exit "$status"
