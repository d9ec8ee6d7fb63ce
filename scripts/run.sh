#!/usr/bin/env bash
# Fresh machine to running program: install what is missing, build, run cfgscope.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/bin/cfgscope "$@"
