#!/bin/sh
# make-dist.sh ARCH BUILD_DIR VERSION: packs dist/Ravelo-VERSION-ARCH.zip
# (the window program, the console converter, the example settings file and
# LEIA-ME.txt) and writes its SHA-256 beside it.
set -eu
arch=$1
build=$2
version=$3
root=$(cd "$(dirname "$0")/.." && pwd)
name=Ravelo-$version-$arch
stage=$root/dist/$name
files="$build/ui/Ravelo.exe $build/cli/ravelo-convert.exe $root/examples/RAVELO.INI $root/res/LEIA-ME.txt"
for file in $files; do
    [ -f "$file" ] || { echo "make-dist: $file is missing" >&2; exit 1; }
done
rm -rf "$stage" "$stage.zip"
mkdir -p "$stage"
# shellcheck disable=SC2086
cp $files "$stage/"
(cd "$root/dist" && zip -q -X -r "$name.zip" "$name" && sha256sum "$name.zip" > "$name.zip.sha256")
rm -rf "$stage"
echo "dist/$name.zip"
