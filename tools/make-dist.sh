#!/bin/sh
# make-dist.sh ARCH BUILD_DIR: packs dist/Ravelo-VERSION-ARCH.zip (the window
# program, the console converter, the example settings file, LEIA-ME.txt and
# the licence as LICENSE.txt)
# and writes its SHA-256 beside it. VERSION is the build's project version.
# Reproducible: every entry has the time of the last commit (SOURCE_DATE_EPOCH
# when set), fixed permissions and no extra attributes, in a fixed order.
set -eu
arch=$1
build=$(cd "$2" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "make-dist: no project version in $build/CMakeCache.txt" >&2; exit 1; }
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
name=Ravelo-$version-$arch
stage=$root/dist/$name
programs="$build/ui/Ravelo.exe $build/cli/ravelo-convert.exe"
texts="$root/examples/RAVELO.INI $build/generated/LEIA-ME.txt"
for file in $programs $texts "$root/LICENSE"; do
    [ -f "$file" ] || { echo "make-dist: $file is missing" >&2; exit 1; }
done
rm -rf "$stage" "$stage.zip"
mkdir -p "$stage"
# shellcheck disable=SC2086
cp $programs "$stage/"
# The texts in Windows form, CR LF on every line, whatever line ends this checkout has: Notepad
# before Windows 10 shows a file with bare LFs as one long line.
for text in $texts; do
    sed 's/\r*$/\r/' "$text" > "$stage/$(basename "$text")"
done
sed 's/\r*$/\r/' "$root/LICENSE" > "$stage/LICENSE.txt"  # .txt: Windows opens it in Notepad
chmod 644 "$stage"/*
chmod 755 "$stage"/*.exe
# zip writes local time: UTC makes the stored time the same everywhere.
touch -d "@$epoch" "$stage"/*
cd "$root/dist"
find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D "$name.zip" -@
sha256sum "$name.zip" > "$name.zip.sha256"
rm -rf "$stage"
echo "dist/$name.zip"
