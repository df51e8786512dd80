#!/bin/sh
# kill -9 at random moments of conversions: after each, the destination must be
# the old file or the whole new conversion, and nothing but the run's hidden new
# file (.out.dvb.ravelo-XXXXXX, removed here) may be beside it.
# Usage: bench/kill.sh [KILLS [MIB [CONVERTER]]]   (defaults: 300, 16, the native build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
kills=${1:-300}
mib=${2:-16}
converter=${3:-$root/build/native/cli/ravelo-convert}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
printf 'SRD: 1000 > 300\n' >RAVELO.INI
python3 - "$mib" <<'PY'
import sys
records = int(sys.argv[1]) * 1024 * 1024 // 64
record = bytearray(64)
record[10:12] = (1000).to_bytes(2, "big")
with open("in.dvb", "wb") as f:
    f.write(bytes(record) * records)
PY
"$converter" in.dvb whole.dvb >/dev/null 2>&1
start=$(date +%s%N)
"$converter" in.dvb out.dvb >/dev/null 2>&1
run=$((($(date +%s%N) - start) / 1000))  # microseconds
old=0 new=0 cut=0
i=0
while [ "$i" -lt "$kills" ]; do
    printf 'old' >out.dvb
    "$converter" in.dvb out.dvb >/dev/null 2>&1 &
    pid=$!
    sleep "$(awk -v r="$run" -v s="$i" 'BEGIN { srand(s); printf "%.6f", rand() * r * 1.2 / 1000000 }')"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if cmp -s out.dvb whole.dvb; then new=$((new + 1))
    elif [ "$(cat out.dvb)" = old ]; then old=$((old + 1))
    else echo "kill $i: out.dvb is neither the old file nor the whole new one" >&2; exit 1; fi
    for f in .out.dvb.ravelo-*; do
        [ -e "$f" ] || continue
        rm -f "$f"
        cut=$((cut + 1))
    done
    extra=$(ls -A | grep -v -x -e RAVELO.INI -e in.dvb -e whole.dvb -e out.dvb || true)
    [ -z "$extra" ] || { echo "kill $i: left beside it: $extra" >&2; exit 1; }
    i=$((i + 1))
done
echo "$kills kills over $mib MiB (a run takes $((run / 1000)) ms): old file $old, whole new file $new, new file left $cut times"
