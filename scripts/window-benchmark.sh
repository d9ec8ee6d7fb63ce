#!/usr/bin/env bash
# Times cfgscope's window as a user meets it, on a virtual X display (Xvfb):
# process start to the first adapter view on screen (median over RUNS
# starts), and the CPU the open window uses while idle. The in-process
# figures (Refresh included) come from build/bin/window_benchmark.
#
#   scripts/window-benchmark.sh [RUNS]      CFGSCOPE=path/to/cfgscope
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/session.sh
runs=${1:-11}
program=${CFGSCOPE:-build/bin/cfgscope}
[ -x "$program" ] || { echo "window-benchmark: no program at $program" >&2; exit 2; }
command -v Xvfb >/dev/null || { echo "window-benchmark: Xvfb is missing" >&2; exit 2; }

work=$(mktemp -d)
chmod 700 "$work"
xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
start_display "$work"
export TEMP="$work/temp" CFGSCOPE_TIMING=1
mkdir -m 700 "$TEMP"

# Waits for the timing line of a started copy; prints milliseconds since $1.
first_view() {
  local start=$1 log=$2 pid=$3 line=""
  for _ in $(seq 1 300); do
    line=$(grep -m1 '^cfgscope-timing first-view-epoch-us' "$log" || true)
    [ -n "$line" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.01
  done
  [ -n "$line" ] || { echo "window-benchmark: no adapter view; output:" >&2; cat "$log" >&2; return 1; }
  awk -v s="$start" -v l="$line" 'BEGIN { split(l, f, " "); printf "%.1f\n", f[3] / 1000 - s }'
  # Where the time went, for the last start: each stage since the process start.
  awk -v s="$start" '/^cfgscope-timing/ { sub("-epoch-us", "", $2); printf "%s %.1f\n", $2, $3 / 1000 - s }' "$log" >"$work/stages"
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

times=()
idle=""
for run in $(seq 1 "$runs"); do
  start=$(date +%s%3N)
  "$program" >"$work/log" 2>&1 &
  pid=$!
  times+=("$(first_view "$start" "$work/log" "$pid")")
  if [ "$run" -eq 1 ]; then
    sleep 1
    t0=$(cpu_ticks "$pid"); sleep 5; t1=$(cpu_ticks "$pid")
    hz=$(getconf CLK_TCK)
    idle=$(awk -v a="$t0" -v b="$t1" -v hz="$hz" 'BEGIN { printf "%.2f", 100 * (b - a) / hz / 5 }')
  fi
  kill -TERM "$pid"; wait "$pid" 2>/dev/null || true
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
echo "process start to first adapter view: median ${median} ms over ${runs} starts (target 300 ms)"
echo "  stages of the last start (ms since the process was started):" $(tr '\n' ' ' <"$work/stages")
echo "idle CPU with the window open: ${idle} % over 5 s (target 0)"
