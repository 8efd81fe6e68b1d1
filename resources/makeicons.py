#!/usr/bin/env python3
"""Draws the editor's 16x16 tool-bar icons as PNG files next to this script,
and the application icon again at 48x48 (PNG) and as SVG for the desktop.

Run it again after changing a drawing; the files are committed so the build
needs no Python.
"""
import os
import struct
import zlib

SIZE = 16
CLEAR = (0, 0, 0, 0)


def canvas(size=SIZE):
    return [[CLEAR] * size for _ in range(size)]


def rect(img, x0, y0, x1, y1, colour):
    size = len(img)
    for y in range(max(0, y0), min(size, y1 + 1)):
        for x in range(max(0, x0), min(size, x1 + 1)):
            img[y][x] = colour


def frame(img, x0, y0, x1, y1, colour):
    rect(img, x0, y0, x1, y0, colour)
    rect(img, x0, y1, x1, y1, colour)
    rect(img, x0, y0, x0, y1, colour)
    rect(img, x1, y0, x1, y1, colour)


def disc(img, cx, cy, r, colour):
    size = len(img)
    for y in range(size):
        for x in range(size):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                img[y][x] = colour


def write_png(path, img):
    size = len(img)
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in img)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


# The application icon: a dish on a stand, facing up and right, on the
# 16-pixel grid. Discs are (centre x, centre y, radius), rects inclusive corners.
NAVY, SKY, GREY = (20, 40, 110, 255), (90, 160, 230, 255), (120, 120, 120, 255)
APP_SHAPES = [
    ("disc", (7, 8, 6), NAVY),
    ("disc", (8, 7, 4), SKY),
    ("rect", (11, 2, 13, 4), NAVY),
    ("rect", (6, 13, 9, 15), GREY),
]


def app_icon(scale=1):
    # Each grid pixel becomes scale x scale pixels; discs keep their centre.
    img = canvas(SIZE * scale)
    half = (scale - 1) / 2
    for kind, geometry, colour in APP_SHAPES:
        if kind == "disc":
            cx, cy, r = geometry
            disc(img, cx * scale + half, cy * scale + half, r * scale + half, colour)
        else:
            x0, y0, x1, y1 = geometry
            rect(img, x0 * scale, y0 * scale, x1 * scale + scale - 1, y1 * scale + scale - 1, colour)
    return img


def app_svg():
    def fill(colour):
        return "#%02x%02x%02x" % colour[:3]

    parts = []
    for kind, geometry, colour in APP_SHAPES:
        if kind == "disc":
            cx, cy, r = geometry
            parts.append('<circle cx="%g" cy="%g" r="%g" fill="%s"/>' % (cx + 0.5, cy + 0.5, r + 0.5, fill(colour)))
        else:
            x0, y0, x1, y1 = geometry
            parts.append('<rect x="%d" y="%d" width="%d" height="%d" fill="%s"/>'
                         % (x0, y0, x1 - x0 + 1, y1 - y0 + 1, fill(colour)))
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 16 16">\n  '
            + "\n  ".join(parts) + "\n</svg>\n")


def folder_icon():
    img = canvas()
    edge, body, tab = (150, 100, 10, 255), (240, 200, 80, 255), (220, 170, 50, 255)
    rect(img, 1, 3, 6, 5, tab)
    rect(img, 1, 5, 14, 13, body)
    frame(img, 1, 5, 14, 13, edge)
    return img


def disk_icon():
    img = canvas()
    shell, label, shutter = (30, 60, 140, 255), (235, 235, 235, 255), (160, 170, 180, 255)
    rect(img, 1, 1, 14, 14, shell)
    rect(img, 4, 1, 11, 5, shutter)
    rect(img, 3, 8, 12, 14, label)
    rect(img, 4, 10, 11, 10, shell)
    rect(img, 4, 12, 11, 12, shell)
    return img


def disk_as_icon():
    img = disk_icon()
    pen, tip = (200, 40, 40, 255), (40, 40, 40, 255)
    for i in range(6):
        rect(img, 9 + i - 1, 14 - i - 1, 9 + i, 14 - i, pen)
    img[15][8] = tip
    return img


def arrow_icon(mirrored):
    # A curved arrow: a hook running right then down, its head pointing left
    # (undo) or, mirrored, right (redo).
    img = canvas()
    ink = (40, 110, 60, 255)
    rect(img, 5, 4, 11, 5, ink)        # top of the curve
    rect(img, 12, 5, 13, 10, ink)      # the bend
    rect(img, 8, 10, 12, 11, ink)      # the tail
    for i in range(4):                  # the head at the top left
        rect(img, 5 - i, 4 - i, 5 - i, 5 + i, ink)
    if mirrored:
        img = [list(reversed(row)) for row in img]
    return img


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in (("Tavrin16x16.png", app_icon), ("open.png", folder_icon),
                       ("save.png", disk_icon), ("save as.png", disk_as_icon),
                       ("undo.png", lambda: arrow_icon(False)), ("redo.png", lambda: arrow_icon(True))):
        write_png(os.path.join(here, name), draw())
    write_png(os.path.join(here, "tavrin48x48.png"), app_icon(3))
    with open(os.path.join(here, "tavrin.svg"), "w") as f:
        f.write(app_svg())


if __name__ == "__main__":
    main()
