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
check "stand-ins and the window program in libexec" test -x /usr/libexec/cfgscope/ipconfig -a -x /usr/libexec/cfgscope/release-renew -a -x /usr/libexec/cfgscope/batrun -a -x /usr/libexec/cfgscope/cfgscope-window
check "the command line loads no toolkit" bash -c '! ldd /usr/bin/cfgscope | grep -q libQt'
check "the window program found from /usr/bin" bash -c 'env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/cfgscope 2>&1 | grep -q "cfgscope: cannot open the window: no display is set"'
check "qt6-wayland recommended" bash -c 'dpkg-deb -f "'"$deb"'" Recommends | grep -qw qt6-wayland'
check "licence in the copyright file" grep -q "^License: Expat" /usr/share/doc/cfgscope/copyright
check "desktop entries" test -f /usr/share/applications/cfgscope.desktop -a -f /usr/share/applications/addrpeek.desktop
if command -v desktop-file-validate >/dev/null; then
  # No error and no hint (one main category each, so menus list each program once).
  check "desktop entries valid" bash -c '[ -z "$(desktop-file-validate /usr/share/applications/cfgscope.desktop /usr/share/applications/addrpeek.desktop 2>&1)" ]'
fi
check "the README among the documents" test -f /usr/share/doc/cfgscope/README.md.gz
check "vorlan-webserver --version" bash -c '/usr/bin/vorlan-webserver --version | grep -qx "vorlan-webserver 1.3.0"'
check "web server pages and engine configurations" bash -c 'test -x /usr/bin/vorlan-webserver -a -f /usr/share/vorlan-webserver/site/index.html -a -f /usr/share/vorlan-webserver/nginx/vorlan-resources.conf -a -f /usr/share/vorlan-webserver/apache2/vorlan-resources.conf'
if [ -x /usr/bin/addrpeek ]; then
  check "addrpeek --version" bash -c '/usr/bin/addrpeek --version | grep -q "1.3.0"'
fi

apt-get remove -y -qq --purge cfgscope >/dev/null
trap - EXIT
check "removal leaves nothing" bash -c '! test -e /usr/bin/cfgscope && ! test -e /usr/libexec/cfgscope && ! dpkg -s cfgscope >/dev/null 2>&1'
echo "package test: $([ $fail -eq 0 ] && echo passed || echo failed)"
exit $fail
