#!/usr/bin/env bash
# Builds the Windows programs and tests (scripts/build-windows.sh), runs the
# tests under wine with CTest on a virtual display of their own (the window
# tests need one), then the smoke test of both programs
# (scripts/smoke-windows.sh). scripts/test.sh runs this after the Linux tests.
# Arguments go to CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=${CFGSCOPE_WIN_BUILD:-$root/build-win}
scripts/build-windows.sh
for tool in Xvfb xwininfo import; do
  command -v "$tool" >/dev/null || { echo "test-windows: $tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
done

# A display of our own, started before the wine server so wine's session
# keeps it; a wine server left from an earlier run would keep another.
wineserver -k 2>/dev/null || true
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$display_file")"
rm -f "$display_file"

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
trap 'wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true' EXIT
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
stop() {
  wineserver -k 2>/dev/null || true
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap stop EXIT

(cd "$out" && ctest --output-on-failure -j "${CFGSCOPE_JOBS:-$(nproc)}" "$@")
stop
trap - EXIT
scripts/smoke-windows.sh "${CFGSCOPE_SHOTS:-}"
