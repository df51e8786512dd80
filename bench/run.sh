#!/bin/sh
# Times ravelo-convert against dd bs=64 (one read and one write per record,
# the floor for this design) and cp (the floor for any copy) on a 16 MiB
# channel file. Usage: bench/run.sh [RUNS]   (from anywhere; builds if needed)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
converter=$root/build/native/cli/ravelo-convert
if [ ! -x "$converter" ]; then
    (cd "$root" && cmake --preset native >/dev/null && cmake --build --preset native --target ravelo-convert)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/bench/make-bench-input.py" "$work"
cd "$work"

echo "Input: $(stat -c %s canais.dvb) bytes, $(($(stat -c %s canais.dvb) / 64)) records"
# One read and one write per record, nothing else per record.
if command -v strace >/dev/null 2>&1; then
    strace -c -o syscalls.txt "$converter" canais.dvb out.dvb >/dev/null 2>&1
    echo "System calls of one conversion (strace -c):"
    awk 'NR > 2 && $NF ~ /^(read|write|lseek|fstat|newfstatat|openat|close)$/ { printf "  %-10s %s\n", $NF, $4 }' syscalls.txt
fi

hyperfine -N --warmup 3 --runs "$runs" --export-json times.json \
    -n ravelo-convert "$converter canais.dvb out-ravelo.dvb" \
    -n "dd bs=64" "dd if=canais.dvb of=out-dd.dvb bs=64 status=none" \
    -n cp "cp canais.dvb out-cp.dvb" >/dev/null

python3 - times.json <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
median = {name: r["median"] for name, r in results.items()}
dd = median["dd bs=64"]
print(f"{'command':<16}{'median ms':>10}{'vs dd bs=64':>13}{'vs cp':>9}")
for name in ("ravelo-convert", "dd bs=64", "cp"):
    print(f"{name:<16}{median[name] * 1000:>10.1f}{median[name] / dd:>12.2f}x"
          f"{median[name] / median['cp']:>8.1f}x")
ratio = median["ravelo-convert"] / dd
print(f"Goal: within 1.25x of dd bs=64 -> {ratio:.2f}x, {'met' if ratio <= 1.25 else 'MISSED'}")
PY
