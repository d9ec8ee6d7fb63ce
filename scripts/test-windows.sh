#!/usr/bin/env bash
# Builds the Windows programs and tests (scripts/build-windows.sh), runs the
# tests under wine with CTest on a virtual display of their own (the window
# tests need one), then the smoke test of both programs
# (scripts/smoke-windows.sh) and the localized runs of cfgscope.exe
# (scripts/smoke-windows-languages.sh). scripts/test.sh runs this after the Linux tests.
# Arguments go to CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=${CFGSCOPE_WIN_BUILD:-$root/build-win}
source scripts/lib/session.sh
scripts/build-windows.sh
for tool in Xvfb xwininfo import; do
  command -v "$tool" >/dev/null || { echo "test-windows: $tool is missing (scripts/install-deps.sh)" >&2; exit 2; }
done

work=$(mktemp -d)
xvfb_pid= server_pid=
stop() {
  wineserver -k 2>/dev/null || true
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT

# The display before the wine server, so wine's session keeps it; a wine
# server left from an earlier run would keep another.
wineserver -k 2>/dev/null || true
start_display "$work"

# One wine server for the whole run (each program would otherwise start and
# stop its own); wine's first program start loads its services: do it before
# CTest times anything.
use_wine_prefix
wineserver -p 60 || true  # already running: keep that one
wine cmd /c exit >/dev/null 2>&1 || true

# The product web server of the Linux build for the download tests (skipped
# without it).
linux_build=${CFGSCOPE_LINUX_BUILD:-$root/build}
if [ -x "$linux_build/bin/vorlan-webserver" ]; then
  start_web_server "$linux_build/bin/vorlan-webserver" "$work"
  export CFGSCOPE_TEST_SERVER=$server_url
fi

(cd "$out" && ctest --output-on-failure -j "${CFGSCOPE_JOBS:-$(nproc)}" "$@")
stop
trap - EXIT
scripts/smoke-windows.sh "${CFGSCOPE_SHOTS:-}"
scripts/smoke-windows-languages.sh

# The installer package, installed, upgraded and removed in a fresh wine
# prefix of its own.
scripts/msi-test.sh
