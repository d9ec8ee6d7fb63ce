#!/usr/bin/env bash
# Fresh machine to tested build: install what is missing, build, run every
# test, the installed-package test, a short fuzzing run, then the benchmark
# figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
(cd build && ctest --output-on-failure -j "$(nproc)" "$@")
scripts/package-test.sh
scripts/fuzz.sh "${CFGSCOPE_FUZZ_SECONDS:-20}"
scripts/bench.sh
