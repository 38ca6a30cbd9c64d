#!/usr/bin/env python3
"""Writes the program's icon as PNG files for the page and its manifest,
from the one 32 x 32 artwork the desktop icons are drawn from: every size is
a whole-number enlargement (each pixel repeated), so the pixel art stays crisp.

Usage: make_icons.py ARTWORK.xpm OUT_DIR SIZE...   (writes OUT_DIR/icon-SIZE.png)
"""
import re
import struct
import sys
import zlib
from pathlib import Path


def read_xpm(path):
    strings = re.findall(r'"((?:[^"\\]|\\.)*)"', Path(path).read_text(encoding="utf-8"))
    width, height, colours, per_pixel = (int(v) for v in strings[0].split()[:4])
    palette = {}
    for entry in strings[1 : 1 + colours]:
        key, rest = entry[:per_pixel], entry[per_pixel:].split()
        value = rest[rest.index("c") + 1]
        palette[key] = None if value.lower() == "none" else bytes.fromhex(value.lstrip("#")) + b"\xff"
    rows = strings[1 + colours : 1 + colours + height]
    transparent = b"\0\0\0\0"
    return width, height, [
        [palette[row[x * per_pixel : (x + 1) * per_pixel]] or transparent for x in range(width)]
        for row in rows
    ]


def png(width, height, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + b"".join(row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    artwork, out, sizes = sys.argv[1], Path(sys.argv[2]), [int(s) for s in sys.argv[3:]]
    width, height, pixels = read_xpm(artwork)
    out.mkdir(parents=True, exist_ok=True)
    for size in sizes:
        if size % width or size % height:
            sys.exit(f"icon size {size} is not a whole enlargement of {width} x {height}")
        f = size // width
        rows = [[p for p in row for _ in range(f)] for row in pixels for _ in range(f)]
        (out / f"icon-{size}.png").write_bytes(png(size, size, rows))


if __name__ == "__main__":
    main()
