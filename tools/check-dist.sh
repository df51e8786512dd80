#!/bin/sh
# check-dist.sh ARCH BUILD_DIR [--no-run]: dist/Ravelo-VERSION-ARCH.zip (made by make-dist.sh from
# BUILD_DIR) as a Windows user receives it. Unpacked into a folder whose name has a blank and an
# accent, it must hold exactly its five files; its texts must have CR LF on every line, be UTF-8,
# have every placeholder filled, no merge leftover and no section twice; and both programs,
# started in their own folder as Explorer starts them (the shipped RAVELO.INI, no --ini), must
# convert examples/canais.dvb exactly as written out below. They run under Wine in BUILD_DIR's
# prefix (x86: 32-bit Wine) and need a display. --no-run checks the zip only (for a kernel that
# cannot run 32-bit programs). Both programs must carry a version record (tools/pe-resources.py).
set -eu
arch=$1
build=$(cd "$2" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=Ravelo-$version-$arch
work=$build/dist-check
folder="$work/Pasta de Teste ç/$name"
fail() {
    echo "check-dist: $name: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work"
# CHECK_DIST_ZIP: another zip checked in its place (the checks' own tests, tests/release-checks.sh).
unzip -q "${CHECK_DIST_ZIP:-$root/dist/$name.zip}" -d "$work/Pasta de Teste ç" || fail "the zip does not unpack"
files=$(cd "$folder/.." && find . -mindepth 1 | LC_ALL=C sort)
[ "$files" = "./$name
./$name/LEIA-ME.txt
./$name/LICENSE.txt
./$name/RAVELO.INI
./$name/Ravelo.exe
./$name/ravelo-convert.exe" ] || fail "it unpacks to other files:
$files"

# What Explorer's Properties -> Details shows: each program's version record, the project's
# version with one Portuguese (Portugal) string block.
for program in Ravelo.exe ravelo-convert.exe; do
    record=$(python3 "$root/tools/pe-resources.py" version "$folder/$program" 2>&1) || fail "$program has no version record: $record"
    case $record in
        *"FileVersion $version"*"StringFileInfo 081604B0"*"Translation 0816 04B0"*) ;;
        *) fail "$program's version record is not version $version in Portuguese (Portugal): $record" ;;
    esac
done

cr=$(printf '\r')
for text in LEIA-ME.txt LICENSE.txt RAVELO.INI; do
    file=$folder/$text
    [ -s "$file" ] && [ -z "$(tail -c 1 "$file" | tr -d '\n')" ] || fail "$text does not end with a line end"
    bad=$(LC_ALL=C grep -nv "^[^$cr]*$cr\$" "$file" | head -3 | tr -d '\r')
    [ -z "$bad" ] || fail "$text has lines without CR LF, or with a CR inside; the first:
$bad"
    iconv -f UTF-8 -t UTF-8 "$file" >/dev/null || fail "$text is not UTF-8"
    bad=$(grep -n '@[A-Za-z_]*@' "$file" | head -3)
    [ -z "$bad" ] || fail "$text has a placeholder left: $bad"
    "$root/tools/check-conflict-markers.sh" "$file" || fail "$text holds a merge leftover"
    # A heading is a line underlined with - or =.
    twice=$(tr -d '\r' <"$file" | awk '/^(-+|=+)$/ && prev != "" && seen[prev]++ { print prev } { prev = $0 }')
    [ -z "$twice" ] || fail "$text has these sections twice: $twice"
done

if [ "${3:-}" = --no-run ]; then
    echo "check-dist: $name: files and texts checked; its programs are not run on this machine"
    exit 0
fi

# What the shipped RAVELO.INI makes of examples/canais.dvb (10 records): 27500 (6B6C) becomes
# 27800 in records 1, 2 and 7, 22000 (55F0) becomes 22050 in records 3 and 4; 30000 (its rule's
# replacement is 0), 6900, 5000 and 29900 have no replacement and are listed.
rows='1388	5000	8
1AF4	6900	6
74CC	29900	10
7530	30000	5'
rates='6C98 6C98 5622 5622 7530 1AF4 6C98 1388 7530 74CC'
cp "$root/examples/canais.dvb" "$folder/"
cp "$root/examples/canais.dvb" "$work/expected.dvb"
record=0
for rate in $rates; do
    high=${rate%??} low=${rate#??}
    printf "\\$(printf %o "0x$high")\\$(printf %o "0x$low")" |
        dd of="$work/expected.dvb" bs=1 seek=$((record * 64 + 10)) conv=notrunc status=none
    record=$((record + 1))
done

case $arch in
    x86) wine="$root/cmake/wine-run.sh -32" cxx=i686-w64-mingw32-g++ ;;
    *) wine="$root/cmake/wine-run.sh" cxx=x86_64-w64-mingw32-g++ ;;
