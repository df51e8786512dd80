#!/bin/sh
# wine-windows-suites.sh ARCH BUILD_DIR: runs tools/windows-suites.cmd, the Windows jobs' script,
# under Wine's cmd as those jobs run it: the test programs of BUILD_DIR, dist's ARCH zip and
# examples/, in BUILD_DIR/windows-suites (x86: 32-bit Wine). Wine's tar and fc come from
# tools/wine-stand-ins/, first in Wine's PATH. The tests' prefix of BUILD_DIR; needs a display.
set -eu
arch=$1
build=$(cd "$2" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
windows() { printf 'Z:%s\n' "$1" | tr / '\\'; }
case $arch in
    x86) wine="$root/cmake/wine-run.sh -32" ;;
    *) wine="$root/cmake/wine-run.sh" ;;
esac
prefix=$build/wineprefix
trap 'WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
$wine "$prefix" wineboot
mkdir -p "$build/windows-suites"
cd "$build/windows-suites"
WINEPATH=$(windows "$root/tools/wine-stand-ins") timeout 300 $wine "$prefix" cmd /c \
    "$(windows "$root/tools/windows-suites.cmd")" "$(windows "$build/tests")" \
    "$(windows "$root/dist/Ravelo-$version-$arch.zip")" "$(windows "$root/examples")"
