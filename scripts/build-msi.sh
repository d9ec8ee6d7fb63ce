#!/usr/bin/env bash
# The Windows Installer package of the two programs, from the WiX source in
# packaging/windows/ with wixl (Debian's wixl package), out of a Windows build
# folder (scripts/build-windows.sh): its bin/*.exe and the icons the build
# made from the packaging's images.
#
# usage: scripts/build-msi.sh BUILD-FOLDER [VERSION [OUTPUT]]
#   VERSION defaults to the project's; OUTPUT to
#   BUILD-FOLDER/cfgscope-VERSION-windows-x64.msi.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:?usage: scripts/build-msi.sh BUILD-FOLDER [VERSION [OUTPUT]]}
build=$(cd "$build" && pwd)
version=${2:-$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")}
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "build-msi: no version (\"$version\")" >&2; exit 2; }
output=${3:-$build/cfgscope-$version-windows-x64.msi}
command -v wixl >/dev/null || { echo "build-msi: wixl is missing (apt-get install wixl)" >&2; exit 2; }
for f in "$build/bin/cfgscope.exe" "$build/bin/addrpeek.exe" \
    "$build/cfgscope/win32/cfgscope.ico" "$build/addrpeek/win32/addrpeek.ico"; do
  [ -f "$f" ] || { echo "build-msi: $f not built" >&2; exit 2; }
done
# wixl looks for the files the source names in its working folder: give it
# one holding just them.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$build/bin/cfgscope.exe" "$build/bin/addrpeek.exe" \
  "$build/cfgscope/win32/cfgscope.ico" "$build/addrpeek/win32/addrpeek.ico" "$stage/"
case $output in /*) ;; *) output=$PWD/$output ;; esac
# The product code follows from the version alone (a name-based UUID), so a
# rebuilt package of an installed version is that product, not a second one.
source=$root/packaging/windows/cfgscope.wxs
upgrade_code=$(grep -o -m1 'UpgradeCode="[^"]*"' "$source" | cut -d'"' -f2)
product_code=$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
  "$upgrade_code" "cfgscope $version")
(cd "$stage" && wixl --arch x64 -D Version="$version" -D ProductCode="$product_code" -o "$output" "$source")
echo "$output"
