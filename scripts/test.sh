#!/usr/bin/env bash
# Fresh machine to tested build: install what is missing, build, run every
# test, then a short fuzzing run and the benchmark figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
(cd build && ctest --output-on-failure -j "$(nproc)" "$@")
scripts/fuzz.sh "${CFGSCOPE_FUZZ_SECONDS:-20}"
scripts/bench.sh
