#!/usr/bin/env bash
# A network lab for tests: a real DHCP owner (dhclient, dhcpcd, NetworkManager
# or systemd-networkd, with or without systemd-resolved) looks after the veth
# `vnm0` of a private network namespace; dnsmasq leases it an address from a
# peer namespace. Everything the owner writes lands in the lab's own folder:
# the lab's processes run in a private mount and host-name namespace where
# /etc, /usr and /var/lib are overlays, /run is the lab's folder and /sys is
# read-only (so the managers take the veth at once, without udev). The
# machine's interfaces, routes, /etc/resolv.conf and host name are never
# touched. Needs root.
#
#   lab.sh start DIR OWNER [BRIDGE_PORTS]   DIR: an empty folder of the caller's
#   lab.sh run DIR [--user NAME] CMD...     a command inside the lab (root or a lab user)
#   lab.sh stop DIR                         stops every lab process, removes DIR
#
# OWNER: dhclient | dhcpcd | nm | nm-resolved | networkd (with resolved).
# BRIDGE_PORTS: a bridge `brlab` with that many veth ports beside vnm0.
# CFGSCOPE_LAB_DHCP_OPTION: one more DHCP option the server sends (dnsmasq's
# dhcp-option syntax), for a rogue server.
# systemd-resolved comes from its unpacked package in CFGSCOPE_LAB_SUPPORT
# (scripts/lab-setup.sh). The lab's users: `cfglab` (an ordinary user) and
# `cfgevil` (another local user); their uids are in DIR/env.
#
# Addresses: the server is 10.77.0.1 (DHCP, router, DNS) and 10.77.0.2 (DNS);
# leases come from 10.77.0.50-60 for 1 hour with the domain lab.test.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cmd=${1:-}
dir=${2:-}
[ -n "$cmd" ] && [ -n "$dir" ] || { echo "usage: lab.sh start|run|stop DIR ..." >&2; exit 2; }

say() { echo "lab: $*" >&2; }

# The lab's namespaces carry the folder's unique name.
tag=$(basename "$dir" | tr -c 'a-zA-Z0-9\n' '-')
nsa=cflab-a-$tag
nsb=cflab-b-$tag

launch=""
inside() {  # inside [--user NAME] CMD...: a command in the lab's namespaces
  local holder user=""
  holder=$(cat "$dir/holder.pid")
  if [ "${1:-}" = --user ]; then user=$2; shift 2; fi
  if [ -z "$user" ]; then
    $launch nsenter -t "$holder" -n -m -u -- "$@"
  else
    local uid home
    uid=$(sed -n "s/^${user}_uid=//p" "$dir/env")
    home=$dir/home/$user
    $launch nsenter -t "$holder" -n -m -u -- setpriv --reuid="$uid" --regid="$uid" --clear-groups \
      env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$home" USER="$user" LOGNAME="$user" \
      LANG=C.UTF-8 TZ="${TZ:-}" XDG_RUNTIME_DIR="$home/run" DISPLAY="${DISPLAY:-}" \
      CFGSCOPE_STANDINS="${CFGSCOPE_STANDINS:-}" TEMP="$home/tmp" "$@"
  fi
}

background() {  # background NAME CMD...: a lab daemon, its log in DIR/log/NAME.log
  local name=$1
  shift
  setsid "$here/lab.sh" run "$dir" "$@" >"$dir/log/$name.log" 2>&1 </dev/null &
  echo $! >"$dir/pids/$name"
}

free_uid() {  # a uid (and gid) no account of the machine uses
  local uid=$(( 61000 + ($$ + $1) % 3000 ))
  while getent passwd "$uid" >/dev/null || getent group "$uid" >/dev/null; do uid=$((uid + 7)); done
  echo "$uid"
}

wait_for() {  # wait_for SECONDS CMD...: until CMD succeeds
  local end=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}

leased() { ip -n "$nsa" -4 -o addr show dev vnm0 | grep -q 'inet 10\.77\.0\.'; }

