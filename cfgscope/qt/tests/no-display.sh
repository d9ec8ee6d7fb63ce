#!/usr/bin/env bash
# Without a reachable display both window programs say why in the same words
# and end with the same status, never with the toolkit's abort.
# Usage: no-display.sh CFGSCOPE ADDRPEEK
set -u
fail=0
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
# environment|reason
cases=(
  "DISPLAY=|no display is set (neither DISPLAY nor WAYLAND_DISPLAY)"
  "DISPLAY=:65123|the display :65123 does not answer"
  "WAYLAND_DISPLAY=nothing-here XDG_RUNTIME_DIR=$runtime|the Wayland display nothing-here does not answer"
  "WAYLAND_DISPLAY=nothing-here XDG_RUNTIME_DIR=$runtime DISPLAY=:65123|the Wayland display nothing-here does not answer, and the display :65123 does not answer"
  "QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=$runtime/none|the Wayland display $runtime/none does not answer"
)
for entry in "${cases[@]}"; do
  settings=${entry%%|*}
  reason=${entry#*|}
  for program in "$1" "$2"; do
    name=$(basename "$program")
    # shellcheck disable=SC2086
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM $settings timeout 20 "$program" 2>&1 >/dev/null)
    status=$?
    first=$(head -n 1 <<<"$out")
    second=$(sed -n 2p <<<"$out")
    if [ "$first" != "$name: cannot open the window: $reason." ] ||
       [ "$second" != "Run it on a desktop, or under a virtual display: xvfb-run $name" ] || [ $status -ne 2 ]; then
      echo "$name with '$settings': status $status, said:"
      echo "$out"
      fail=1
    fi
  done
done
exit $fail
