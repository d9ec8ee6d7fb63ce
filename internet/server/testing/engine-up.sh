#!/usr/bin/env bash
# Starts one engine serving the product web server's resources on
# 127.0.0.1:PORT in the foreground (SIGTERM stops it), with the shipped engine
# configuration and every file of its own (configuration, pid, logs, temp) in
# WORKDIR. Never reads or writes the machine's own nginx or Apache
# configuration, services or logs.
#
#   engine-up.sh ENGINE PORT WORKDIR WEBSERVER [vorlan-webserver options]
#
# ENGINE: vorlan-webserver, nginx or apache2. WEBSERVER: the vorlan-webserver
# program; the shipped configurations lie in share/vorlan-webserver beside its
# bin folder, as installed or built. The options are the server's own: nginx
# and Apache get the same resources through --write-resources.
set -euo pipefail
[ $# -ge 4 ] || { echo "usage: $0 ENGINE PORT WORKDIR WEBSERVER [options]" >&2; exit 2; }
engine=$1 port=$2 work=$3 webserver=$4
shift 4
shared=$(cd "$(dirname "$webserver")/.." && pwd)/share/vorlan-webserver
mkdir -p "$work/logs" "$work/tmp" "$work/run"

if [ "$engine" = vorlan-webserver ]; then
  exec "$webserver" --bind 127.0.0.1 --port "$port" "$@"
fi

# Workers of an engine started as root run as nobody: they must reach the
# files, so the pages are served from a copy in WORKDIR when the folder they
# come from may be closed to others (a checkout under /root, say).
site=$shared/site
args=("$@")
for ((i = 0; i + 1 < ${#args[@]}; i++)); do
  [ "${args[i]}" = --site ] && site=${args[i + 1]}
done
if [ "$(id -u)" -eq 0 ]; then
  rm -rf "$work/site"
  cp -r "$site" "$work/site"
  chmod -R a+rX "$work/site"
  set -- "$@" --site "$work/site"
fi
"$webserver" --write-resources "$work/resources" "$@"
chmod 755 "$work" "$work/resources"

case $engine in
nginx)
  nginx=${NGINX:-$(command -v nginx || echo /usr/sbin/nginx)}
  user=""
  [ "$(id -u)" -eq 0 ] && user="user nobody nogroup;"
  cat >"$work/nginx.conf" <<CONF
$user
worker_processes ${NGINX_WORKERS:-auto};
pid $work/run/nginx.pid;
error_log $work/logs/error.log;
events { worker_connections 4096; }
http {
    include /etc/nginx/mime.types;
    default_type application/octet-stream;
    access_log $work/logs/access.log;
    client_body_temp_path $work/tmp/body;
    proxy_temp_path $work/tmp/proxy;
    fastcgi_temp_path $work/tmp/fastcgi;
    uwsgi_temp_path $work/tmp/uwsgi;
    scgi_temp_path $work/tmp/scgi;
    server {
        listen 127.0.0.1:$port;
        include $work/resources/nginx.conf;
        include $shared/nginx/vorlan-resources.conf;
    }
}
CONF
  exec "$nginx" -p "$work" -c "$work/nginx.conf" -e "$work/logs/error.log" -g "daemon off;"
  ;;
apache2)
  apache=${APACHE2:-/usr/sbin/apache2}
  modules=${APACHE2_MODULES:-/usr/lib/apache2/modules}
  {
    echo "ServerRoot \"$work\""
    echo "ServerName 127.0.0.1"
    echo "Listen 127.0.0.1:$port"
    echo "PidFile \"$work/run/apache2.pid\""
    echo "DefaultRuntimeDir \"$work/run\""
    echo "ErrorLog \"$work/logs/error.log\""
    echo "LogFormat \"%a \\\"%r\\\" %>s %b\" plain"
    echo "CustomLog \"$work/logs/access.log\" plain"
    for m in mpm_event authz_core alias allowmethods dir headers include mime remoteip; do
      echo "LoadModule ${m}_module $modules/mod_$m.so"
    done
    if [ -r /etc/mime.types ]; then echo "TypesConfig /etc/mime.types"; else echo "TypesConfig /dev/null"; fi
    echo "AddType \"text/html; charset=utf-8\" .html .htm .shtml"
    if [ "$(id -u)" -eq 0 ]; then echo "User nobody"; echo "Group nogroup"; fi
    echo "<VirtualHost 127.0.0.1:$port>"
    echo "    Include \"$work/resources/apache2.conf\""
    echo "    Include \"$shared/apache2/vorlan-resources.conf\""
    echo "</VirtualHost>"
  } >"$work/apache2.conf"
  exec "$apache" -f "$work/apache2.conf" -DFOREGROUND
  ;;
*)
  echo "engine-up.sh: unknown engine $engine (vorlan-webserver, nginx or apache2)" >&2
  exit 2
  ;;
esac
