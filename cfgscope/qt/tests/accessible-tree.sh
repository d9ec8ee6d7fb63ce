#!/usr/bin/env bash
# Both programs under Xvfb with a private D-Bus session and accessibility
# bus: their accessible trees through AT-SPI, with every control named.
#
#   accessible-tree.sh CFGSCOPE ADDRPEEK
#
# Ends with status 77 (skipped) where Xvfb, D-Bus or pyatspi are missing.
set -uo pipefail
cfgscope=$1 addrpeek=$2
here=$(cd "$(dirname "$0")" && pwd)

# Debian's Python, which the pyatspi package installs into.
py=python3
[ -x /usr/bin/python3 ] && py=/usr/bin/python3

if [ "${1:-}" != "--inner" ]; then
  for tool in Xvfb dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "skipped: '$tool' is missing"; exit 77; }
  done
  "$py" -c "import pyatspi" 2>/dev/null || { echo "skipped: python3-pyatspi is missing"; exit 77; }
  exec dbus-run-session -- bash "$0" --inner "$cfgscope" "$addrpeek"
fi
cfgscope=$2 addrpeek=$3

source "$here/../../../scripts/lib/session.sh"
work=$(mktemp -d)
xvfb_pid="" bus_pid="" app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
start_display "$work" keep-bus || exit 1  # the bus is the test's own

launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
  [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || { echo "skipped: at-spi-bus-launcher is missing"; exit 77; }
"$launcher" --launch-immediately >"$work/bus.log" 2>&1 &
bus_pid=$!
sleep 0.5

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export TEMP="$work/temp" CFGSCOPE_PRODUCT_SERVER=http://127.0.0.1:1
mkdir -m 700 "$TEMP"

status=0
check() {  # PROGRAM APP-NAME CAPTION MIN-RELATIONS
  "$1" >"$work/out.log" 2>&1 &
  app_pid=$!
  "$py" "$here/accessible-tree.py" "$2" "$3" "$4" || { status=1; cat "$work/out.log"; }
  kill -TERM "$app_pid" 2>/dev/null
  ended_within "$app_pid" 50
  app_pid=""
}
# cfgscope: six caption labels (adapter list and five fields).
check "$cfgscope" cfgscope "VORLAN Lanomat Std" 5
check "$addrpeek" Addrpeek "VORLAN Addrpeek Tool" 0
exit $status
