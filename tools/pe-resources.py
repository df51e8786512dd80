#!/usr/bin/env python3
"""pe-resources.py manifest|version PROGRAM.exe: prints a Windows program's embedded manifest, or
its version record as Explorer's Properties -> Details reads it:

    FileVersion 1.0.0.1
    ProductVersion 1.0.0.1
    StringFileInfo 081604B0
    FileDescription=...
    Translation 0816 04B0

Exits 1, with one line on standard error, when the program has no such resource. Reads the PE
file itself (resource directory, RT_MANIFEST 24, RT_VERSION 16), for x86 and x64 alike.
"""
import struct
import sys

RT_VERSION, RT_MANIFEST = 16, 24


class NotFound(Exception):
    pass


def resources(data, wanted_type):
    """The bytes of every resource of type wanted_type (all names, all languages)."""
    (pe,) = struct.unpack_from("<I", data, 0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        raise NotFound("not a Windows program")
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    (magic,) = struct.unpack_from("<H", data, optional)
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva, rsrc_size = struct.unpack_from("<II", data, directories + 2 * 8)
    if rsrc_size == 0:
        raise NotFound("no resources")

    def offset(rva):
        table = optional + optional_size
        for i in range(sections):
            size, start, raw_size, raw = struct.unpack_from("<IIII", data, table + i * 40 + 8)
            if start <= rva < start + max(size, raw_size):
                return raw + rva - start
        raise NotFound("a resource outside every section")

    base = offset(rsrc_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + numbered):
            ident, target = struct.unpack_from("<II", data, base + directory + 16 + i * 8)
            yield ident, target

    found = []
    for ident, names in entries(0):
        if ident != wanted_type or not names & 0x80000000:
            continue
        for _, languages in entries(names & 0x7FFFFFFF):
            for _, leaf in entries(languages & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", data, base + leaf)
                found.append(data[offset(rva):offset(rva) + size])
    if not found:
        raise NotFound("no resource of type %d" % wanted_type)
    return found


def version_lines(block):
    """VS_VERSIONINFO: the fixed versions, then each string table and translation."""
    lines = []

    def node(at, depth):
        length, value_length, is_text = struct.unpack_from("<HHH", block, at)
        end = block.index(b"\0\0", at + 6)
        while (end - at - 6) % 2:
            end = block.index(b"\0\0", end + 1)
        key = block[at + 6:end].decode("utf-16-le")
        value = (end + 2 + 3) & ~3
        value_bytes = value_length * 2 if is_text else value_length
        if depth == 0 and value_length >= 52:
            ms, ls, pms, pls = struct.unpack_from("<4I", block, value + 8)
            lines.append("FileVersion %d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF))
            lines.append("ProductVersion %d.%d.%d.%d" % (pms >> 16, pms & 0xFFFF, pls >> 16, pls & 0xFFFF))
        elif depth == 2 and key == "Translation":
            for i in range(0, value_bytes, 4):
                lines.append("Translation %04X %04X" % struct.unpack_from("<HH", block, value + i))
        elif depth == 2:
            lines.append("StringFileInfo " + key)
        elif depth == 3:
            text = block[value:value + value_bytes].decode("utf-16-le").rstrip("\0")
            lines.append("%s=%s" % (key, text))
        child = (value + value_bytes + 3) & ~3
        while child < at + length:
            child = (child + node(child, depth + 1) + 3) & ~3
        return length

    node(0, 0)
    return lines


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("manifest", "version"):
        sys.exit("usage: pe-resources.py manifest|version PROGRAM.exe")
    what, program = sys.argv[1:]
    try:
        with open(program, "rb") as f:
            data = f.read()
        if what == "manifest":
            for manifest in resources(data, RT_MANIFEST):
                sys.stdout.write(manifest.decode("utf-8"))
        else:
            for block in resources(data, RT_VERSION):
                print("\n".join(version_lines(block)))
    except (NotFound, OSError, struct.error, ValueError) as problem:
        sys.exit("%s: no %s: %s" % (program, "manifest" if what == "manifest" else "version record", problem))


main()
