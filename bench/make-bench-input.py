#!/usr/bin/env python3
"""Writes the benchmark's input into FOLDER, two files of 262,144 records of
64 bytes (16 MiB) each, and RAVELO.INI:
- canais.dvb: every other record with a rate that RAVELO.INI replaces, the
  others over 1,000 rates without a replacement (1,000 rows);
- taxas.dvb: the same, but the others carry random rates (about 56,500 rows,
  near the 65,536 that a file can have at most)."""
import pathlib
import random
import struct
import sys

RECORDS = 262_144
TABLE = [20_000 + 100 * i for i in range(100)]       # rates with a replacement
OTHERS = [1_000 + i for i in range(1_000)]           # rates without one


def write_channels(path, other_rate):
    body = bytes(range(10)), bytes(range(12, 64))
    records = []
    for n in range(RECORDS):
        rate = TABLE[n // 2 % len(TABLE)] if n % 2 == 0 else other_rate(n)
        records.append(body[0] + struct.pack(">H", rate) + body[1])
    path.write_bytes(b"".join(records))


def main():
    folder = pathlib.Path(sys.argv[1])
    write_channels(folder / "canais.dvb", lambda n: OTHERS[n // 2 % len(OTHERS)])
    rng = random.Random(14)
    write_channels(folder / "taxas.dvb", lambda n: rng.randrange(0x10000))
    lines = [f"SRD: {rate} > {rate + 50}\n" for rate in TABLE]
    (folder / "RAVELO.INI").write_text("; tabela do teste de velocidade\n" + "".join(lines))


if __name__ == "__main__":
    main()
