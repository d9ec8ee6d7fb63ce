#!/usr/bin/env bash
# Installer test of the Windows package (build-win/cfgscope-VERSION-windows-x64.msi)
# under wine, in a fresh wine prefix of its own that it removes afterwards, as
# an IT department deploys it:
#   msiexec /i /qn: both programs under Program Files\VORLAN\Lanomat Std (the
#     built files), a Start menu shortcut with its icon for each, the entry in
#     Apps & features with name, version, maker and icon; the installed
#     addrpeek.exe, started from its shortcut, shows its window.
#   A package of a later version (built here with scripts/build-msi.sh)
#     installed over it replaces it: one entry, one copy, one shortcut each.
#     The older package then refuses to install over the newer one, and a
#     second build of the newer version adds no second entry.
#   msiexec /x /qn leaves no file, folder, shortcut or registry entry of the
#     product.
# Wine puts a per-machine package's shortcuts in the user's Start menu, Windows
# in the all-users one: either place counts. winemenubuilder is off, so
# nothing reaches the Linux desktop's menus.
#
# usage: scripts/msi-test.sh [SCREENSHOT-FOLDER]   (after scripts/build-windows.sh;
#        the folder, else CFGSCOPE_SHOTS, gets a PNG of the installed addrpeek.exe)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${CFGSCOPE_WIN_BUILD:-$root/build-win}
shots=${1:-${CFGSCOPE_SHOTS:-}}
for tool in Xvfb xwininfo import wine winepath wineserver wixl msiinfo; do
  command -v "$tool" >/dev/null || { echo "msi-test: $tool is missing" >&2; exit 2; }
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
package=$build/cfgscope-$version-windows-x64.msi
[ -n "$version" ] && [ -f "$package" ] || { echo "msi-test: $package not built (scripts/build-windows.sh)" >&2; exit 2; }
# The later version: the patch number one up.
later=${version%.*}.$((${version##*.} + 1))

source scripts/lib/session.sh
work=$(mktemp -d)
xvfb_pid=
export WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_DATA_HOME=$work/xdg-data
# addrpeek.exe asks the product web server for the public address: a closed
# port of 127.0.0.1, never the internet.
export CFGSCOPE_PRODUCT_SERVER=http://127.0.0.1:9/
cleanup() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "msi-test: FAIL: $*" >&2; exit 1; }

# The display before the prefix's first program, which keeps it.
start_display "$work"
echo "msi-test: preparing a fresh wine prefix"
wineboot --init >/dev/null 2>&1 || true
wineserver -w 2>/dev/null || true
[ -f "$WINEPREFIX/system.reg" ] || fail "wineboot made no prefix"
wineserver -p 120 </dev/null >/dev/null 2>&1 || true  # one server for the whole run

drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/VORLAN/Lanomat Std"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
products='HKLM\Software\Classes\Installer\Products'
msiexec() { wine msiexec "$1" "$(winepath -w "$2")" /qn </dev/null >/dev/null 2>&1; }
reg_query() { wine reg query "$1" /s </dev/null 2>/dev/null | tr -d '\r' || true; }
reg_exists() { wine reg query "$1" </dev/null >/dev/null 2>&1; }
product_code() { msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'; }
# Value NAME of key KEY.
reg_value() { reg_query "$1" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p" | head -n1; }
# Every shortcut of the product in the prefix, whichever Start menu.
shortcuts() { find "$drive" -iname 'VORLAN*.lnk' | sort; }
# The text of a shortcut, its UTF-16 strings flattened to ASCII.
lnk_text() { tr -d '\0' <"$1"; }
# Files and folders named like the product anywhere on drive C:.
leftovers() {
  find "$drive" \( -iname '*vorlan*' -o -iname '*lanomat*' -o -iname '*addrpeek*' -o -iname '*cfgscope*' \
    -o -iname "$1" \) -print
}

# installed VERSION CODE: the programs, the shortcuts and the entry in Apps &
# features of that version.
installed() {
  local version=$1 code=$2 program lnk name icon
  for program in cfgscope addrpeek; do
    cmp -s "$folder/$program.exe" "$build/bin/$program.exe" || fail "$version: $folder/$program.exe is not the built one"
  done
  [ "$(find "$drive/Program Files/VORLAN" -mindepth 1 | wc -l)" -eq 3 ] \
    || fail "$version: Program Files\\VORLAN holds more than the two programs: $(find "$drive/Program Files/VORLAN")"
  [ "$(shortcuts | wc -l)" -eq 2 ] || fail "$version: shortcuts $(shortcuts | tr '\n' ' ') (two wanted)"
  for pair in "cfgscope:VORLAN Lanomat Std" "addrpeek:VORLAN Addrpeek Tool"; do
    program=${pair%%:*} name=${pair#*:}
    lnk=$(shortcuts | grep -F "/$name.lnk" || true)
    [ -n "$lnk" ] || fail "$version: no Start menu shortcut \"$name\""
    lnk_text "$lnk" | grep -qiF "Lanomat Std\\$program.exe" || fail "$version: \"$name\" does not start $program.exe"
    icon=$(lnk_text "$lnk" | grep -aoi "C:\\\\windows\\\\Installer\\\\{[^}]*}\\\\$program.ico" | head -n1 || true)
    [ -n "$icon" ] && [ -f "$(winepath -u "$icon" 2>/dev/null)" ] || fail "$version: \"$name\" has no icon"
  done
  local key="$uninstall\\$code"
  [ "$(reg_value "$key" DisplayName)" = "VORLAN Lanomat Std" ] || fail "$version: no Apps & features entry $code"
  [ "$(reg_value "$key" DisplayVersion)" = "$version" ] || fail "$version: Apps & features shows version $(reg_value "$key" DisplayVersion)"
  [ "$(reg_value "$key" Publisher)" = "VORLAN" ] || fail "$version: Apps & features shows maker $(reg_value "$key" Publisher)"
  [ "$(reg_query "$uninstall" | grep -c 'DisplayName *REG_SZ *VORLAN Lanomat Std$')" -eq 1 ] \
    || fail "$version: more than one entry in Apps & features"
  icon=$(reg_query "$products" | sed -n 's/^ *ProductIcon *REG_SZ *//p')
  [ "$(wc -l <<<"$icon")" -eq 1 ] && [[ $icon == *"$code"*cfgscope.ico ]] && [ -f "$(winepath -u "$icon" 2>/dev/null)" ] \
    || fail "$version: the product's icon is \"$icon\""
  echo "msi-test: $version installed: $(cd "$folder" && ls | tr '\n' ' ')and $(shortcuts | sed 's|.*/||' | tr '\n' ' ')"
}

# --- install ---
code=$(product_code "$package")
msiexec /i "$package" || fail "msiexec /i $package /qn failed"
installed "$version" "$code"

# --- the installed addrpeek.exe, started from its shortcut ---
peek="VORLAN Addrpeek Tool"
wine start /unix "$(shortcuts | grep -F "/$peek.lnk")" </dev/null >"$work/app.log" 2>&1
id=
for _ in $(seq 150); do
  id=$(window_by_caption "$peek")
  [ -n "$id" ] && break
  sleep 0.2
done
[ -n "$id" ] || { cat "$work/app.log" >&2; fail "the installed addrpeek.exe shows no window \"$peek\""; }
echo "msi-test: the installed addrpeek.exe shows its window $id"
if [ -n "$shots" ]; then
  mkdir -p "$shots"
  sleep 1  # its first paint
  import -window "$id" "$shots/msi-addrpeek.png" && echo "screenshot: $shots/msi-addrpeek.png"
fi
wine taskkill /im addrpeek.exe </dev/null >/dev/null 2>&1 || true
for _ in $(seq 50); do [ -z "$(window_by_caption "$peek")" ] && break; sleep 0.2; done
[ -z "$(window_by_caption "$peek")" ] || fail "addrpeek.exe does not close"

# --- a later version over it ---
newer=$work/cfgscope-$later-windows-x64.msi
scripts/build-msi.sh "$build" "$later" "$newer" >/dev/null
newer_code=$(product_code "$newer")
[ "$newer_code" != "$code" ] || fail "both versions carry the product code $code"
msiexec /i "$newer" || fail "msiexec /i $newer /qn failed"
installed "$later" "$newer_code"
reg_exists "$uninstall\\$code" && fail "$version is still in Apps & features after $later"
[ ! -e "$drive/windows/Installer/$code" ] || fail "$version's installer files stay after $later"
if msiexec /i "$package"; then fail "$version installed over $later"; fi
installed "$later" "$newer_code"
# A second build of the installed version is that product, not a second one.
rebuilt=$work/rebuilt/cfgscope-$later-windows-x64.msi
mkdir -p "$work/rebuilt"
scripts/build-msi.sh "$build" "$later" "$rebuilt" >/dev/null
[ "$(product_code "$rebuilt")" = "$newer_code" ] || fail "two builds of $later carry different product codes"
msiexec /i "$rebuilt" || true
installed "$later" "$newer_code"
echo "msi-test: $later replaced $version; $version refuses to install over it; a rebuilt $later adds no second copy"

# --- removal ---
msiexec /x "$newer" || fail "msiexec /x $newer /qn failed"
left=$(leftovers "$newer_code")
[ -z "$left" ] || fail "left after removal: $left"
reg_exists "$uninstall\\$newer_code" && fail "still in Apps & features after removal"
wineserver -k 2>/dev/null || true  # writes the registry out
wineserver -w 2>/dev/null || true
left=$(grep -il -e vorlan -e lanomat -e addrpeek "$WINEPREFIX"/*.reg || true)
[ -z "$left" ] || fail "the registry keeps the product: $(grep -i -e vorlan -e lanomat -e addrpeek "$WINEPREFIX"/*.reg | head -n 5)"
desktop=$(find "$XDG_DATA_HOME" -name '*.desktop' 2>/dev/null || true)
[ -z "$desktop" ] || fail "shortcuts reached the Linux menus: $desktop"
echo "msi-test: removal left nothing of the product"
echo "msi-test: OK"
