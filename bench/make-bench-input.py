#!/usr/bin/env python3
"""Writes the benchmark's input into FOLDER: canais.dvb, 262,144 records of
64 bytes (16 MiB), every other record with a rate that RAVELO.INI replaces,
and RAVELO.INI itself."""
import pathlib
import struct
import sys

RECORDS = 262_144
TABLE = [20_000 + 100 * i for i in range(100)]       # rates with a replacement
OTHERS = [1_000 + i for i in range(1_000)]           # rates without one


def main():
    folder = pathlib.Path(sys.argv[1])
    body = bytes(range(10)), bytes(range(12, 64))
    records = []
    for n in range(RECORDS):
        rate = TABLE[n // 2 % len(TABLE)] if n % 2 == 0 else OTHERS[n // 2 % len(OTHERS)]
        records.append(body[0] + struct.pack(">H", rate) + body[1])
    (folder / "canais.dvb").write_bytes(b"".join(records))
    lines = [f"SRD: {rate} > {rate + 50}\n" for rate in TABLE]
    (folder / "RAVELO.INI").write_text("; tabela do teste de velocidade\n" + "".join(lines))


if __name__ == "__main__":
    main()
