#!/usr/bin/env python3
"""Turns a picture drawn as text (the format of TextBitmap.py) into a one-image icon file.

Pixels drawn with "." are transparent: the icon's mask leaves them out, and their colour is
black, since the system XORs the colour image onto what the mask keeps of the screen."""
import struct
import sys

from TextBitmap import bmp_bytes, read_picture


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


def ico_bytes(palette, rows):
    width, height = len(rows[0]), len(rows)
    if "." in palette:
        palette = {**palette, ".": 0x000000}
    dib = bytearray(bmp_bytes(palette, rows)[14:])  # the BMP without its file header
    struct.pack_into("<i", dib, 8, height * 2)  # an icon's height counts the mask too
    image = bytes(dib) + mask_bytes(rows)
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width, height, 16, 0, 1, 4, len(image), 6 + 16)
    return header + entry + image


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: TextIcon.py picture.txt picture.ico")
    with open(sys.argv[2], "wb") as out:
        out.write(ico_bytes(*read_picture(sys.argv[1])))
