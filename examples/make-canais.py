#!/usr/bin/env python3
"""Writes canais.dvb, the example channel file: 64-byte records with the
symbol rate at bytes 10-11 (big-endian) and made-up channel data around it."""
import pathlib
import struct

# (name, frequency in MHz, symbol rate in kS/s)
CHANNELS = [
    ("RTP 1", 11778, 27500),
    ("RTP 2", 11778, 27500),
    ("SIC", 12073, 22000),
    ("TVI", 12073, 22000),
    ("Canal Q", 10949, 30000),
    ("Porto Canal", 11385, 6900),
    ("Euronews", 12226, 27500),
    ("Canal Local", 10721, 5000),
    ("Radio Sul", 11595, 30000),
    ("Teste", 12640, 29900),
]


def record(number, name, frequency, rate):
    head = struct.pack(">HIHH", number, frequency * 1000, 0x0101, 0)   # 10 bytes
    tail = name.encode("ascii").ljust(32, b"\0") + bytes(range(20))     # 52 bytes
    return head + struct.pack(">H", rate) + tail


def main():
    data = b"".join(record(i + 1, *c) for i, c in enumerate(CHANNELS))
    assert len(data) == 64 * len(CHANNELS)
    pathlib.Path(__file__).with_name("canais.dvb").write_bytes(data)


if __name__ == "__main__":
    main()
