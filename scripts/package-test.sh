#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian (no errors allowed; the
# warnings left are explained in the README), installs it with apt, runs the
# installed programs from their installed location, and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
  echo "package test: needs root to install the package; skipped"
  exit 0
fi
(cd build && cpack -G DEB >/dev/null)
deb=$(ls -t build/cfgscope_*.deb | head -n 1)
echo "package test: built $deb"
dpkg-deb -c "$deb" | awk '{print $6}' | grep -E 'bin/|libexec/|applications/|metainfo/|man1/|doc/|vorlan-webserver/(nginx|apache2)/' | sed 's/^/  /'

fail=0
check() {  # name, then the command
  local name=$1; shift
  if "$@"; then echo "package test: ok: $name"; else echo "package test: FAILED: $name"; fail=1; fi
}
if command -v lintian >/dev/null; then
  # lintian refuses root unless told; its tags from warnings up are shown.
  status=0
  tags=$(lintian --allow-root --fail-on error --display-level ">=warning" "$deb" 2>&1) || status=$?
  [ -z "$tags" ] || sed 's/^/  lintian: /' <<<"$tags"
  check "lintian finds no errors" test $status -eq 0
else
  echo "package test: FAILED: lintian is not installed (scripts/install-deps.sh --tests installs it)"
  fail=1
fi
unpacked=$(mktemp -d)
dpkg-deb -x "$deb" "$unpacked"
check "programs stripped" bash -c "! file -b '$unpacked'/usr/bin/* '$unpacked'/usr/libexec/cfgscope/* | grep -q 'not stripped'"
check "man pages compressed" bash -c "ls '$unpacked'/usr/share/man/man1/*.1.gz >/dev/null && ! ls '$unpacked'/usr/share/man/man1/*.1 2>/dev/null"
rm -rf "$unpacked"

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq --no-install-recommends "./$deb" >/dev/null
trap 'apt-get remove -y -qq --purge cfgscope >/dev/null 2>&1 || true' EXIT

check "cfgscope --version" bash -c '/usr/bin/cfgscope --version | grep -qx "cfgscope 1.3.0"'
check "cfgscope --diagnose FILE" bash -c '/usr/bin/cfgscope --diagnose tests/data/xp-dhcp-two-dns.txt | grep -q "^Status: No errors found$"'
check "stand-ins in libexec" test -x /usr/libexec/cfgscope/ipconfig -a -x /usr/libexec/cfgscope/release-renew -a -x /usr/libexec/cfgscope/batrun
check "desktop entries" test -f /usr/share/applications/cfgscope.desktop -a -f /usr/share/applications/addrpeek.desktop
check "web server pages and engine configurations" bash -c 'test -x /usr/bin/vorlan-webserver -a -f /usr/share/vorlan-webserver/site/index.html -a -f /usr/share/vorlan-webserver/nginx/vorlan-resources.conf -a -f /usr/share/vorlan-webserver/apache2/vorlan-resources.conf'
if [ -x /usr/bin/addrpeek ]; then
  check "addrpeek --version" bash -c '/usr/bin/addrpeek --version | grep -q "1.3.0"'
fi

apt-get remove -y -qq --purge cfgscope >/dev/null
trap - EXIT
check "removal leaves nothing" bash -c '! test -e /usr/bin/cfgscope && ! test -e /usr/libexec/cfgscope && ! dpkg -s cfgscope >/dev/null 2>&1'
echo "package test: $([ $fail -eq 0 ] && echo passed || echo failed)"
exit $fail
