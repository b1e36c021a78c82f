#!/usr/bin/env python3
"""Draws the toolkit's own images and writes them as PNG files.

default_skin.body  the glyph sheet that controls cut their small pictures from, stored without the
                   8-byte PNG signature (the image loader puts it back). Cells of 12 x 12, left to
                   right: close, maximise, restore, minimise, menu, drop-down arrow, check mark,
                   submenu arrow. White glyphs with a faint dark rim so they read on any background.

Run:  python3 make_images.py [output-dir]    (default: the folder of this script)
With --png the sheet is also written with its signature, for looking at it.
"""
import os
import struct
import sys
import zlib

CELL = 12
GLYPHS = ["close", "maximise", "restore", "minimise", "menu", "dropdown", "check", "submenu"]
SUPER = 4  # supersampling factor for smooth edges


def png_bytes(width, height, rgba_rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(row) for row in rgba_rows)
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    cx, cy = ax + t * dx, ay + t * dy
    return ((px - cx) ** 2 + (py - cy) ** 2) ** 0.5


def glyph_segments(name):
    """Line segments (cell coordinates 0..12) and their half width."""
    if name == "close":
        return [(3, 3, 9, 9), (9, 3, 3, 9)], 0.75
    if name == "maximise":
        return [(2.5, 2.5, 9.5, 2.5), (2.5, 3.5, 9.5, 3.5), (9.5, 2.5, 9.5, 9.5),
                (9.5, 9.5, 2.5, 9.5), (2.5, 9.5, 2.5, 2.5)], 0.5
    if name == "restore":
        return [(4.5, 2.5, 9.5, 2.5), (9.5, 2.5, 9.5, 7.5), (2.5, 4.5, 7.5, 4.5),
                (7.5, 4.5, 7.5, 9.5), (7.5, 9.5, 2.5, 9.5), (2.5, 9.5, 2.5, 4.5)], 0.5
    if name == "minimise":
        return [(2.5, 8.5, 9.5, 8.5)], 0.75
    if name == "menu":
        return [(2.5, 3.5, 9.5, 3.5), (2.5, 6, 9.5, 6), (2.5, 8.5, 9.5, 8.5)], 0.6
    if name == "dropdown":
        return [(2.5, 4.5, 6, 8), (6, 8, 9.5, 4.5)], 0.8
    if name == "check":
        return [(2.5, 6, 5, 8.5), (5, 8.5, 9.5, 3)], 0.8
    if name == "submenu":
        return [(4.5, 2.5, 8, 6), (8, 6, 4.5, 9.5)], 0.8
    raise ValueError(name)


def coverage(name, x, y, grow):
    segments, half = glyph_segments(name)
    hits = 0
    for sy in range(SUPER):
        for sx in range(SUPER):
            px, py = x + (sx + 0.5) / SUPER, y + (sy + 0.5) / SUPER
            if any(segment_distance(px, py, *s) <= half + grow for s in segments):
                hits += 1
    return hits / (SUPER * SUPER)


def draw_sheet():
    width, height = CELL * len(GLYPHS), CELL
    rows = [[0] * (width * 4) for _ in range(height)]
    for index, name in enumerate(GLYPHS):
        for y in range(CELL):
            for x in range(CELL):
                body = coverage(name, x, y, 0.0)
                rim = coverage(name, x, y, 1.0)
                # White body over a dark rim: composite "over" by hand.
                rim_alpha = rim * 0.35 * (1 - body)
                alpha = body + rim_alpha
                grey = 0 if alpha == 0 else round(255 * body / alpha)
                offset = (index * CELL + x) * 4
                rows[y][offset:offset + 4] = [grey, grey, grey, round(255 * alpha)]
    return width, height, rows


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    out_dir = args[0] if args else os.path.dirname(os.path.abspath(__file__))
    data = png_bytes(*draw_sheet())
    with open(os.path.join(out_dir, "default_skin.body"), "wb") as f:
        f.write(data[8:])
    if "--png" in sys.argv:
        with open(os.path.join(out_dir, "default_skin.png"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
