#!/usr/bin/env bash
# cfgscope.exe reading its own machine's report on a localized Windows, under
# wine: one run per language, with wine's locale (LANG) set as that Windows
# would be, so the console and Windows code pages are its own (German and
# French 850/1252, Russian 866/1251, Chinese 936, Japanese 932). The
# ipconfig stand-in prints a report composed here from the language's labels
# and encoded in its console code page, as `ipconfig /all > data.txt` writes
# it. Each run checks, through window_probe.exe:
#   the adapters by their own (non-ASCII) names, the first adapter's details,
#   the diagnosis of the disconnected wireless adapter; Ctrl+C puts the names on the clipboard;
#   Close removes the working folder and ends the program.
# A last run whose report never completes checks that the "Timeout error"
# ends the program with its working folder removed.
# The German and Chinese runs are made as users "jürgen" and "王伟" whose
# TEMP holds their names: getdata.bat must reach cmd in the console code
# page, and the user box shows the name.
#
# usage: scripts/smoke-windows-languages.sh [LANGUAGE...]   (after scripts/build-windows.sh;
#        languages: de fr ru zh ja, and timeout; all by default)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=${CFGSCOPE_WIN_BUILD:-$root/build-win}
bin=$out/bin
for tool in Xvfb wine winepath wineserver iconv localedef; do
  command -v "$tool" >/dev/null || { echo "smoke-windows-languages: $tool is missing" >&2; exit 2; }
done
for f in "$bin/cfgscope.exe" "$bin/window_probe.exe"; do
  [ -f "$f" ] || { echo "smoke-windows-languages: $f not built" >&2; exit 2; }
done

source scripts/lib/session.sh
work=$(mktemp -d)
xvfb_pid= app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# language  locale  console code page  user (empty: the prefix's own)
table=(
  "de de_DE.UTF-8 CP850 jürgen"
  "fr fr_FR.UTF-8 CP850 -"
  "ru ru_RU.UTF-8 CP866 -"
  "zh zh_CN.UTF-8 CP936 王伟"
  "ja ja_JP.UTF-8 CP932 -"
)
# Wine takes its code pages from the C library's locale, which must exist.
use_locales "$out/locales" de_DE.UTF-8 fr_FR.UTF-8 ru_RU.UTF-8 zh_CN.UTF-8 ja_JP.UTF-8

# The labels of each language, as its ipconfig writes them.
declare -A de=(
  [header]="Windows-IP-Konfiguration" [host]="Hostname" [node]="Knotentyp" [hybrid]="Hybrid"
  [routing]="IP-Routing aktiviert" [wins]="WINS-Proxy aktiviert" [yes]="Ja" [no]="Nein"
  [ethernet]="Ethernet-Adapter %s:" [wireless]="Drahtlos-LAN-Adapter %s:"
  [media]="Medienstatus" [disconnected]="Medium getrennt" [suffix]="Verbindungsspezifisches DNS-Suffix"
  [description]="Beschreibung" [physical]="Physische Adresse" [dhcp]="DHCP aktiviert"
  [autoconf]="Autokonfiguration aktiviert" [ipv4]="IPv4-Adresse" [preferred]="(Bevorzugt)"
  [mask]="Subnetzmaske" [gateway]="Standardgateway" [dhcpserver]="DHCP-Server" [dns]="DNS-Server"
  [netbios]="NetBIOS über TCP/IP" [enabled]="Aktiviert"
  [eth_name]="Ethernet Büro" [wifi_name]="WLAN Küche")
declare -A fr=(
  [header]="Configuration IP de Windows" [host]="Nom de l'hôte" [node]="Type de noeud" [hybrid]="Hybride"
  [routing]="Routage IP activé" [wins]="Proxy WINS activé" [yes]="Oui" [no]="Non"
  [ethernet]="Carte Ethernet %s :" [wireless]="Carte réseau sans fil %s :"
  [media]="Statut du média" [disconnected]="Média déconnecté" [suffix]="Suffixe DNS propre à la connexion"
  [description]="Description" [physical]="Adresse physique" [dhcp]="DHCP activé"
  [autoconf]="Configuration automatique activée" [ipv4]="Adresse IPv4" [preferred]="(préféré)"
  [mask]="Masque de sous-réseau" [gateway]="Passerelle par défaut" [dhcpserver]="Serveur DHCP"
  [dns]="Serveurs DNS" [netbios]="NetBIOS sur Tcpip" [enabled]="Activé"
  [eth_name]="Connexion au réseau local" [wifi_name]="Réseau sans fil Salon")
declare -A ru=(
  [header]="Настройка протокола IP для Windows" [host]="Имя компьютера" [node]="Тип узла" [hybrid]="Гибридный"
  [routing]="IP-маршрутизация включена" [wins]="WINS-прокси включен" [yes]="Да" [no]="Нет"
  [ethernet]="Адаптер Ethernet %s:" [wireless]="Адаптер беспроводной локальной сети %s:"
  [media]="Состояние среды" [disconnected]="Среда передачи недоступна." [suffix]="DNS-суффикс подключения"
  [description]="Описание" [physical]="Физический адрес" [dhcp]="DHCP включен"
  [autoconf]="Автонастройка включена" [ipv4]="IPv4-адрес" [preferred]="(Основной)"
  [mask]="Маска подсети" [gateway]="Основной шлюз" [dhcpserver]="DHCP-сервер" [dns]="DNS-серверы"
  [netbios]="NetBios через TCP/IP" [enabled]="Включен"
  [eth_name]="Подключение по локальной сети" [wifi_name]="Беспроводное сетевое соединение")
