#!/bin/sh
# Times ravelo-convert against dd bs=64 (one read and one write per record)
# and cp (the floor for any copy) on two 16 MiB channel files, a typical one and
# one with about 56,500 rows, natively and, when wine64 is installed,
# ravelo-convert.exe under wine64 (a prefix of its own). The commands take
# turns, run by run; the table gives medians.
# Usage: bench/run.sh [RUNS]   (from anywhere; builds if needed)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
converter=$root/build/native/cli/ravelo-convert
if [ ! -x "$converter" ]; then
    (cd "$root" && cmake --preset native >/dev/null && cmake --build --preset native --target ravelo-convert)
fi
wine=/usr/lib/wine/wine64
windows_converter=$root/build/windows-x64/cli/ravelo-convert.exe
if [ -x "$wine" ] && [ ! -f "$windows_converter" ]; then
    (cd "$root" && cmake --preset windows-x64 >/dev/null && cmake --build --preset windows-x64 --target ravelo-convert)
fi
export WINEPREFIX="$root/build/bench/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
trap 'if [ -x "$wine" ]; then /usr/lib/wine/wineserver -k 2>/dev/null || true; fi; rm -rf "$work"' EXIT
python3 "$root/bench/make-bench-input.py" "$work"
cd "$work"

echo "Input: $(stat -c %s canais.dvb) bytes, $(($(stat -c %s canais.dvb) / 64)) records"
# How the converter reaches the disk.
if command -v strace >/dev/null 2>&1; then
    strace -c -o syscalls.txt "$converter" canais.dvb out.dvb >/dev/null 2>&1
    echo "System calls of one conversion (strace -c):"
    awk 'NR > 2 && $NF ~ /^(read|write|lseek|fstat|newfstatat|openat|close)$/ { printf "  %-10s %s\n", $NF, $4 }' syscalls.txt
fi

set -- ravelo-convert "$converter canais.dvb out-ravelo.dvb" \
    "ravelo-convert, many rows" "$converter taxas.dvb out-rows.dvb"
if [ -x "$wine" ]; then
    # One wine server for all runs, as on a desktop where Wine is already up.
    "$root/cmake/wine-run.sh" "$WINEPREFIX" cmd /c exit >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w
    /usr/lib/wine/wineserver -p
    set -- "$@" "ravelo-convert.exe (wine64)" "$wine $windows_converter canais.dvb out-wine.dvb" \
        "ravelo-convert.exe, many rows" "$wine $windows_converter taxas.dvb out-wine-rows.dvb"
fi
rows=$("$converter" taxas.dvb out-rows.dvb 2>/dev/null | wc -l)
echo "taxas.dvb: $((rows - 1)) rows listed"
python3 "$root/bench/time-alternating.py" 3 "$runs" times.json "$@" \
    "dd bs=64" "dd if=canais.dvb of=out-dd.dvb bs=64 status=none" \
    cp "cp canais.dvb out-cp.dvb"

# A sparse source of 2^30 + 64 bytes, whose length a float rounds down to 2^30:
# the last record must still be copied.
truncate -s $((1073741824 + 64)) large.dvb
start=$(date +%s.%N)
"$converter" large.dvb out-large.dvb >/dev/null 2>&1 || { echo "1 GiB + 64: the conversion failed" >&2; exit 1; }
[ "$(stat -c %s out-large.dvb)" -eq $((1073741824 + 64)) ] || { echo "1 GiB + 64: the last record is missing" >&2; exit 1; }
echo "1 GiB + 64 bytes, sparse source: every record copied in $(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }') s"
rm -f large.dvb out-large.dvb

python3 - times.json <<'PY'
import json, statistics, sys
median = {name: statistics.median(t) for name, t in json.load(open(sys.argv[1])).items()}
dd, cp = median["dd bs=64"], median["cp"]
print(f"{'command':<32}{'median ms':>10}{'vs dd bs=64':>13}{'vs cp':>9}")
for name in median:
    print(f"{name:<32}{median[name] * 1000:>10.1f}{median[name] / dd:>12.2f}x{median[name] / cp:>8.2f}x")
for name, goal in (("ravelo-convert", 1.5), ("ravelo-convert, many rows", 3)):
    ratio = median[name] / cp
    print(f"Goal: {name} within {goal}x of cp -> {ratio:.2f}x, {'met' if ratio <= goal else 'MISSED'}")
PY
