#!/usr/bin/env bash
# A termination request ends cfgscope within 3 seconds while its log's
# message box is open (Adapters > Show  Log), and its working folder
# goes as on a normal close; addrpeek ends on SIGINT during its first fetch.
# Usage: signal-during-box.sh CFGSCOPE ADDRPEEK
set -u
root=$(cd "$(dirname "$0")/../../.." && pwd)
source "$root/scripts/lib/session.sh"
work=$(mktemp -d)
xvfb_pid="" app_pid=""
trap '[ -n "$app_pid" ] && kill -KILL "$app_pid" 2>/dev/null; [ -n "$xvfb_pid" ] && kill "$xvfb_pid"; rm -rf "$work"' EXIT
fail() { echo "signal-during-box: $*" >&2; exit 1; }
# What a failed wait leaves for whoever reads the test's output: the program's
# own messages, whether it still runs and, if so, where each thread waits.
explain() {  # PID LOG
  echo "--- $2:"; cat "$2"
  if kill -0 "$1" 2>/dev/null; then
    ps -o pid,stat,wchan:24,etime,args -p "$1" --ppid "$1"
    echo "--- top-level windows:"; xwininfo -root -children 2>&1 | head -n 20
    command -v gdb >/dev/null && timeout 30 gdb -p "$1" -batch -ex "thread apply all bt 12" 2>/dev/null | grep -E '^(Thread|#)'
  else
    wait "$1"; echo "--- the program ended with status $?"
  fi
  echo "--- Xvfb:"; tail -n 5 "$work/xvfb.log"
} >&2
start_display "$work" || exit 1
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# visible top-level windows of the process
windows_of() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | wc -l; }
wait_for_windows() {  # PID COUNT: up to 60 s, less when the program ends
  for _ in $(seq 1 600); do
    [ "$(windows_of "$1")" -ge "$2" ] && return 0
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

for sig in TERM HUP; do
  export TEMP="$work/temp-$sig"
  mkdir -m 700 "$TEMP"
  CFGSCOPE_PRODUCT_SERVER=http://127.0.0.1:9 "$1" >"$work/cfgscope.log" 2>&1 &
  app_pid=$!
  wait_for_windows "$app_pid" 1 || { explain "$app_pid" "$work/cfgscope.log"; fail "cfgscope's window did not appear"; }
  window=$(window_by_caption "VORLAN Lanomat Std")
  [ -d "$TEMP/cfgscope" ] || fail "no working folder while cfgscope runs"
  # Adapters > Show  Log opens the log's box; a click during the first capture is not taken, so try again.
  opened=""
  for _ in $(seq 1 20); do
    xdotool mousemove --window "$window" 30 8
    sleep 0.2  # the pointer enters the menu bar before the click
    xdotool click 1
    sleep 0.5
    xdotool mousemove --window "$window" 60 174  # "Show  Log", under "Show IP List"
    sleep 0.2
    xdotool click 1
    sleep 0.5
    [ "$(windows_of "$app_pid")" -ge 2 ] && opened=yes && break
    xdotool key Escape
  done
  [ -n "$opened" ] || { explain "$app_pid" "$work/cfgscope.log"; fail "the log's message box did not open"; }
  kill -"$sig" "$app_pid"
  ended_within "$app_pid" 30 || fail "cfgscope still runs 3 s after SIG$sig with a box open"
  app_pid=""
  [ -d "$TEMP/cfgscope" ] && fail "cfgscope left its working folder after SIG$sig"
done

export TEMP="$work/temp-addrpeek"
mkdir -m 700 "$TEMP"
CFGSCOPE_PRODUCT_SERVER=http://127.0.0.1:9 "$2" >"$work/addrpeek.log" 2>&1 &
app_pid=$!
wait_for_windows "$app_pid" 1 || { explain "$app_pid" "$work/addrpeek.log"; fail "addrpeek's window did not appear"; }
sleep 1
kill -INT "$app_pid"
ended_within "$app_pid" 30 || fail "addrpeek still runs 3 s after SIGINT"
app_pid=""
echo "signal-during-box: both programs ended"
