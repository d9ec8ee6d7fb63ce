#!/usr/bin/env bash
# Smoke test of the Windows programs under wine on a virtual display, used as
# a new user would use them:
#   cfgscope.exe: its window is found by its caption and shows the adapter of
#     the report; its working folder with the fixed scripts appears in %TEMP%;
#     Get Public IP asks the product web server on 127.0.0.1 and the status
#     line turns to connected; Ctrl+C puts the whole report on the clipboard;
#     the Close button removes the working folder and ends the program.
#   addrpeek.exe: its window shows the public address from the same server
#     and closes from its close box.
# Wine's own ipconfig writes no "Windows IP Configuration" header, so a small
# stand-in (ipconfig.bat printing a fixture report) comes first on the path.
# Controls are read and driven from outside by window_probe.exe.
#
# The programs come from the release archive, unpacked into a fresh folder.
#
# usage: scripts/smoke-windows.sh [SCREENSHOT-FOLDER]   (after scripts/build-windows.sh
#        and the Linux build, whose vorlan-webserver serves the product pages)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bin=${CFGSCOPE_WIN_BUILD:-$root/build-win}/bin
server=${CFGSCOPE_LINUX_BUILD:-$root/build}/bin/vorlan-webserver
shots=${1:-}
for tool in Xvfb xwininfo import wine winepath wineserver; do
  command -v "$tool" >/dev/null || { echo "smoke-windows: $tool is missing" >&2; exit 2; }
done
archive=$(ls "$bin"/../cfgscope-*-windows-x64.zip 2>/dev/null | head -n1 || true)
for f in "$archive" "$bin/window_probe.exe" "$server"; do
  [ -n "$f" ] && [ -f "$f" ] || { echo "smoke-windows: ${f:-the release archive} not built" >&2; exit 2; }
done

source scripts/lib/session.sh
work=$(mktemp -d)
xvfb_pid= app_pid= server_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The display first: the first wine command starts wine's session, which
# keeps the display it was started with. A wine server left from an earlier
# run would keep its own display: stop it.
wineserver -k 2>/dev/null || true
start_display "$work"
use_wine_prefix >/dev/null

# The product web server on a free port of 127.0.0.1.
start_web_server "$server" "$work"
export CFGSCOPE_PRODUCT_SERVER=$server_url

# The programs as a user gets them: unpacked from the release archive.
mkdir -p "$work/release"
(cd "$work/release" && cmake -E tar xf "$archive")
for f in cfgscope.exe addrpeek.exe README.txt; do
  [ -f "$work/release/$f" ] || { echo "smoke-windows: FAIL: $f missing from $archive" >&2; exit 1; }
done
programs=$work/release

# The ipconfig stand-in: the fixture report, CR LF lines.
mkdir -p "$work/bin"
fixture=$root/tests/data/xp-dhcp-two-dns.txt
printf '@type "%s"\r\n' "$(winepath -w "$fixture" 2>/dev/null)" >"$work/bin/ipconfig.bat"
export WINEPATH="$(winepath -w "$work/bin" 2>/dev/null)"

probe() { wine "$bin/window_probe.exe" "$@" 2>&1 | tr -d '\r'; }
fail() {
  echo "smoke-windows: FAIL: $*" >&2
  cat "$work/app.log" >&2 2>/dev/null || true
  exit 1
}
screenshot() {  # NAME CAPTION
  [ -n "$shots" ] || return 0
  mkdir -p "$shots"
  local id
  id=$(window_by_caption "$2")
  if [ -z "$id" ]; then
    echo "smoke-windows: no window \"$2\" to take a picture of" >&2
    return 0
  fi
  import -window "$id" "$shots/$1.png"
  echo "screenshot: $shots/$1.png"
}

# --- cfgscope.exe ---
main="VORLAN Lanomat Std"
temp=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null)
folder="$temp/cfgscope"
wine "$programs/cfgscope.exe" >"$work/app.log" 2>&1 &
app_pid=$!

probe wait "$main" "1) Ethernet adapter Local Area Connection" >/dev/null \
  || fail "no window captioned $main showing the report's adapter"
probe wait "$main" "No errors found" >/dev/null || fail "the status line does not read No errors found"
[ -d "$folder" ] || fail "no working folder $folder"
for script in getdata.bat releaseall.bat renewall.bat; do
  [ -f "$folder/$script" ] || fail "no $script in $folder"
done
echo "cfgscope.exe: window up, working folder $folder: $(cd "$folder" && ls | tr '\n' ' ')"

probe click "$main" "Get Public IP Address" >/dev/null || fail "no Get Public IP Address button"
status=$(probe wait "$main" " Internet: Connected") || fail "Get Public IP: the status line never read connected"
[ "$status" = " Internet: Connected ... Public IP Address: 127.0.0.1" ] || fail "Get Public IP: status \"$status\""
echo "cfgscope.exe: Get Public IP: $status"

# Ctrl+C, typed again if the window had not taken the keyboard yet.
report=
for attempt in $(seq 5); do
  probe key "$main" Ctrl+C >/dev/null || fail "Ctrl+C not typed"
  for _ in $(seq 10); do
    report=$(probe clipboard || true)
    grep -q "Public (WAN) IP : 127.0.0.1" <<<"$report" && break 2
    sleep 0.2
  done
done
for line in "Public (WAN) IP : 127.0.0.1" "1) Ethernet adapter Local Area Connection" \
    "DNS Server 2:     4.2.2.2" "Created with VORLAN Lanomat Std 1.3.0"; do
  grep -qF "$line" <<<"$report" || fail "Copy All: the clipboard lacks \"$line\""
done
echo "cfgscope.exe: Copy All put $(wc -l <<<"$report") lines on the clipboard"
screenshot cfgscope "$main"

probe click "$main" "Close" >/dev/null || fail "no Close button"
for _ in $(seq 80); do [ -d "$folder" ] || break; sleep 0.25; done
[ -d "$folder" ] && fail "the working folder stays after Close"
ended_within "$app_pid" 100 || fail "cfgscope.exe still runs after Close"
app_pid=
echo "cfgscope.exe: Close removed the working folder"

# --- addrpeek.exe ---
peek="VORLAN Addrpeek Tool"
wine "$programs/addrpeek.exe" >"$work/app.log" 2>&1 &
app_pid=$!
probe wait "$peek" "" >/dev/null || fail "no window captioned $peek"
texts=
for _ in $(seq 100); do
  texts=$(probe texts "$peek")
  grep -q "127.0.0.1" <<<"$texts" && break
  sleep 0.2
done
grep -q "127.0.0.1" <<<"$texts" || { echo "$texts" >&2; fail "addrpeek.exe never showed the public address 127.0.0.1"; }
echo "addrpeek.exe: $(grep -m1 "127.0.0.1" <<<"$texts" | sed 's/^[[:space:]]*//')"
screenshot addrpeek "$peek"
probe close "$peek" >/dev/null
ended_within "$app_pid" 100 || fail "addrpeek.exe still runs after its close box"
app_pid=
echo "smoke-windows: OK"
