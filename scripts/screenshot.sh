#!/usr/bin/env bash
# Starts cfgscope on a virtual X display (Xvfb), saves a PNG of its window,
# then closes it the ordinary way and reports whether the working folder went.
#
#   scripts/screenshot.sh [OUT.png]
#
# Environment: CFGSCOPE (program, default build/bin/cfgscope), WAIT (seconds
# to wait for the window, default 20), SETTLE (seconds to let the first
# capture paint, default 1.5), CFGSCOPE_STANDINS (folder of the Linux
# stand-ins, default beside the program).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/session.sh

out=${1:-cfgscope.png}
program=${CFGSCOPE:-build/bin/cfgscope}
wait_s=${WAIT:-20}
caption="VORLAN Lanomat Std"

for tool in Xvfb xwininfo import; do
  command -v "$tool" >/dev/null || { echo "screenshot: '$tool' is missing (bash scripts/install-deps.sh)" >&2; exit 2; }
done
[ -x "$program" ] || { echo "screenshot: no program at $program (bash scripts/build.sh)" >&2; exit 2; }

work=$(mktemp -d)
chmod 700 "$work"
xvfb_pid="" app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of its own.
start_display "$work"

# A private TEMP, so the run neither sees nor disturbs the user's own copy.
export TEMP="$work/temp"
mkdir -m 700 "$TEMP"
"$program" >"$work/out.log" 2>&1 &
app_pid=$!

window=""
for _ in $(seq 1 $((wait_s * 10))); do
  window=$(window_by_caption "$caption")
  [ -n "$window" ] && break
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "screenshot: the window \"$caption\" did not appear" >&2
  cat "$work/out.log" >&2
  exit 1
fi
# Let the first capture finish painting (a missing report tool ends in "Timeout error").
sleep "${SETTLE:-1.5}"
import -window "$window" "$out"
echo "screenshot: saved $out (display $DISPLAY, window $window)"
if [ -d "$TEMP/cfgscope" ]; then
  echo "screenshot: working folder holds: $(ls "$TEMP/cfgscope" | tr '\n' ' ')"
fi

# Close it as a user or the session would; the shutdown removes the folder.
kill -TERM "$app_pid"
ended_within "$app_pid" 50 || true
app_pid=""
if [ -d "$TEMP/cfgscope" ]; then echo "screenshot: the working folder was left behind" >&2; exit 1; fi
echo "screenshot: window closed, working folder removed"
