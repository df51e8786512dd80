#!/usr/bin/env python3
"""Writes the window benchmark's three cases into FOLDER/<case>/ (canais.dvb
and RAVELO.INI each):
  typical  2,000 records over 8 rates, 3 of them replaced
  16MiB    262,144 records over the same 8 rates (98,304 records replaced)
  rates    5,000 records, 5,000 different rates, none replaced (5,000 rows)"""
import pathlib
import struct
import sys

RATES = [27500, 22000, 30000, 29900, 6111, 5000, 28800, 4340]
REPLACED = "".join(f"SRD: {rate} > {rate + 1}\n" for rate in RATES[:3])
CASES = {
    "typical": ([RATES[n % 8] for n in range(2_000)], REPLACED),
    "16MiB": ([RATES[n % 8] for n in range(262_144)], REPLACED),
    "rates": ([n + 1 for n in range(5_000)], "SRD: 60000 > 60001\n"),
}


def main():
    head, tail = bytes(range(10)), bytes(range(12, 64))
    for name, (rates, settings) in CASES.items():
        folder = pathlib.Path(sys.argv[1]) / name
        folder.mkdir(parents=True, exist_ok=True)
        (folder / "canais.dvb").write_bytes(b"".join(head + struct.pack(">H", r) + tail for r in rates))
        (folder / "RAVELO.INI").write_text(settings)


if __name__ == "__main__":
    main()
