#!/bin/sh
# release-checks.sh BUILD_DIR: the release checks checked. The conflict-marker scan
# (tools/check-conflict-markers.sh) and the zip check (tools/check-dist.sh, the zip of BUILD_DIR
# made by make dist) are each fed a small known-bad input per rule, and must refuse it with that
# rule's words; the sound inputs they start from must pass. Fails naming each rule that let its
# bad input through. Run by make test-dist, after the zips' own check.
set -u
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
work=$build/release-checks
missed=0
miss() {
    echo "release-checks: $*" >&2
    missed=$((missed + 1))
}
rm -rf "$work"
mkdir -p "$work"

# --- Conflict markers: each marker at line 2 of a file of every type the repository tracks
# (each extension, and each name without one), found by a scan of the named files and by a scan
# of a repository's tracked files. "=======" alone may underline a heading in Markdown only.
# Marker N (1-5): the three sides, then the middle line bare and before a CR.
marker() {
    case $1 in
        1) echo '<<<<<<< HEAD' ;; 2) echo '||||||| base' ;; 3) echo '>>>>>>> theirs' ;;
        4) echo '=======' ;; 5) printf '=======\r\n' ;;
    esac
}
types=$(git -C "$root" ls-files | sed -n 's|.*/||; s/^[^.]*\(\.[^/]*\)$/\1/p; /^[^.]*$/p' | LC_ALL=C sort -u)
scan=$work/markers
mkdir -p "$scan"
git -C "$scan" init -q
: >"$work/expected"
for i in 1 2 3 4 5; do
    for type in $types; do
        case $type in .*) file=m$i$type ;; *) file=m$i-$type ;; esac
        { echo ok; marker $i; echo ok; } >"$scan/$file"
        case $i$type in [45].md) continue ;; esac
        echo "conflict marker: $file:2: " >>"$work/expected"
    done
done
git -C "$scan" add -A
(cd "$scan" && "$root/tools/check-conflict-markers.sh") 2>"$work/tracked" && miss "conflict markers: the scan of tracked files passed them all"
(cd "$scan" && git ls-files -z | xargs -0 "$root/tools/check-conflict-markers.sh") 2>"$work/named" && miss "conflict markers: the scan of named files passed them all"
while IFS= read -r want; do
    for how in tracked named; do
        grep -qF "$want" "$work/$how" || miss "conflict markers ($how files): not found: $want"
    done
done <"$work/expected"
for how in tracked named; do
    grep -q 'conflict marker: m[45]\.md:' "$work/$how" && miss "conflict markers ($how files): a lone ======= in Markdown was refused"
done

# --- The zip: the sound zip passes; each bad one fails with its rule's words.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(case $build in *x86*) echo x86 ;; *) echo x64 ;; esac)
name=Ravelo-$version-$arch
zip=$root/dist/$name.zip
case $arch in x86) objcopy=i686-w64-mingw32-objcopy ;; *) objcopy=x86_64-w64-mingw32-objcopy ;; esac
check_zip() {
    CHECK_DIST_ZIP=$1 "$root/tools/check-dist.sh" "$arch" "$build" --no-run >"$work/said" 2>&1
}
check_zip "$zip" || miss "the zip check refuses the sound zip: $(cat "$work/said")"
cr=$(printf '\r')
# bad_zip WORDS CHANGE: unpacks the sound zip, applies CHANGE in its folder, zips it again, and
# wants the check to fail saying WORDS.
bad_zip() {
    rm -rf "$work/zip" "$work/bad.zip"
    mkdir -p "$work/zip"
    unzip -q "$zip" -d "$work/zip"
    (cd "$work/zip/$name" && eval "$2") || { miss "cannot make the bad zip: $2"; return; }
    (cd "$work/zip" && zip -q -r "$work/bad.zip" "$name")
    if check_zip "$work/bad.zip"; then
        miss "the zip check passed a zip where: $2"
    elif ! grep -qF "$1" "$work/said"; then
        miss "the zip check refused a zip where: $2, but not saying \"$1\": $(cat "$work/said")"
    fi
}
bad_zip "LEIA-ME.txt has lines without CR LF" "sed -i '3s/$cr\$//' LEIA-ME.txt"
bad_zip "RAVELO.INI has lines without CR LF" "sed -i '\$s/$cr\$//' RAVELO.INI"
bad_zip "LEIA-ME.txt does not end with a line end" "printf 'x' >>LEIA-ME.txt"
bad_zip "LEIA-ME.txt has a placeholder left" "printf 'Versão @PROJECT_VERSION@\r\n' >>LEIA-ME.txt"
bad_zip "RAVELO.INI holds a merge leftover" "printf '=======\r\n' >>RAVELO.INI"
bad_zip "LEIA-ME.txt is not UTF-8" "printf 'vers\347o\r\n' >>LEIA-ME.txt"
bad_zip "LEIA-ME.txt has these sections twice" "printf 'Repetida\r\n--------\r\nRepetida\r\n--------\r\n' >>LEIA-ME.txt"
bad_zip "it unpacks to other files" "rm RAVELO.INI"
bad_zip "it unpacks to other files" "touch extra.txt"
bad_zip "ravelo-convert.exe has no version record" "$objcopy -R .rsrc ravelo-convert.exe"
bad_zip "Ravelo.exe has no version record" "$objcopy -R .rsrc Ravelo.exe"

if [ "$missed" -gt 0 ]; then
    echo "release-checks: $missed known-bad inputs got through" >&2
    exit 1
fi
echo "release-checks: the conflict-marker scan and the zip check refuse each known-bad input"
