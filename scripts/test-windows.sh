#!/usr/bin/env bash
# Builds the Windows programs and tests (scripts/build-windows.sh) and runs
# the tests under wine with CTest. Separate from the Linux tests
# (scripts/test.sh): nothing here runs in CI's Linux build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=${CFGSCOPE_WIN_BUILD:-$root/build-win}
scripts/build-windows.sh

# The project's own wine prefix, prepared once; one wine server kept for
# the whole run (each program would otherwise start and stop its own) and
# stopped at the end whatever happens.
export WINEPREFIX=${CFGSCOPE_WINEPREFIX:-$HOME/.wine-cfgscope}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Preparing the wine prefix $WINEPREFIX ..."
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w
fi
wineserver -p 60 || true  # already running: keep that one
trap 'wineserver -k 2>/dev/null || true' EXIT
# Wine's first program start loads its services; do it before CTest times
# anything.
wine cmd /c exit >/dev/null 2>&1 || true

# The product web server of the Linux build on 127.0.0.1 for the download
# tests (skipped without it), stopped at the end.
linux_build=${CFGSCOPE_LINUX_BUILD:-$root/build}
server_pid=
if [ -x "$linux_build/bin/vorlan-webserver" ]; then
  server_log=$(mktemp)
  "$linux_build/bin/vorlan-webserver" --port 0 >"$server_log" 2>&1 &
  server_pid=$!
  for _ in $(seq 50); do
    grep -q listening "$server_log" && break
    sleep 0.1
  done
  port=$(head -1 "$server_log" | sed -n 's|.*http://127.0.0.1:\([0-9]*\)/.*|\1|p')
  [ -n "$port" ] && export CFGSCOPE_TEST_SERVER="http://127.0.0.1:$port"
fi
trap 'wineserver -k 2>/dev/null || true; [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true' EXIT

(cd "$out" && ctest --output-on-failure -j "${CFGSCOPE_JOBS:-$(nproc)}" "$@")
