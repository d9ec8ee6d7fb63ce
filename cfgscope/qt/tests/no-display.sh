#!/usr/bin/env bash
# Without a display both window programs say why in the same words and end
# with the same status. Usage: no-display.sh CFGSCOPE ADDRPEEK
set -u
fail=0
for display in "" ":65123"; do
  case $display in
    "") reason="no display is set (neither DISPLAY nor WAYLAND_DISPLAY)" ;;
    *) reason="the display $display does not answer" ;;
  esac
  for program in "$1" "$2"; do
    name=$(basename "$program")
    out=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" timeout 20 "$program" 2>&1 >/dev/null)
    status=$?
    first=$(head -n 1 <<<"$out")
    second=$(sed -n 2p <<<"$out")
    if [ "$first" != "$name: cannot open the window: $reason." ] ||
       [ "$second" != "Run it on a desktop, or under a virtual display: xvfb-run $name" ] || [ $status -ne 2 ]; then
      echo "$name with DISPLAY='$display': status $status, said:"
      echo "$out"
      fail=1
    fi
  done
done
exit $fail
