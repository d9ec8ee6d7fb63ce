#!/usr/bin/env bash
# Smoke test of the Windows cfgscope.exe under wine on a virtual display:
# the window is found by its caption, the working folder with the fixed
# scripts appears in %TEMP%, and the Close button removes it. Wine's own
# ipconfig writes no "Windows IP Configuration" header, so a small stand-in
# (ipconfig.bat printing a fixture report) comes first on the path.
# usage: scripts/smoke-windows.sh [SCREENSHOT.png]   (after scripts/build-windows.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
exe=${CFGSCOPE_WIN_BUILD:-$root/build-win}/bin/cfgscope.exe
shot=${1:-}
for tool in Xvfb xdotool wine winepath; do
  command -v "$tool" >/dev/null || { echo "smoke-windows: $tool is missing" >&2; exit 2; }
done
[ -f "$exe" ] || { echo "smoke-windows: $exe not built (scripts/build-windows.sh)" >&2; exit 2; }

export WINEPREFIX=${CFGSCOPE_WINEPREFIX:-$HOME/.wine-cfgscope}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
xvfb_pid= app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The display first: the first wine command starts wine's session, which
# keeps the display it was started with.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

# The ipconfig stand-in: the fixture report, CR LF lines.
mkdir -p "$work/bin"
fixture=$root/tests/data/xp-dhcp-two-dns.txt
printf '@type "%s"\r\n' "$(winepath -w "$fixture" 2>/dev/null)" >"$work/bin/ipconfig.bat"
export WINEPATH="$(winepath -w "$work/bin" 2>/dev/null)"


temp=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null)
folder="$temp/cfgscope"
wine "$exe" >"$work/app.log" 2>&1 &
app_pid=$!

window=
for _ in $(seq 120); do
  window=$(xdotool search --name "^VORLAN Lanomat Std" 2>/dev/null | head -1 || true)
  [ -n "$window" ] && [ -d "$folder" ] && break
  sleep 0.25
done
fail() { echo "smoke-windows: FAIL: $*" >&2; cat "$work/app.log" >&2; xdotool search --name . getwindowname %@ 2>/dev/null | head >&2 || true; exit 1; }
[ -n "$window" ] || fail "no window captioned VORLAN Lanomat Std"
[ -d "$folder" ] || fail "no working folder $folder"
sleep 2
ls "$folder"/*.bat >/dev/null 2>&1 || fail "no scripts in $folder"
echo "window $window; working folder $folder:"
ls "$folder"
if [ -n "$shot" ]; then
  import -window root "$shot"
  echo "screenshot: $shot"
fi

# Close: the button at the bottom right of the client area.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove "$((X + WIDTH - 45))" "$((Y + HEIGHT - 42))" click 1
for _ in $(seq 80); do [ -d "$folder" ] || break; sleep 0.25; done
[ -d "$folder" ] && fail "the working folder stays after Close"
echo "smoke-windows: OK"
