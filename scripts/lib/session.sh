# Shared by the scripts that run the programs for a look or a test (bash;
# source it): a virtual display, the product web server on a free port of
# 127.0.0.1, a window found by its caption, and the project's wine prefix.
# Each function prints what went wrong on stderr and returns non-zero.

# start_display WORK [keep-bus]: Xvfb on a display number it picks itself
# (written to WORK/display); exports DISPLAY and sets xvfb_pid. The programs
# started on it get a session of their own: a runtime folder in WORK and,
# unless keep-bus (a bus the caller started for the test), no session bus of
# the caller's desktop (one that accepts but never answers holds the
# toolkit's start for a minute, in 25-second waits).
start_display() {
  local work=$1
  [ "${2:-}" = keep-bus ] || unset DBUS_SESSION_BUS_ADDRESS
  mkdir -p -m 700 "$work/runtime"
  export XDG_RUNTIME_DIR="$work/runtime"
  # -noreset: the test's own short-lived clients (xdotool, xwininfo) must not
  # reset the server while a program is connecting.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
}

# ended_within PID TENTHS: true once the process has ended, false when it
# still runs after TENTHS tenths of a second.
ended_within() {
  for _ in $(seq 1 "$2"); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  ! kill -0 "$1" 2>/dev/null
}

# start_web_server PROGRAM WORK [OPTION...]: the product web server on a free
# port of 127.0.0.1 (log in WORK/server.log); sets server_pid and server_url
# ("http://127.0.0.1:PORT").
start_web_server() {
  local program=$1 work=$2
  shift 2
  "$program" --bind 127.0.0.1 --port 0 "$@" >"$work/server.log" 2>&1 &
  server_pid=$!
  server_url=
  for _ in $(seq 1 100); do
    server_url=$(grep -o -m1 "http://127.0.0.1:[0-9]*" "$work/server.log" 2>/dev/null || true)
    [ -n "$server_url" ] && return 0
    sleep 0.05
  done
  echo "the web server did not start" >&2
  cat "$work/server.log" >&2
  return 1
}

# window_by_caption CAPTION: the X window of that caption, or nothing.
window_by_caption() {
  xwininfo -root -tree 2>/dev/null | awk -v c="\"$1\"" 'index($0, c) { print $1; exit }'
}

# use_wine_prefix: the project's own wine prefix (CFGSCOPE_WINEPREFIX, else
# ~/.wine-cfgscope; never the user's ~/.wine), without wine's debug chatter
# or its offers to install .NET and Gecko; prepared on first use. (CTest
# starts the cross-built tests through cmake/wine-run.sh, which does the same.)
use_wine_prefix() {
  export WINEPREFIX=${CFGSCOPE_WINEPREFIX:-$HOME/.wine-cfgscope}
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the wine prefix $WINEPREFIX ..."
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
}

# use_locales DIR LOCALE...: the C library's locales (e.g. de_DE.UTF-8) that
# wine needs to take a localized Windows' code pages from LANG, compiled
# into DIR once (no system change, no root) and used through LOCPATH.
use_locales() {
  local dir=$1 locale
  shift
  mkdir -p "$dir"
  for locale in "$@"; do
    [ -d "$dir/$locale" ] && continue
    localedef -i "${locale%%.*}" -f "${locale#*.}" "$dir/$locale" >/dev/null 2>&1 || [ -d "$dir/$locale" ] \
      || { echo "use_locales: cannot compile $locale (Debian package locales)" >&2; return 1; }
  done
  export LOCPATH=$dir
}
