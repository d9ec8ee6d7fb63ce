#!/usr/bin/env bash
# The window end to end in the NetworkManager lab: cfgscope, run by the lab's
# ordinary user under Xvfb, shows the lab adapter's lease; Release All, then
# Refresh, and the address is gone (NetworkManager says disconnected); Renew
# All, then Refresh, and it is back. addrpeek, run the same way, lists the
# address. What the window holds is read from its Copy All text (Ctrl+C).
#
#   window-test.sh BUILD    (as root; CFGSCOPE_LAB_SUPPORT as for lab.sh)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: window-test.sh BUILD}" && pwd)
source "$here/../../../scripts/lib/session.sh"

[ "$(id -u)" -eq 0 ] || { echo "window-test: skipped, needs root"; exit 0; }
for tool in Xvfb xwininfo xdotool xclip NetworkManager; do
  command -v "$tool" >/dev/null || { echo "window-test: '$tool' is missing (scripts/install-deps.sh --tests)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/cfwin-XXXXXX)
lab=$(mktemp -d /tmp/cflab-XXXXXX)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  "$here/lab.sh" stop "$lab" || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "window-test: $*" >&2
  for log in "$work"/*.log; do echo "--- $log" >&2; tail -n 20 "$log" >&2; done
  exit 1
}

export CFGSCOPE_LAB_BUILD=$build
"$here/lab.sh" start "$lab" nm
start_display "$work"
inlab() { "$here/lab.sh" run "$lab" "$@"; }
address() { inlab ip -4 -o addr show dev vnm0 | sed -n 's/.* inet \([0-9.]*\)\/.*/\1/p'; }

# The window's Copy All text, once it shows `want` and not `unwanted`
# (patterns), or after 10 s.
copied() {
  local want=$1 window=$2 unwanted=${3:-} text=""
  for _ in $(seq 1 20); do
    xdotool windowfocus "$window" key ctrl+c
    sleep 0.3
    text=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r' || true)
    if grep -Eq -- "$want" <<<"$text"; then
      [ -z "$unwanted" ] && break
      grep -Eq -- "$unwanted" <<<"$text" || break
    fi
    sleep 0.2
  done
  printf '%s\n' "$text"
}
wait_window() {
  local w=""
  for _ in $(seq 1 100); do
    w=$(window_by_caption "$1")
    [ -n "$w" ] && break
    sleep 0.1
  done
  [ -n "$w" ] || fail "the window \"$1\" did not appear"
  echo "$w"
}
# A click on a button at twips (left, top, width, height) of the client
# area; the menu bar (18 pixels) lies above it.
click_button() {
  xdotool mousemove --window "$1" $(( ($2 + $4 / 2) / 15 )) $(( ($3 + $5 / 2) / 15 + 18 )) click 1
}
# The modal message that follows a release or renew, closed with Enter.
close_message() {
  sleep 0.5
  xdotool key Return
  sleep 0.3
}

lease=$(address)
[ -n "$lease" ] || fail "the lab adapter has no address"
inlab chmod 755 /usr/libexec/cfgscope
"$here/lab.sh" run "$lab" --user cfglab env CFGSCOPE_STANDINS=/usr/libexec/cfgscope \
  "$build/bin/cfgscope" >"$work/cfgscope.log" 2>&1 &
main=$(wait_window "VORLAN Lanomat Std")

text=$(copied "IP Address: +$lease" "$main")
grep -Eq "IP Address: +$lease" <<<"$text" || fail "the window does not show the lease $lease: $text"
grep -Eq "DHCP Server: +10\.77\.0\.1" <<<"$text" || fail "no DHCP server in the window: $text"
grep -q "Lease Obtained:" <<<"$text" || fail "no lease time in the window: $text"
echo "window-test: the window shows $lease"

click_button "$main" 3990 4500 1005 525   # Release All
close_message
for _ in $(seq 1 50); do [ -z "$(address)" ] && break; sleep 0.1; done
[ -z "$(address)" ] || fail "Release All left the address"
inlab nmcli -t -f GENERAL.STATE device show vnm0 | grep -q disconnected || fail "NetworkManager does not say disconnected"
click_button "$main" 150 4500 1185 525   # Refresh
text=$(copied "Dhcp Enabled" "$main" "IP Address: +10\.77")
grep -Eq "IP Address: +10\.77" <<<"$text" && fail "the window still shows an address after Release All: $text"
grep -Eq "Dhcp Enabled: +Yes" <<<"$text" || fail "the released adapter is not shown as a DHCP adapter: $text"
echo "window-test: Release All, Refresh: the address is gone"

click_button "$main" 5040 4500 1005 525   # Renew All
close_message
for _ in $(seq 1 100); do [ -n "$(address)" ] && break; sleep 0.1; done
renewed=$(address)
[ -n "$renewed" ] || fail "Renew All brought no address back"
click_button "$main" 150 4500 1185 525   # Refresh
text=$(copied "IP Address: +$renewed" "$main")
grep -Eq "IP Address: +$renewed" <<<"$text" || fail "the window does not show the renewed lease $renewed: $text"
echo "window-test: Renew All, Refresh: $renewed is back"

"$here/lab.sh" run "$lab" --user cfglab env CFGSCOPE_PRODUCT_SERVER=http://127.0.0.1:9 \
  "$build/bin/addrpeek" >"$work/addrpeek.log" 2>&1 &
peek=$(wait_window "VORLAN Addrpeek Tool")
text=$(copied "Private IP: $renewed" "$peek")
grep -q "Private IP: $renewed" <<<"$text" || fail "addrpeek does not list $renewed: $text"
echo "window-test: addrpeek lists $renewed"
echo "window-test: OK"