# The mounts of the lab, made by its first process (the holder) inside the
# new mount namespace; it then sleeps, keeping the namespaces alive.
if [ "$cmd" = holder ]; then
  mount -o remount,bind,ro /sys
  for d in etc usr var/lib; do
    o=$dir/ovl/${d//\//-}
    mkdir -p "$o/u" "$o/w"
    mount -t overlay overlay -o "lowerdir=/$d,upperdir=$o/u,workdir=$o/w" "/$d"
  done
  mount --bind "$dir/run" /run
  hostname cfgscope-lab
  exec sleep infinity
fi

if [ "$cmd" = run ]; then
  shift 2
  launch=exec
  inside "$@"
fi

if [ "$cmd" = stop ]; then
  # Every process in the lab's two network namespaces (the mount namespace
  # ends with them), then the namespaces and the folder.
  for ns in "$nsa" "$nsb"; do
    [ -e "/run/netns/$ns" ] || continue
    for p in $(ip netns pids "$ns" 2>/dev/null); do kill -KILL "$p" 2>/dev/null || true; done
  done
  for ns in "$nsa" "$nsb"; do
    for _ in 1 2 3 4 5 6 7 8 9 10; do
      [ -z "$(ip netns pids "$ns" 2>/dev/null)" ] && break
      sleep 0.05
    done
    ip netns del "$ns" 2>/dev/null || true
  done
  [ -f "$dir/holder.pid" ] && kill -KILL "$(cat "$dir/holder.pid")" 2>/dev/null || true
  rm -rf "$dir"
  exit 0
fi

[ "$cmd" = start ] || { echo "lab.sh: unknown command $cmd" >&2; exit 2; }
owner=${3:-}
ports=${4:-0}
case "$owner" in dhclient | dhcpcd | nm | nm-resolved | networkd) ;; *)
  echo "lab.sh: unknown owner '$owner' (dhclient, dhcpcd, nm, nm-resolved, networkd)" >&2; exit 2;;
esac
[ "$(id -u)" -eq 0 ] || { echo "lab.sh: needs root" >&2; exit 2; }
support=${CFGSCOPE_LAB_SUPPORT:-}
resolved=no
case "$owner" in nm-resolved | networkd) resolved=yes;; esac
if [ $resolved = yes ] && [ ! -x "$support/resolved/lib/systemd/systemd-resolved" ]; then
  echo "lab.sh: systemd-resolved is not unpacked in '$support' (run scripts/lab-setup.sh)" >&2
  exit 3
fi
need=(ip nsenter setpriv unshare dnsmasq dbus-daemon)
case "$owner" in
  dhclient) need+=(dhclient) ;;
  dhcpcd) need+=(dhcpcd) ;;
  nm*) need+=(NetworkManager nmcli) ;;
  networkd) need+=(networkctl) ;;
esac
for t in "${need[@]}"; do
  command -v "$t" >/dev/null || { echo "lab.sh: $t is not installed (scripts/install-deps.sh --tests)" >&2; exit 3; }
done

