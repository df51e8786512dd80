#!/usr/bin/env python3
"""Draws Ravelo.ico: a blue channel list (three record bars) with a yellow
arrow that rewrites it. Two 16-colour images, 32x32 and 16x16, with masks,
for the classic look of old Windows; and the same picture, smoothed, in 32-bit
colour with alpha at every size Windows asks for (16 to 256; 256 as PNG).
Run: python3 res/draw_icon.py res/Ravelo.ico"""
import struct
import sys
import zlib

# The standard 16-colour palette (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, YELLOW, BLUE, WHITE = 0, 4, 8, 11, 12, 15


def draw(size):
    """Returns rows (top first) of palette indexes, None for transparent."""
    s = size / 32.0
    px = [[None] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y1 * s), int(y0 * s) + 1)):
            for x in range(int(x0 * s), max(int(x1 * s), int(x0 * s) + 1)):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = colour

    # The channel file: a sheet with a dark edge and three record bars.
    rect(3, 2, 25, 30, BLACK)
    rect(4, 3, 24, 29, BLUE)
    for top in (6, 13, 20):
        rect(7, top, 21, top + 4, WHITE)
        rect(16, top + 1, 20, top + 3, NAVY)  # the symbol-rate field
    # The arrow that rewrites the rates.
    rect(20, 15, 28, 19, YELLOW)
    for i in range(5):
        rect(26 + i * 0.8, 11 + i, 27 + i * 0.8, 23 - i, YELLOW)
    rect(20, 19, 28, 20, GREY)
    return px


# The picture in the 32-unit grid of draw(), painted in order: rectangles
# (x0, y0, x1, y1) and the arrow's head as a triangle, as draw() approximates it.
SHAPES = [("rect", (3, 2, 25, 30), BLACK), ("rect", (4, 3, 24, 29), BLUE)]
for _top in (6, 13, 20):
    SHAPES += [("rect", (7, _top, 21, _top + 4), WHITE), ("rect", (16, _top + 1, 20, _top + 3), NAVY)]
SHAPES += [("rect", (20, 15, 28, 19), YELLOW), ("triangle", ((26, 11), (26, 23), (31, 17)), YELLOW),
           ("rect", (20, 19, 28, 20), GREY)]


def inside(shape, x, y):
    kind, c, _ = shape
    if kind == "rect":
        return c[0] <= x < c[2] and c[1] <= y < c[3]
    (ax, ay), (bx, by), (cx, cy) = c
    d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by)
    d2 = (x - cx) * (by - cy) - (bx - cx) * (y - cy)
    d3 = (x - ax) * (cy - ay) - (cx - ax) * (y - ay)
    return (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0)


def snapped(size):
    """SHAPES with the rectangles' edges on whole pixels (at least one wide), so bars stay sharp."""
    def edge(v):
        return round(v * size / 32.0) * 32.0 / size
    out = []
    for kind, c, colour in SHAPES:
        if kind == "rect":
            x0, y0 = edge(c[0]), edge(c[1])
            c = (x0, y0, max(edge(c[2]), x0 + 32.0 / size), max(edge(c[3]), y0 + 32.0 / size))
        out.append((kind, c, colour))
    return out


def draw_rgba(size, samples=4):
    """Rows (top first) of (r, g, b, a): each pixel the mean of samples x samples points."""
    shapes = snapped(size)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            r = g = b = n = 0
            for j in range(samples):
                for i in range(samples):
                    px = (x + (i + 0.5) / samples) * 32.0 / size
                    py = (y + (j + 0.5) / samples) * 32.0 / size
                    colour = None
                    for shape in shapes:
                        if inside(shape, px, py):
                            colour = shape[2]
                    if colour is not None:
                        cr, cg, cb = PALETTE[colour]
                        r, g, b, n = r + cr, g + cg, b + cb, n + 1
            row.append((r // n, g // n, b // n, 255 * n // samples ** 2) if n else (0, 0, 0, 0))
        rows.append(row)
    return rows


def rgba_image(size):
    """A 32-bit image with alpha; its mask marks the fully transparent pixels."""
    rows = draw_rgba(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(v for r, g, b, a in row for v in (b, g, r, a)) for row in reversed(rows))
    mask = b""
    for row in reversed(rows):
        bits = bytearray((size + 31) // 32 * 4)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def png_image(size):
    rows = draw_rgba(size)
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_image(size):
    px = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor_rows, and_rows = [], []
    for row in reversed(px):  # bottom-up
        nibbles = [c if c is not None else 0 for c in row]
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor_rows.append(data + b"\0" * (-len(data) % 4))
        bits = 0
        mask = bytearray()
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                mask.append(bits)
                bits = 0
        and_rows.append(bytes(mask) + b"\0" * (-len(mask) % 4))
    return header + palette + b"".join(xor_rows) + b"".join(and_rows)


def main(path):
    images = [(32, 4, icon_image(32)), (16, 4, icon_image(16))]
    images += [(size, 32, rgba_image(size)) for size in (16, 20, 24, 32, 40, 48, 64)]
    images.append((256, 32, png_image(256)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        colours = 16 if bits == 4 else 0
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, _, data in images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Ravelo.ico")
