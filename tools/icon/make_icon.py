#!/usr/bin/env python3
"""Draws the program's icon, a folder with a padlock, and writes it as one
.ico file with seven images: 48, 32 and 16 px in 256 colours (8-bit palette
with an AND mask) and 128, 48, 32 and 16 px in 32-bit colour with alpha.

Standard library only; the output is deterministic."""
import struct
import sys

SS = 4  # supersampling per axis


def rounded_rect(px, py, x0, y0, x1, y1, r):
    if px < x0 or px > x1 or py < y0 or py > y1:
        return False
    cx = min(max(px, x0 + r), x1 - r)
    cy = min(max(py, y0 + r), y1 - r)
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def ring(px, py, cx, cy, r_out, r_in):
    d = (px - cx) ** 2 + (py - cy) ** 2
    return r_in * r_in <= d <= r_out * r_out and py <= cy


# Shapes in a 0..1 square, painted back to front: (test, colour)
def shapes():
    return [
        (lambda x, y: rounded_rect(x, y, 0.06, 0.16, 0.50, 0.34, 0.05), (0xC8, 0x8A, 0x1E)),   # tab
        (lambda x, y: rounded_rect(x, y, 0.06, 0.24, 0.94, 0.86, 0.06), (0xD9, 0x9A, 0x2B)),   # back
        (lambda x, y: rounded_rect(x, y, 0.06, 0.34, 0.94, 0.86, 0.06), (0xF2, 0xBE, 0x4A)),   # front
        (lambda x, y: ring(x, y, 0.64, 0.58, 0.17, 0.10), (0x4A, 0x55, 0x63)),                 # shackle
        (lambda x, y: rounded_rect(x, y, 0.44, 0.56, 0.84, 0.90, 0.04), (0x36, 0x3F, 0x4B)),   # lock body
        (lambda x, y: (x - 0.64) ** 2 + (y - 0.70) ** 2 <= 0.045 ** 2, (0xF2, 0xBE, 0x4A)),    # keyhole
        (lambda x, y: rounded_rect(x, y, 0.625, 0.70, 0.655, 0.82, 0.01), (0xF2, 0xBE, 0x4A)),
    ]


def render(size):
    """Rows top to bottom of (r, g, b, a)."""
    sh = shapes()
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            acc = [0, 0, 0, 0]
            for sj in range(SS):
                for si in range(SS):
                    x = (i + (si + 0.5) / SS) / size
                    y = (j + (sj + 0.5) / SS) / size
                    colour = None
                    for test, c in sh:
                        if test(x, y):
                            colour = c
                    if colour:
                        acc[0] += colour[0]; acc[1] += colour[1]; acc[2] += colour[2]; acc[3] += 255
            n = SS * SS
            a = acc[3] // n
            if a:
                row.append((acc[0] * 255 // acc[3], acc[1] * 255 // acc[3], acc[2] * 255 // acc[3], a))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def palette():
    """6x6x6 colour cube plus greys: 256 entries (the first is black)."""
    pal = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    pal += [(v * 255 // 39, v * 255 // 39, v * 255 // 39) for v in range(40)]
    return pal[:256]


def nearest(pal, c):
    best, bi = None, 0
    for k, p in enumerate(pal):
        d = (p[0] - c[0]) ** 2 + (p[1] - c[1]) ** 2 + (p[2] - c[2]) ** 2
        if best is None or d < best:
            best, bi = d, k
    return bi


def mask_rows(rows, size):
    stride = ((size + 31) // 32) * 4
    out = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for i, px in enumerate(row):
            if px[3] < 128:
                bits[i // 8] |= 0x80 >> (i % 8)
        out += bytes(bits)
    return out


def bmp_32(rows, size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    return header + pixels + mask_rows(rows, size)


def bmp_8(rows, size, pal):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in pal)
    cache = {}
    stride = (size + 3) & ~3
    data = b""
    for row in reversed(rows):
        line = bytearray(stride)
        for i, px in enumerate(row):
            if px[3] >= 128:
                key = px[:3]
                if key not in cache:
                    cache[key] = nearest(pal, key)
                line[i] = cache[key]
        data += bytes(line)
    return header + table + data + mask_rows(rows, size)


def main(out_path):
    pal = palette()
    images = []
    for size in (48, 32, 16):
        images.append((size, 8, bmp_8(render(size), size, pal)))
    for size in (128, 48, 32, 16):
        images.append((size, 32, bmp_32(render(size), size)))
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for size, bpp, blob in images:
        colours = 0  # 0 = 256 or more
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
        blobs += blob
    with open(out_path, "wb") as f:
        f.write(head + entries + blobs)


if __name__ == "__main__":
    main(sys.argv[1])
