#!/bin/sh
# Runs a cross-built Windows program under wine, in the project's own wine
# prefix (not the user's ~/.wine) and without wine's debug chatter. CMake
# and CTest call this as the cross-compiling emulator.
: "${WINEPREFIX:=${CFGSCOPE_WINEPREFIX:-$HOME/.wine-cfgscope}}"
export WINEPREFIX
: "${WINEDEBUG:=-all}"
export WINEDEBUG
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w 2>/dev/null || true
fi
exec wine "$@"
