#!/usr/bin/env bash
# wrk against vorlan-webserver and against nginx with the shipped
# configuration, side by side in one run, on 127.0.0.1: requests a second,
# mean and 99th-percentile latency for "/ip.shtml" and "/lanomatstd.shtml" at
# 1 and 32 keep-alive connections, and our share of nginx's rate.
#   webserver-bench.sh [BUILD_DIR]      BENCH_SECONDS (default 5) per run
# Figures only: no pass or fail. Needs wrk and nginx (scripts/deps/tests/engines.txt).
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
seconds=${BENCH_SECONDS:-5}
webserver=$build/bin/vorlan-webserver
up=$root/internet/server/testing/engine-up.sh
for tool in wrk nginx; do
  command -v $tool >/dev/null || [ -x /usr/sbin/$tool ] || { echo "webserver-bench: $tool is not installed"; exit 0; }
done
[ -x "$webserver" ] || { echo "webserver-bench: no $webserver"; exit 0; }

work=$(mktemp -d /tmp/webserver-bench.XXXXXX)
chmod 755 "$work"  # nginx's workers run as nobody when started as root
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 30000))
    ss -Hltn "sport = :$port" | grep -q . || { echo "$port"; return; }
  done
}
wait_port() {
  for _ in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
    sleep 0.1
  done
  echo "webserver-bench: nothing answers on port $1" >&2
  return 1
}

declare -A port
for engine in vorlan-webserver nginx; do
  port[$engine]=$(free_port)
  "$up" "$engine" "${port[$engine]}" "$work/$engine" "$webserver" >"$work/$engine.out" 2>&1 &
  pids+=($!)
  wait_port "${port[$engine]}"
done

# "Requests/sec" and the latency line of wrk's report: rate, mean, p99 (ms).
measure() {
  local url=$1 connections=$2 threads=1 out
  [ "$connections" -gt 1 ] && threads=2
  out=$(wrk -t"$threads" -c"$connections" -d"${seconds}s" --latency "$url")
  awk '
    function ms(v) { if (v ~ /us$/) return v / 1000; if (v ~ /ms$/) return v + 0; if (v ~ /s$/) return v * 1000; return v }
    /^    Latency/ { mean = ms($2) }
    /^     99%/ { p99 = ms($2) }
    /^Requests\/sec/ { rate = $2 }
    END { printf "%.0f %.3f %.3f\n", rate, mean, p99 }' <<<"$out"
}

printf '%-18s %5s  %-16s %10s %9s %9s  %s\n' path conns engine "req/s" "mean ms" "p99 ms" "ours/nginx"
for path in /ip.shtml /lanomatstd.shtml; do
  for connections in 1 32; do
    read -r ours_rate ours_mean ours_p99 < <(measure "http://127.0.0.1:${port[vorlan-webserver]}$path" "$connections")
    read -r ngx_rate ngx_mean ngx_p99 < <(measure "http://127.0.0.1:${port[nginx]}$path" "$connections")
    ratio=$(awk -v a="$ours_rate" -v b="$ngx_rate" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }')
    printf '%-18s %5s  %-16s %10s %9s %9s\n' "$path" "$connections" nginx "$ngx_rate" "$ngx_mean" "$ngx_p99"
    printf '%-18s %5s  %-16s %10s %9s %9s  %s\n' "$path" "$connections" vorlan-webserver "$ours_rate" "$ours_mean" \
      "$ours_p99" "$ratio"
  done
done