# Labs left by a caller that died (a test killed at its time-out) go first.
for old in "$(dirname "$dir")"/*/lab.caller; do
  [ -f "$old" ] || continue
  kill -0 "$(cat "$old")" 2>/dev/null || "$here/lab.sh" stop "$(dirname "$old")" || true
done
echo "$PPID" >"$dir/lab.caller"

chmod 755 "$dir"
mkdir -p "$dir/log" "$dir/pids" "$dir/srv" \
  "$dir"/run/{dbus,lock,systemd/netif/links,systemd/netif/leases,systemd/resolve,NetworkManager,dhcpcd}
chmod 755 "$dir/run" "$dir/run/dbus"
chmod 1777 "$dir/run/lock"
lab_uid=$(free_uid 0)
evil_uid=$(free_uid 1)
[ "$evil_uid" != "$lab_uid" ] || evil_uid=$((lab_uid + 1))
resolve_uid=$(free_uid 2)
for u in cfglab cfgevil; do mkdir -p "$dir/home/$u/tmp" "$dir/home/$u/run"; done
chown -R "$lab_uid:$lab_uid" "$dir/home/cfglab"
chown -R "$evil_uid:$evil_uid" "$dir/home/cfgevil"
chmod -R 700 "$dir/home/cfglab" "$dir/home/cfgevil"
chmod 755 "$dir/home"
printf 'nsa=%s\nnsb=%s\ncfglab_uid=%s\ncfgevil_uid=%s\nowner=%s\n' "$nsa" "$nsb" "$lab_uid" "$evil_uid" "$owner" >"$dir/env"

ip netns add "$nsa"
ip netns add "$nsb"
ip -n "$nsa" link set lo up
ip -n "$nsb" link set lo up
ip -n "$nsa" link add vnm0 type veth peer name vnm1 netns "$nsb"
ip -n "$nsb" addr add 10.77.0.1/24 dev vnm1
ip -n "$nsb" addr add 10.77.0.2/24 dev vnm1
ip -n "$nsb" link set vnm1 up
if [ "$ports" -gt 0 ]; then
  # A bridge with ports, as containers leave on a host: the ports carry no
  # address of their own, their peers live in the containers (here the
  # server's namespace).
  ip -n "$nsa" link add brlab type bridge
  ip -n "$nsa" addr add 172.31.77.1/24 dev brlab
  for i in $(seq 1 "$ports"); do
    ip -n "$nsa" link add "vethlab$i" type veth peer name "vethpeer$i" netns "$nsb"
    ip -n "$nsa" link set "vethlab$i" master brlab up
    ip -n "$nsb" link set "vethpeer$i" up
  done
  ip -n "$nsa" link set brlab up
fi

# The DHCP and DNS server of the lab.
cat >"$dir/srv/dnsmasq.conf" <<EOF
interface=vnm1
bind-interfaces
except-interface=lo
no-resolv
no-hosts
local-ttl=300
domain=lab.test
address=/www.lab.test/10.77.0.80
address=/mail.lab.test/10.77.0.81
dhcp-authoritative
dhcp-range=10.77.0.50,10.77.0.60,255.255.255.0,1h
dhcp-option=option:router,10.77.0.1
dhcp-option=option:dns-server,10.77.0.1,10.77.0.2
dhcp-leasefile=$dir/srv/dnsmasq.leases
log-dhcp
EOF
# A rogue server's option for the attack tests, such as "15,adapter >pwn:".
[ -n "${CFGSCOPE_LAB_DHCP_OPTION:-}" ] && echo "dhcp-option=$CFGSCOPE_LAB_DHCP_OPTION" >>"$dir/srv/dnsmasq.conf"
ip netns exec "$nsb" dnsmasq --conf-file="$dir/srv/dnsmasq.conf" --user=root \
  --pid-file="$dir/srv/dnsmasq.pid" --log-facility="$dir/log/dnsmasq.log"

# The holder: private mounts and host name.
setsid ip netns exec "$nsa" unshare -m -u --propagation private "$here/lab.sh" holder "$dir" \
  >"$dir/log/holder.log" 2>&1 </dev/null &
echo $! >"$dir/holder.pid"
wait_for 5 test -d "/proc/$(cat "$dir/holder.pid")" || { say "the holder did not start"; exit 1; }
wait_for 5 inside sh -c "hostname | grep -qx cfgscope-lab && mountpoint -q /run" ||
  { say "the lab's mounts failed"; cat "$dir/log/holder.log" >&2; exit 1; }

# The lab's accounts (in its own /etc), its resolv.conf and its tools.
inside sh -eu -c "
  getent passwd systemd-resolve >/dev/null || echo 'systemd-resolve:x:$resolve_uid:$resolve_uid::/:/usr/sbin/nologin' >>/etc/passwd
  getent group systemd-resolve >/dev/null || echo 'systemd-resolve:x:$resolve_uid:' >>/etc/group
  chown systemd-resolve:systemd-resolve /run/systemd/resolve
  chown -R systemd-network:systemd-network /run/systemd/netif
  echo noarp >>/etc/dhcpcd.conf
  echo 'cfglab:x:$lab_uid:$lab_uid:lab user:$dir/home/cfglab:/bin/sh' >>/etc/passwd
  echo 'cfgevil:x:$evil_uid:$evil_uid:other user:$dir/home/cfgevil:/bin/sh' >>/etc/passwd
  echo 'cfglab:x:$lab_uid:' >>/etc/group
  echo 'cfgevil:x:$evil_uid:' >>/etc/group
  rm -f /etc/resolv.conf
  : >/etc/resolv.conf
  rm -rf /etc/systemd/network /usr/lib/systemd/network /etc/NetworkManager/system-connections
  mkdir -p /etc/systemd/network /usr/lib/systemd/network /etc/NetworkManager/system-connections /var/lib/dhcp
  rm -f /var/lib/dhcp/*.leases
  rm -rf /var/lib/dhcpcd /var/lib/NetworkManager && mkdir -p /var/lib/dhcpcd /var/lib/NetworkManager
"
if [ $resolved = yes ]; then
  inside sh -eu -c "
    cp -a '$support/resolved/lib/systemd/systemd-resolved' /lib/systemd/systemd-resolved
    cp -a '$support/resolved/usr/bin/resolvectl' /usr/bin/resolvectl
    [ -f /etc/systemd/resolved.conf ] || cp '$support/resolved/etc/systemd/resolved.conf' /etc/systemd/resolved.conf
    echo 'nameserver 127.0.0.53' >/etc/resolv.conf
  "
fi

# The tools of a build installed as the package installs them, with the
# polkit action of the report tool.
if [ -n "${CFGSCOPE_LAB_BUILD:-}" ]; then
  inside sh -eu -c "
    mkdir -p /usr/libexec/cfgscope /usr/share/polkit-1/actions /etc/polkit-1/rules.d
    cp '$CFGSCOPE_LAB_BUILD/bin/ipconfig' '$CFGSCOPE_LAB_BUILD/bin/release-renew' '$CFGSCOPE_LAB_BUILD/bin/batrun' \
       /usr/libexec/cfgscope/
    cp '$CFGSCOPE_LAB_BUILD/packaging/net.vorlan.cfgscope.policy' /usr/share/polkit-1/actions/
  "
  # cfglab may have root for it, cfgevil is refused.
  inside sh -eu -c "cat >/etc/polkit-1/rules.d/50-cfgscope-lab.rules" <<'EOF'
polkit.addRule(function(action, subject) {
  if (action.id == "net.vorlan.cfgscope.ipconfig.release-renew") {
    if (subject.user == "cfglab") return polkit.Result.YES;
    if (subject.user == "cfgevil") return polkit.Result.NO;
  }
});
EOF
fi

# A private system bus for the managers, resolved, polkit and the command-line tools.
{
  cat >"$dir/srv/bus.conf" <<'EOF'
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=/run/dbus/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
EOF
  background dbus dbus-daemon --config-file="$dir/srv/bus.conf" --nofork --nopidfile
  wait_for 5 inside test -S /run/dbus/system_bus_socket || { say "the bus did not start"; exit 1; }
}
if [ -x /usr/lib/polkit-1/polkitd ]; then
  background polkitd /usr/lib/polkit-1/polkitd --no-debug
fi
if [ $resolved = yes ]; then
  background resolved /lib/systemd/systemd-resolved
  wait_for 10 inside sh -c 'resolvectl status >/dev/null' ||
    { say "systemd-resolved did not start"; cat "$dir/log/resolved.log" >&2; exit 1; }
fi

case "$owner" in
  dhclient)
    # As a distribution starts it: the client's own default files.
    background dhclient dhclient -4 -v vnm0
    ;;
  dhcpcd)
    background dhcpcd dhcpcd -4 -B vnm0
    ;;
  nm | nm-resolved)
    dns=default
    [ "$owner" = nm-resolved ] && dns=systemd-resolved
    mkdir -p "$dir/srv/nm-conf.d"
    cat >"$dir/srv/NetworkManager.conf" <<EOF
[main]
plugins=keyfile
dns=$dns
rc-manager=unmanaged
hostname-mode=none
auth-polkit=false
[keyfile]
unmanaged-devices=interface-name:brlab;interface-name:vethlab*
[logging]
level=INFO
EOF
    background nm NetworkManager --no-daemon --config="$dir/srv/NetworkManager.conf" \
      --config-dir="$dir/srv/nm-conf.d" --state-file=/var/lib/NetworkManager/NetworkManager.state
    ;;
  networkd)
    inside sh -eu -c "cat >/etc/systemd/network/50-lab.network" <<'EOF'
[Match]
Name=vnm0

[Network]
DHCP=ipv4
LinkLocalAddressing=no
IPv6AcceptRA=no

[DHCPv4]
SendHostname=no
UseHostname=no
EOF
    background networkd /lib/systemd/systemd-networkd
    ;;
esac
inside ip link set vnm0 up
if ! wait_for 25 leased; then
  say "the $owner lab got no lease"
  tail -n 30 "$dir"/log/*.log >&2
  exit 1
fi
# A manager's own view settles just after the address: wait for it too.
case "$owner" in
  nm*) wait_for 10 inside sh -c "grep -q '^\[dhcp4\]' /run/NetworkManager/devices/\$(cat /sys/class/net/vnm0/ifindex)" ;;
  networkd) wait_for 10 inside sh -c "grep -q '^ADDRESS=' /run/systemd/netif/leases/\$(cat /sys/class/net/vnm0/ifindex)" ;;
  dhclient) wait_for 10 inside sh -c "grep -q 'fixed-address' /var/lib/dhcp/dhclient.leases" ;;
  dhcpcd) wait_for 10 inside sh -c "ls /var/lib/dhcpcd/ | grep -q 'vnm0.*lease'" ;;
esac
exit 0
