#!/usr/bin/env python3
"""Draws the program's icon (a rising double chevron on a blue tile) at several sizes into one .ico."""
import struct
import sys


def inside_tile(x, y, r):
    # Rounded square covering [0, 1] with corner radius r.
    cx = min(max(x, r), 1 - r)
    cy = min(max(y, r), 1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_chevron(x, y, top, thickness):
    # An upward chevron whose apex is at (0.5, top), arms going down at 45 degrees.
    dx = abs(x - 0.5)
    return dx <= 0.30 and top + dx <= y <= top + dx + thickness


def pixel(x, y):
    if not inside_tile(x, y, 0.18):
        return None
    t = y
    top = (0x1E, 0x3A, 0x8A)
    bottom = (0x38, 0xBD, 0xF8)
    color = tuple(int(a + (b - a) * t) for a, b in zip(top, bottom))
    if inside_chevron(x, y, 0.20, 0.16) or inside_chevron(x, y, 0.46, 0.16):
        color = (0xFF, 0xFF, 0xFF)
    return color


def render(size, samples=4):
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = pixel((px + (sx + 0.5) / samples) / size, (py + (sy + 0.5) / samples) / size)
                    if c is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            n = samples * samples
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[0] // hits, acc[1] // hits, acc[2] // hits, 255 * hits // n))
        rows.append(row)
    return rows


def dib(size):
    rows = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + bytes(mask)


def main(path):
    sizes = [16, 24, 32, 48, 64]
    images = [dib(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1])
