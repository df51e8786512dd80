#!/bin/sh
# Times the real window under wine64 on three channel files: from the click
# on "Converter" to the success message box, median of RUNS fresh starts.
# Usage: bench/window.sh [RUNS] [RAVELO_EXE]   (starts its own Xvfb if needed)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${RAVELO_BENCH_DISPLAY:-}" ]; then
    RAVELO_BENCH_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
runs=${1:-3}
exe=$(realpath "${2:-$root/build/windows-x64/ui/Ravelo.exe}")
if [ ! -f "$exe" ]; then
    (cd "$root" && cmake --preset windows-x64 >/dev/null && cmake --build --preset windows-x64 --target Ravelo)
fi
out=$root/build/bench
prefix=$out/wineprefix
mkdir -p "$out"
driver=$out/window-driver.exe
if [ ! -f "$driver" ] || [ "$root/bench/window-driver.cpp" -nt "$driver" ]; then
    x86_64-w64-mingw32-g++ -O2 -static -municode -o "$driver" "$root/bench/window-driver.cpp"
fi
work=$(mktemp -d)
trap 'WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
python3 "$root/bench/make-window-input.py" "$work"

echo "Ravelo.exe: $exe"
printf '%-44s %10s   %s\n' "file" "median s" "runs (s)"
for case in typical 16MiB rates; do
    times=""
    for _ in $(seq "$runs"); do
        rm -f "$work/$case/out.dvb"
        t=$("$root/cmake/wine-run.sh" "$prefix" "$driver" "$exe" "$work/$case" \
            "$work/$case/canais.dvb" "$work/$case/out.dvb")
        [ -n "$t" ] || { echo "window.sh: no time for $case" >&2; exit 1; }
        times="$times $t"
    done
    median=$(echo $times | tr ' ' '\n' | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
    case $case in
        typical) label="2,000 records, 8 rates, 3 replaced" ;;
        16MiB) label="16 MiB, 262,144 records, 98,304 replaced" ;;
        rates) label="5,000 records, 5,000 rates, 5,000 rows" ;;
    esac
    printf '%-44s %10s  %s\n' "$label" "$median" "$times"
done
