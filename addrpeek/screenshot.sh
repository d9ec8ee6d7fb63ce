#!/usr/bin/env bash
# Starts addrpeek on a virtual X display (Xvfb), pointed at the product web
# server started on a free port of 127.0.0.1, and saves a PNG of its window.
#
#   addrpeek/screenshot.sh [OUT.png]
#
# Environment: BUILD (build folder, default build), SERVER=off to leave the
# web server stopped (the window then shows "Cannot Acquire"), SETTLE
# (seconds to let the first fetch paint, default 2.5).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/session.sh

out=${1:-addrpeek.png}
build=${BUILD:-build}
program=$build/bin/addrpeek
server=$build/bin/vorlan-webserver
caption="VORLAN Addrpeek Tool"

for tool in Xvfb xwininfo import; do
  command -v "$tool" >/dev/null || { echo "screenshot: '$tool' is missing (bash scripts/install-deps.sh)" >&2; exit 2; }
done
[ -x "$program" ] || { echo "screenshot: no program at $program" >&2; exit 2; }

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

if [ "${SERVER:-on}" != off ] && [ -x "$server" ]; then
  start_web_server "$server" "$work"
  export CFGSCOPE_PRODUCT_SERVER=$server_url
else
  export CFGSCOPE_PRODUCT_SERVER="http://127.0.0.1:9"  # nothing listens there
fi
echo "screenshot: product web server $CFGSCOPE_PRODUCT_SERVER"

start_display "$work"

export TEMP="$work/temp"
mkdir -m 700 "$TEMP"
"$program" >"$work/out.log" 2>&1 &
app_pid=$!

window=""
for _ in $(seq 1 200); do
  window=$(window_by_caption "$caption")
  [ -n "$window" ] && break
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
[ -n "$window" ] || { echo "screenshot: the window \"$caption\" did not appear" >&2; cat "$work/out.log" >&2; exit 1; }
sleep "${SETTLE:-2.5}"
import -window "$window" "$out"
echo "screenshot: saved $out"
