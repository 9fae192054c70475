#!/usr/bin/env python3
"""Turns a bitmap drawn as text into an uncompressed 4-bit BMP file.

The text file holds palette lines "C RRGGBB" (one character, its colour), a blank line, then
one line per pixel row, one character a pixel. Lines starting with "#" are comments."""
import struct
import sys


def read_picture(path):
    palette, rows, in_rows = {}, [], False
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line.startswith("#"):
                continue
            if not in_rows:
                if not line.strip():
                    in_rows = bool(palette)
                    continue
                char, colour = line.split()
                palette[char] = int(colour, 16)
            elif line:
                rows.append((number, line))
    if len(palette) > 16:
        sys.exit(f"{path}: more than 16 colours")
    if not rows or any(len(r) != len(rows[0][1]) for _, r in rows):
        sys.exit(f"{path}: the pixel rows must all have the same width")
    for number, row in rows:
        for char in row:
            if char not in palette:
                sys.exit(f"{path}:{number}: '{char}' is not in the palette")
    return palette, [r for _, r in rows]


def bmp_bytes(palette, rows):
    width, height = len(rows[0]), len(rows)
    index = {char: i for i, char in enumerate(palette)}
    colours = list(palette.values()) + [0] * (16 - len(palette))
    stride = (width * 4 + 31) // 32 * 4
    pixels = bytearray()
    for row in reversed(rows):  # BMP rows run bottom-up
        line = bytearray(stride)
        for x, char in enumerate(row):
            line[x // 2] |= index[char] << (0 if x % 2 else 4)
        pixels += line
    table = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, c >> 16, 0) for c in colours)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 3780, 3780, 16, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + table + pixels


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: TextBitmap.py picture.txt picture.bmp")
    with open(sys.argv[2], "wb") as out:
        out.write(bmp_bytes(*read_picture(sys.argv[1])))
