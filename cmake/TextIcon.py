#!/usr/bin/env python3
"""Turns pictures drawn as text (the format of TextBitmap.py) into one icon file, an image a
picture: TextIcon.py icon.ico picture.txt...

Pixels drawn with "." are transparent. Pictures up to 48 pixels wide become 4-bit images with
a mask; there the transparent pixels are black, since the system XORs the colour image onto
what the mask keeps of the screen. A picture drawn at 64 pixels becomes the 256-pixel image
that Explorer shows for large icons, each pixel a 4 x 4 square, stored as PNG: the form that
Windows takes for that size, and a few kilobytes where a bitmap would take 270."""
import struct
import sys
import zlib

from TextBitmap import bmp_bytes, read_picture

LARGE_DRAWN, LARGE_SCALE = 64, 4


def mask_bytes(rows):
    width = len(rows[0])
    stride = (width + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, char in enumerate(row):
            if char == ".":
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return bytes(mask)


def bmp_image(palette, rows):
    if "." in palette:
        palette = {**palette, ".": 0x000000}
    dib = bytearray(bmp_bytes(palette, rows)[14:])  # the BMP without its file header
    struct.pack_into("<i", dib, 8, len(rows) * 2)  # an icon's height counts the mask too
    return bytes(dib) + mask_bytes(rows), 4


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_image(palette, rows, scale):
    def rgba(char):
        colour = palette[char]
        return bytes((colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF, 0 if char == "." else 255))

    lines = bytearray()
    for row in rows:
        line = b"\0" + b"".join(rgba(char) * scale for char in row)  # filter type 0: none
        lines += line * scale
    size = len(rows[0]) * scale
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
            png_chunk(b"IDAT", zlib.compress(bytes(lines), 9)) + png_chunk(b"IEND", b"")), 32


def ico_bytes(pictures):
    images = []
    for palette, rows in pictures:
        size = len(rows[0])
        if size == LARGE_DRAWN:
            data, bits = png_image(palette, rows, LARGE_SCALE)
            size *= LARGE_SCALE
        else:
            data, bits = bmp_image(palette, rows)
        images.append((size, bits, data))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, bits, data in images:
        side = size % 256  # 0 stands for 256
        colours = 16 if bits == 4 else 0
        directory += struct.pack("<BBBBHHII", side, side, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    return directory + b"".join(data for _, _, data in images)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: TextIcon.py icon.ico picture.txt...")
    pictures = [read_picture(path) for path in sys.argv[2:]]
    for path, (_, rows) in zip(sys.argv[2:], pictures):
        if len(rows) != len(rows[0]) or len(rows) > 48 and len(rows) != LARGE_DRAWN:
            sys.exit(f"{path}: an icon is square, at most 48 pixels or drawn at {LARGE_DRAWN}")
    with open(sys.argv[1], "wb") as out:
        out.write(ico_bytes(pictures))