declare -A zh=(
  [header]="Windows IP 配置" [host]="主机名" [node]="节点类型" [hybrid]="混合"
  [routing]="IP 路由已启用" [wins]="WINS 代理已启用" [yes]="是" [no]="否"
  [ethernet]="以太网适配器 %s:" [wireless]="无线局域网适配器 %s:"
  [media]="媒体状态" [disconnected]="媒体已断开连接" [suffix]="连接特定的 DNS 后缀"
  [description]="描述" [physical]="物理地址" [dhcp]="DHCP 已启用"
  [autoconf]="自动配置已启用" [ipv4]="IPv4 地址" [preferred]="(首选)"
  [mask]="子网掩码" [gateway]="默认网关" [dhcpserver]="DHCP 服务器" [dns]="DNS 服务器"
  [netbios]="TCPIP 上的 NetBIOS" [enabled]="已启用"
  [eth_name]="本地连接" [wifi_name]="无线网络连接")
declare -A ja=(
  [header]="Windows IP 構成" [host]="ホスト名" [node]="ノード タイプ" [hybrid]="ハイブリッド"
  [routing]="IP ルーティング有効" [wins]="WINS プロキシ有効" [yes]="はい" [no]="いいえ"
  [ethernet]="イーサネット アダプター %s:" [wireless]="Wireless LAN adapter %s:"
  [media]="メディアの状態" [disconnected]="メディアは接続されていません" [suffix]="接続固有の DNS サフィックス"
  [description]="説明" [physical]="物理アドレス" [dhcp]="DHCP 有効"
  [autoconf]="自動構成有効" [ipv4]="IPv4 アドレス" [preferred]="(優先)"
  [mask]="サブネット マスク" [gateway]="デフォルト ゲートウェイ" [dhcpserver]="DHCP サーバー"
  [dns]="DNS サーバー" [netbios]="NetBIOS over TCP/IP" [enabled]="有効"
  [eth_name]="ローカル エリア接続" [wifi_name]="ワイヤレス ネットワーク接続")

