#!/usr/bin/env bash
# Configures and builds into build/ (programs in build/bin/): everything, or
# only the targets named in CFGSCOPE_BUILD_TARGETS (e.g. "programs").
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
targets=()
for target in ${CFGSCOPE_BUILD_TARGETS:-}; do targets+=(--target "$target"); done
cmake --build build -j "$(nproc)" "${targets[@]}"
