#!/usr/bin/env bash
# Starts the shipped product web server on a free port of 127.0.0.1 and
# cfgscope pointed at it on a virtual X display, clicks "Get Public IP
# Address", and saves a PNG of the whole screen (the status line, and any box
# the quiet update check shows). The echo service points at a closed port, so
# nothing leaves the machine.
#
#   internet/screenshot.sh [OUT.png]
#
# Environment: SERVER=off leaves the server stopped; NEWEST and WHATSNEW are
# the server's newest version and what's-new text; BUILD names the build
# folder (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/session.sh

out=${1:-getpublicip.png}
build=${BUILD:-build}
program=$build/bin/cfgscope
server=$build/bin/vorlan-webserver
caption="VORLAN Lanomat Std"

for tool in Xvfb xwininfo xdotool import; do
  command -v "$tool" >/dev/null || { echo "screenshot: '$tool' is missing (bash scripts/install-deps.sh)" >&2; exit 2; }
done
for p in "$program" "$server"; do
  [ -x "$p" ] || { echo "screenshot: no program at $p (bash scripts/build.sh)" >&2; exit 2; }
done

work=$(mktemp -d)
chmod 700 "$work"
xvfb_pid="" app_pid="" server_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

if [ "${SERVER:-on}" != off ]; then
  start_web_server "$server" "$work" --newest-version "${NEWEST:-1.03.0}" --whats-new "${WHATSNEW:-}"
  export CFGSCOPE_PRODUCT_SERVER=$server_url
else
  export CFGSCOPE_PRODUCT_SERVER="http://127.0.0.1:9"  # nothing listens there
fi
export CFGSCOPE_ECHO_SERVICE="http://127.0.0.1:9/"

start_display "$work"
export TEMP="$work/temp"
mkdir -m 700 "$TEMP"
"$program" >"$work/out.log" 2>&1 &
app_pid=$!

window=""
for _ in $(seq 1 200); do
  window=$(window_by_caption "$caption")
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "screenshot: the window did not appear" >&2; cat "$work/out.log" >&2; exit 1; }
sleep 1.5
# "Get Public IP Address" stands at 6360,4500 twips (424,300 pixels) of the
# client area, 75 by 35 pixels; the menu bar (18 pixels) lies above it.
xdotool mousemove --window "$window" 461 335 click 1
sleep 2
import -window root "$out"
echo "screenshot: $out"
if [ -n "$server_pid" ]; then
  echo "server log:"
  sed 's/^/  /' "$work/server.log"
  grep -q "GET /lanomatstd.shtml" "$work/server.log" || echo "screenshot: the click did not reach the button" >&2
fi