# The report of a language (nameref to its labels), UTF-8 with CR LF lines:
# a connected Ethernet adapter and a disconnected wireless one.
compose_report() {
  local -n L=$1
  field() {  # LABEL VALUE: the label padded with dots, as ipconfig does
    local line="   $1" pad
    pad=$((36 - ${#line}))
    [ $pad -lt 1 ] && pad=1
    for ((i = 0; i < pad; i += 2)); do line+=" ."; done
    printf '%s : %s\r\n' "$line" "$2"
  }
  printf '\r\n%s\r\n\r\n' "${L[header]}"
  field "${L[host]}" "pc-$1"
  field "${L[node]}" "${L[hybrid]}"
  field "${L[routing]}" "${L[no]}"
  field "${L[wins]}" "${L[no]}"
  printf '\r\n'"${L[ethernet]}"'\r\n\r\n' "${L[eth_name]}"
  field "${L[suffix]}" "fritz.box"
  field "${L[description]}" "Intel(R) Ethernet Connection I219-V"
  field "${L[physical]}" "3C-52-82-11-22-33"
  field "${L[dhcp]}" "${L[yes]}"
  field "${L[autoconf]}" "${L[yes]}"
  field "${L[ipv4]}" "192.168.178.23${L[preferred]}"
  field "${L[mask]}" "255.255.255.0"
  field "${L[gateway]}" "192.168.178.1"
  field "${L[dhcpserver]}" "192.168.178.1"
  field "${L[dns]}" "192.168.178.1"
  field "${L[netbios]}" "${L[enabled]}"
  printf '\r\n'"${L[wireless]}"'\r\n\r\n' "${L[wifi_name]}"
  field "${L[media]}" "${L[disconnected]}"
  field "${L[suffix]}" ""
  field "${L[description]}" "Intel(R) Wi-Fi 6 AX201 160MHz"
  field "${L[physical]}" "40-EC-99-44-55-66"
  field "${L[dhcp]}" "${L[yes]}"
  field "${L[autoconf]}" "${L[yes]}"
}

wineserver -k 2>/dev/null || true
start_display "$work"
use_wine_prefix >/dev/null

probe() { wine "$bin/window_probe.exe" "$@" 2>&1 | tr -d '\r'; }
failures=0
fail() {
  echo "smoke-windows-languages: FAIL: $lang: $*" >&2
  failures=$((failures + 1))
}
expect() {  # TEXT WHAT HAYSTACK
  grep -qF -- "$1" <<<"$3" && return 0
  fail "$2 lacks \"$1\""
  sed 's/^/    | /' <<<"$3" >&2
}

main="VORLAN Lanomat Std"
mkdir -p "$work/bin"
for row in "${table[@]}"; do
  read -r lang locale codepage user <<<"$row"
  [ $# -eq 0 ] || [[ " $* " == *" $lang "* ]] || continue
  declare -n labels=$lang
  export LANG=$locale LC_ALL=$locale
  wineserver -k 2>/dev/null || true

  # The stand-in ipconfig types the report as the console would write it.
  compose_report "$lang" | iconv -f UTF-8 -t "$codepage" >"$work/report-$lang.txt"
  printf '@type "%s"\r\n' "$(winepath -w "$work/report-$lang.txt" 2>/dev/null)" >"$work/bin/ipconfig.bat"
  export WINEPATH="$(winepath -w "$work/bin" 2>/dev/null)"

  # A user of that name: TEMP in the profile, USERNAME, both set in the
  # environment cmd hands the program (wine ignores the Unix TEMP).
  if [ "$user" != "-" ]; then
    temp_win="C:\\users\\$user\\Temp"
    launch=(wine cmd /c "set TEMP=$temp_win&& set USERNAME=$user&& $(winepath -w "$bin/cfgscope.exe")")
  else
    temp_win=$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
    launch=(wine "$bin/cfgscope.exe")
  fi
  temp=$(winepath -u "$temp_win" 2>/dev/null)
  mkdir -p "$temp"
  folder="$temp/cfgscope"
  "${launch[@]}" >"$work/app-$lang.log" 2>&1 &
  app_pid=$!

  if ! probe wait "$main" "1) " >/dev/null; then
    fail "no adapter listed ($(cat "$work/app-$lang.log"))"
    kill "$app_pid" 2>/dev/null || true
    app_pid=
    continue
  fi
  texts=$(probe texts "$main")
  expect "${labels[eth_name]}" "the adapter list" "$texts"
  expect "${labels[wifi_name]}" "the adapter list" "$texts"
  expect "192.168.178.23" "the first adapter's details" "$texts"
  expect "3C-52-82-11-22-33" "the first adapter's details" "$texts"
  expect " Connection error. Click to see log." "the status line" "$texts"
  grep -q "No errors found" <<<"$texts" && fail "the status says No errors found"
  [ "$user" != "-" ] && expect "$user" "the user box" "$texts"

  # getdata.bat in the console code page, its report path quoted.
  expected_line=$(printf 'ipconfig /all > "%s\\cfgscope\\data.txt"\r\n' "$temp_win" | iconv -f UTF-8 -t "$codepage")
  [ "$(cat "$folder/getdata.bat" 2>/dev/null)" = "$expected_line" ] \
    || fail "getdata.bat in $folder is not the quoted line in $codepage"

  report=
  for attempt in $(seq 5); do
    probe key "$main" Ctrl+C >/dev/null
    for _ in $(seq 10); do
      report=$(probe clipboard || true)
      grep -qF "${labels[wifi_name]}" <<<"$report" && break 2
      sleep 0.2
    done
  done
  expect "${labels[eth_name]}" "the clipboard" "$report"
  expect "${labels[wifi_name]}" "the clipboard" "$report"
  expect "192.168.178.23" "the clipboard" "$report"

  probe click "$main" "Close" >/dev/null || fail "no Close button"
  for _ in $(seq 80); do [ -d "$folder" ] || break; sleep 0.25; done
  [ -d "$folder" ] && fail "the working folder $folder stays after Close"
  ended_within "$app_pid" 100 || fail "cfgscope.exe still runs after Close"
  app_pid=
  echo "smoke-windows-languages: $lang, $codepage, user ${user/#-/of the prefix}: $(grep -c . <<<"$report") lines on the clipboard"
done
# A report that never completes: "Timeout error", and the working folder is
# gone before the program ends.
if [ $# -eq 0 ] || [[ " $* " == *" timeout "* ]]; then
  lang=timeout
  unset LANG LC_ALL
  wineserver -k 2>/dev/null || true
  mkdir -p "$work/bin"
  printf '@echo not a report\r\n' >"$work/bin/ipconfig.bat"
  export WINEPATH="$(winepath -w "$work/bin" 2>/dev/null)"
  temp=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null)
  folder="$temp/cfgscope"
  wine "$bin/cfgscope.exe" >"$work/app-timeout.log" 2>&1 &
  app_pid=$!
  # The capture gives up after a thousand polls: more than a probe's wait.
  box=
  for _ in $(seq 4); do
    box=$(probe wait cfgscope "Timeout error" 2>/dev/null) && break
    box=
  done
  if [ -z "$box" ]; then
    fail "no Timeout error message"
  else
    probe click cfgscope OK >/dev/null || fail "the message has no OK button"
    ended_within "$app_pid" 100 || fail "cfgscope.exe still runs after the Timeout error"
    [ -d "$folder" ] && fail "the working folder $folder stays after the Timeout error"
    echo "smoke-windows-languages: timeout: the program ended and removed $folder"
  fi
  kill "$app_pid" 2>/dev/null || true
  app_pid=
fi

[ "$failures" -eq 0 ] || exit 1
echo "smoke-windows-languages: OK"
