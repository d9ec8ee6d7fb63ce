#!/usr/bin/env bash
# Both programs on a Wayland compositor without X (sway, headless): each
# window opens natively with its desktop entry's app id, Ctrl+C (Copy All)
# typed with wtype puts its text, with the computer's name, on the Wayland
# clipboard (read with wl-paste), and it ends on SIGTERM.
# sway refuses to run as root: as root the compositor and the programs run as
# nobody. Exit 77 (skipped) when sway, wtype or wl-paste is missing.
# Usage: wayland-smoke.sh CFGSCOPE ADDRPEEK
set -u
for tool in sway swaymsg wtype wl-paste; do
  command -v "$tool" >/dev/null || { echo "wayland-smoke: $tool is missing (scripts/deps/tests/wayland.txt)"; exit 77; }
done
work=$(mktemp -d)
chmod 755 "$work"
mkdir -m 700 "$work/run" "$work/temp"
printf 'output * bg #000000 solid_color\n' >"$work/config"
as=()
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$work/run" "$work/temp"
  as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
sway_pid="" app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$sway_pid" ] && kill "$sway_pid" 2>/dev/null
  sleep 0.3
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "wayland-smoke: $*"; exit 1; }
session_env() {
  senv=(env -u DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM -u DBUS_SESSION_BUS_ADDRESS HOME="$work" XDG_RUNTIME_DIR="$work/run" TEMP="$work/temp"
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman ${WAYLAND_DISPLAY:+WAYLAND_DISPLAY=$WAYLAND_DISPLAY}
        ${SWAYSOCK:+SWAYSOCK=$SWAYSOCK} "${as[@]}")
}
session() { session_env; "${senv[@]}" "$@"; }
# For "&": exec, so that $! is the program itself and not a subshell around
# it (killing the subshell would leave the program running).
session_exec() { session_env; exec "${senv[@]}" "$@"; }
unset WAYLAND_DISPLAY SWAYSOCK
session_exec sway -c "$work/config" >"$work/sway.log" 2>&1 &
sway_pid=$!
for _ in $(seq 1 100); do
  WAYLAND_DISPLAY=$(cd "$work/run" && ls wayland-[0-9] 2>/dev/null | head -n1)
  SWAYSOCK=$(ls "$work"/run/sway-ipc.*.sock 2>/dev/null | head -n1)
  [ -n "$WAYLAND_DISPLAY" ] && [ -n "$SWAYSOCK" ] && break
  sleep 0.1
done
[ -n "$WAYLAND_DISPLAY" ] || { cat "$work/sway.log"; fail "sway did not start"; }

# Both reports name the computer.
named="Computer [Nn]ame:"
for entry in "$1|VORLAN Lanomat Std|cfgscope" "$2|VORLAN Addrpeek Tool|addrpeek"; do
  IFS='|' read -r program caption app_id <<<"$entry"
  CFGSCOPE_PRODUCT_SERVER=http://127.0.0.1:9 session_exec "$program" >"$work/$app_id.log" 2>&1 &
  app_pid=$!
  tree=""
  for _ in $(seq 1 200); do
    tree=$(session swaymsg -t get_tree 2>/dev/null)
    grep -q "\"name\": \"$caption\"" <<<"$tree" && break
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  grep -q "\"name\": \"$caption\"" <<<"$tree" || { cat "$work/$app_id.log"; fail "$app_id: no window \"$caption\" on Wayland"; }
  grep -q "\"app_id\": \"$app_id\"" <<<"$tree" || fail "$app_id: the window's app_id is not \"$app_id\""
  grep -q "\"shell\": \"xwayland\"" <<<"$tree" && fail "$app_id: the window runs through XWayland"
  sleep 2  # the first capture or fetch
  text=""
  for _ in 1 2 3; do
    # The compositor gives the new virtual keyboard the focus first.
    session wtype -s 300 -M ctrl -s 100 -k c -s 100 -m ctrl
    sleep 0.5
    text=$(session timeout 5 wl-paste -n 2>/dev/null)
    grep -q "$named" <<<"$text" && break
  done
  grep -q "$named" <<<"$text" || { echo "clipboard: $text"; fail "$app_id: Copy All did not reach the Wayland clipboard"; }
  kill -TERM "$app_pid"
  for _ in $(seq 1 30); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app_pid" 2>/dev/null && fail "$app_id: still runs after SIGTERM"
  app_pid=""
done
echo "wayland-smoke: both programs opened on Wayland and copied their text"
