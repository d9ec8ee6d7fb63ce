#!/usr/bin/env bash
# Fresh machine to running program: install what is missing, build what runs
# (the programs, the stand-ins and the web server; not the tests), run cfgscope.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
CFGSCOPE_BUILD_TARGETS=programs scripts/build.sh
exec build/bin/cfgscope "$@"
