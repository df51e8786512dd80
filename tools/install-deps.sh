#!/bin/sh
# Installs what the build and the tests need and is not there yet (Debian, as root).
set -eu
need=""
have() { command -v "$1" >/dev/null 2>&1; }
have cmake || need="$need cmake"
have ninja || need="$need ninja-build"
have g++ || need="$need g++"
have x86_64-w64-mingw32-g++-posix || need="$need g++-mingw-w64-x86-64-posix"
have i686-w64-mingw32-g++-posix || need="$need g++-mingw-w64-i686-posix"
[ -x /usr/lib/wine/wine64 ] || need="$need wine64"
have xvfb-run || need="$need xvfb"
have xdotool || need="$need xdotool"
have zip || need="$need zip"
have import || need="$need imagemagick"
[ -f /usr/src/googletest/CMakeLists.txt ] || need="$need googletest"
[ -z "$need" ] && exit 0
if [ "$(id -u)" != 0 ]; then
    echo "Missing packages:$need (run as root, or install them)" >&2
    exit 1
fi
echo "Installing:$need"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $need >/dev/null
