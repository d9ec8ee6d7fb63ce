#!/usr/bin/env bash
# Fresh machine to tested build: install what is missing, build, prepare the
# network lab, run every test, the installed-package test, the Windows build with its tests,
# smoke test and installer test under wine (CFGSCOPE_WINDOWS=off leaves it out), a short fuzzing
# run, then the benchmark figures. Ends with one summary line of the test
# suites.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
scripts/build.sh
scripts/lab-setup.sh build/lab
log=$(mktemp)
trap 'rm -f "$log"' EXIT
(cd build && ctest --output-on-failure -j "$(nproc)" "$@") 2>&1 | tee "$log"
failed=0 total=0
count() {  # adds the last CTest summary in $log to the counts
  local summary
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  failed=$((failed + $(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")))
  total=$((total + $(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$summary")))
}
count
scripts/package-test.sh
if [ "${CFGSCOPE_WINDOWS:-on}" != off ]; then
  scripts/test-windows.sh 2>&1 | tee "$log"
  count
  # The smoke test counts as one more.
  total=$((total + 1))
  grep -q '^smoke-windows: OK' "$log" || failed=$((failed + 1))
  # So does the installer test.
  total=$((total + 1))
  grep -q '^msi-test: OK' "$log" || failed=$((failed + 1))
fi
scripts/fuzz.sh "${CFGSCOPE_FUZZ_SECONDS:-20}"
scripts/bench.sh
echo "tests: $((total - failed)) passed, $failed failed"
