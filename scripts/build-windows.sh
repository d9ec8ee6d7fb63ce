#!/usr/bin/env bash
# Cross-builds the Windows programs (build-win/bin/cfgscope.exe, addrpeek.exe)
# and their tests with mingw-w64, and the release archive of the two programs
# (build-win/cfgscope-VERSION-windows-x64.zip). The Linux build
# (scripts/build.sh) is separate and unaffected.
# Last, their Windows Installer package (build-win/cfgscope-VERSION-windows-x64.msi,
# scripts/build-msi.sh).
#
# Debian packages this needs (installed below when missing; CI's Linux build
# does not use them, so they are not in scripts/deps/):
#   g++-mingw-w64-x86-64-posix  mingw-w64-tools  googletest  wine  wine64  python3
#   wixl  msitools   (the installer package: wixl builds it, msiinfo reads it)
#   locales (the localized runs of scripts/smoke-windows-languages.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=${CFGSCOPE_WIN_BUILD:-$root/build-win}
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=${CFGSCOPE_JOBS:-$(nproc)}

packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools googletest wine wine64 python3 locales)
packages+=(wixl msitools)
missing=()
for pkg in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# GoogleTest for the cross build, from Debian's sources, once.
gtest_prefix=$out/deps
if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$out/deps-build/googletest" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$gtest_prefix" -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF >/dev/null
  cmake --build "$out/deps-build/googletest" -j "$jobs" >/dev/null
  cmake --install "$out/deps-build/googletest" >/dev/null
fi

cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DGTest_DIR="$gtest_prefix/lib/cmake/GTest" -DCFGSCOPE_BENCH=OFF "$@" >/dev/null
cmake --build "$out" -j "$jobs"
(cd "$out" && cpack -G ZIP >/dev/null)
ls "$out"/cfgscope-*-windows-x64.zip

# The Windows Installer package.
scripts/build-msi.sh "$out"