esac
prefix=$build/wineprefix
# The prefix's wineserver is ended on every way out, before Xvfb goes.
trap 'WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
# The prefix is made once (about 20 s when new), outside the programs' time limit.
timeout 300 $wine "$prefix" wineboot ||
    fail "the Wine prefix $prefix was not ready within 300 s (status $?; 124: the time ran out)"
# Wine's own processes (services, devices, the desktop...) start with a session and write to the
# standard error of the program that began it, so a crash of one of them would read as the
# converter's. One session, kept up by a persistent server and begun here, holds them all.
WINEPREFIX=$prefix timeout 60 /usr/lib/wine/wineserver -w || fail "the Wine server of $prefix did not end within 60 s"
WINEPREFIX=$prefix /usr/lib/wine/wineserver -p
timeout 300 $wine "$prefix" wineboot || fail "Wine's session in $prefix did not start within 300 s (status $?)"
# The destination FILE that WHO wrote must be the expected one; else the first record that is not.
same_records() {
    differ=$(cmp "$work/expected.dvb" "$1" 2>&1) && return 0
    byte=$(echo "$differ" | sed -n 's/.* byte \([0-9]*\),.*/\1/p')
    fail "$2 wrote other records: $differ${byte:+ (record $(((byte - 1) / 64 + 1)))}"
}
# A status other than 0 (the program's, or Wine's when it cannot start it) is noted in
# $work/status, as is a run stopped after 180 s (the window driver gives up sooner, saying why).
run() {
    timeout 180 $wine "$prefix" "$@" && return
    status=$?
    if [ "$status" = 124 ]; then
        echo "stopped: still running after 180 s" >>"$work/status"
    else
        echo "exit status $status" >>"$work/status"
    fi
}

# The converter, from a command prompt in its folder; to files, its lines end with CR LF.
(cd "$folder" && run ravelo-convert.exe canais.dvb "canais convertido.dvb") >"$work/out" 2>"$work/err"
[ ! -f "$work/status" ] && [ "$(cat "$work/err")" = "Concluído com sucesso.$cr" ] &&
    printf '%s\nContagem de SR convertidos: 5\n' "$rows" | sed "s/\$/$cr/" | cmp -s - "$work/out" || fail "ravelo-convert.exe: $(cat "$work/status" "$work/err" "$work/out" 2>/dev/null)"
same_records "$folder/canais convertido.dvb" ravelo-convert.exe

# The window, with both paths typed in and "Converter" clicked.
driver=$build/window-driver.exe
if [ ! -f "$driver" ] || [ "$root/bench/window-driver.cpp" -nt "$driver" ]; then
    # Our code: warnings are errors when CI asks (RAVELO_WERROR), as in the presets' builds.
    case ${RAVELO_WERROR:-} in ON | on | 1 | TRUE | true | YES | yes) werror=-Werror ;; *) werror= ;; esac
    $cxx -O2 -static -municode -Wall -Wextra -Wpedantic $werror -o "$driver" "$root/bench/window-driver.cpp"
fi
run "$driver" --rows "$folder/Ravelo.exe" "$folder" "$folder/canais.dvb" "$folder/canais janela.dvb" >"$work/out" 2>"$work/err"
[ ! -f "$work/status" ] && [ "$(tr -d '\r' <"$work/out")" = "$rows
5" ] || fail "Ravelo.exe: $(cat "$work/status" "$work/err" "$work/out" 2>/dev/null)"
same_records "$folder/canais janela.dvb" Ravelo.exe
echo "check-dist: $name: unpacked, its texts and both programs checked"
