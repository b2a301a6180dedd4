#!/usr/bin/env bash
# dorvex-service against nginx on the position query, on this machine, in one run.
#   bench/service.sh [SECONDS]     (default 10 s per measurement)
# Both answer GET /version/pos.php with "0" (a home user): dorvex-service decides it from its directory,
# nginx returns it from its configuration (the fastest an HTTP server answers anything). Each is
# loaded with a new connection per request (the launcher opens a session per call:
# "Connection: close") and with keep-alive, by wrk, 2 threads and 32 connections. Both servers
# write an access-log line per request.
set -euo pipefail
cd "$(dirname "$0")/.."
secs=${1:-10}
SUDO=; [ "$(id -u)" = 0 ] || SUDO=sudo
command -v wrk >/dev/null && [ -x /usr/sbin/nginx ] ||
  { $SUDO apt-get update -qq && $SUDO apt-get install -y -qq --no-install-recommends wrk nginx-light >/dev/null; }
[ -x build/native/service/dorvex-service ] || { cmake --preset native >/dev/null && cmake --build --preset native --target dorvex-service; }

work=build/bench/service
rm -rf "$work"; mkdir -p "$work/nginx"
cat > "$work/nginx/nginx.conf" <<CONF
worker_processes auto;
pid $PWD/$work/nginx/nginx.pid;
error_log $PWD/$work/nginx/error.log;
events { worker_connections 1024; }
http {
  access_log $PWD/$work/nginx/access.log;
  client_body_temp_path $PWD/$work/nginx; proxy_temp_path $PWD/$work/nginx;
  fastcgi_temp_path $PWD/$work/nginx; uwsgi_temp_path $PWD/$work/nginx; scgi_temp_path $PWD/$work/nginx;
  server {
    listen 127.0.0.1:18190;
    location = /version/pos.php { default_type text/plain; return 200 "0"; }
  }
}
CONF
/usr/sbin/nginx -c "$PWD/$work/nginx/nginx.conf"
# The default (8 threads, for new connections) and one with more threads than wrk keeps alive.
build/native/service/dorvex-service --listen 127.0.0.1:18191 > "$work/service-access.log" 2> "$work/service.err" &
service_pid=$!
build/native/service/dorvex-service --listen 127.0.0.1:18192 --threads 40 > "$work/service40-access.log" 2> "$work/service40.err" &
service40_pid=$!
trap 'kill $service_pid $service40_pid 2>/dev/null; kill $(cat "$work/nginx/nginx.pid" 2>/dev/null) 2>/dev/null || true' EXIT
sleep 1
[ "$(curl -s http://127.0.0.1:18190/version/pos.php)" = 0 ] || { echo "nginx does not answer"; exit 1; }
[ "$(curl -s http://127.0.0.1:18191/version/pos.php)" = 0 ] || { echo "dorvex-service does not answer"; exit 1; }

# One wrk run: prints "requests/s p50 p90 p99" (latencies in ms).
measure() { # URL close|keepalive
  local hdr=()
  [ "$2" = close ] && hdr=(-H "Connection: close")
  wrk -t2 -c32 -d"${secs}s" --latency "${hdr[@]}" "$1" > "$work/wrk.txt" 2>&1
  local errs
  errs=$(grep -E 'Socket errors|Non-2xx' "$work/wrk.txt" || true)
  [ -z "$errs" ] || echo "  ($errs)" >&2
  awk '
    function ms(v) { if (v ~ /us$/) return v / 1000; if (v ~ /ms$/) return v + 0; if (v ~ /s$/) return v * 1000; return v }
    $1 == "50%" { p50 = ms($2) } $1 == "90%" { p90 = ms($2) } $1 == "99%" { p99 = ms($2) }
    $1 == "Requests/sec:" { rps = $2 }
    END { printf "%.0f %.3f %.3f %.3f\n", rps, p50, p90, p99 }' "$work/wrk.txt"
}

echo "machine: $(nproc) cores, $(uname -r); wrk -t2 -c32 -d${secs}s; $(date -u +%F)"
printf '%-26s %-11s %10s %9s %9s %9s\n' server connections "req/s" "p50 ms" "p90 ms" "p99 ms"
name() { [ "$1" = dorvex-service--threads-40 ] && echo "dorvex-service --threads 40" || echo "$1"; }
declare -A rate
for mode in close keepalive; do
  for server in nginx dorvex-service dorvex-service--threads-40; do
    case $server in nginx) port=18190 ;; dorvex-service) port=18191 ;; *) port=18192 ;; esac
    read -r rps p50 p90 p99 < <(measure "http://127.0.0.1:$port/version/pos.php" $mode)
    rate[$server-$mode]=$rps
    label=new; [ $mode = keepalive ] && label=keep-alive
    printf '%-26s %-11s %10s %9s %9s %9s\n' "$(name $server)" $label "$rps" "$p50" "$p90" "$p99"
  done
done
for mode in close keepalive; do
  label=new; [ $mode = keepalive ] && label=keep-alive
  for server in dorvex-service dorvex-service--threads-40; do
    awk -v a="${rate[$server-$mode]}" -v b="${rate[nginx-$mode]}" -v l="$label" -v s="$(name $server)" \
      'BEGIN { printf "%s / nginx, %s connections: %.2f\n", s, l, a / b }'
  done
done
