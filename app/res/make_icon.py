#!/usr/bin/env python3
"""Draws the program icon and writes NameGen.ico beside this script.

The picture (a person behind a magnifying glass) is built from a few simple
shapes given as signed distance functions in pixel units, so every size is
drawn afresh rather than scaled from a bitmap. Each pixel is sampled on a
4 x 4 grid: it is opaque when at least half its samples hit a shape, and its
colour is the mean of those samples. The colours are then put into one
256-entry palette shared by all sizes. Standard library only; run it again
after changing the picture and commit the new .ico.
"""

import math
import os
import struct

SIZES = (16, 32, 48)
SUB = 4  # samples per pixel along each axis

TRANSPARENT = None
OUTLINE = (40, 40, 56)
HAIR = (52, 36, 28)
FACE = (246, 156, 60)
BODY = (40, 96, 200)
LENS = (168, 220, 250)
LENS_ALPHA = 0.6  # how much of the lens colour covers what lies behind it
GLINT = (255, 255, 255)
RIM = (64, 72, 88)
HANDLE = (240, 136, 32)
HANDLE_DARK = (168, 84, 16)


def circle(px, py, cx, cy, r):
    return math.hypot(px - cx, py - cy) - r


def ellipse(px, py, cx, cy, rx, ry):
    # Scaled circle distance: exact enough for shapes this round.
    k = math.hypot((px - cx) / rx, (py - cy) / ry)
    return (k - 1.0) * min(rx, ry)


def capsule(px, py, ax, ay, bx, by, r):
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - ax - t * dx, py - ay - t * dy) - r


class Picture:
    """The shapes for one icon size; coordinates are fractions of the size."""

    def __init__(self, size):
        self.s = size
        # At 16 x 16 an outline would eat the shapes, so it is left out there;
        # rim and handle keep a minimum width so they still show.
        self.outline = 1.0 if size >= 32 else 0.0
        self.rim = max(1.0, size * 0.06)
        self.handle = max(1.5, size * 0.085)

    def at(self, f):
        return f * self.s

    def person(self, x, y):
        """Colour of the person at (x, y), or TRANSPARENT."""
        a = self.at
        body = ellipse(x, y, a(0.34), a(1.02), a(0.32), a(0.40))
        hair = circle(x, y, a(0.34), a(0.29), a(0.21))
        face = circle(x, y, a(0.34), a(0.36), a(0.17))
        fringe = ellipse(x, y, a(0.34), a(0.20), a(0.19), a(0.10))  # over the brow
        if fringe < 0 or (hair < 0 and face >= 0):
            return HAIR
        if face < 0:
            return FACE
        if body < 0:
            return BODY
        if min(body, hair, face) < self.outline:
            return OUTLINE
        return TRANSPARENT

    def glass(self, x, y, behind):
        """Colour with the magnifying glass drawn over `behind`."""
        a = self.at
        cx, cy, r = a(0.64), a(0.61), a(0.23)
        lens = circle(x, y, cx, cy, r)
        d = math.sqrt(0.5)
        hx, hy = cx + (r + self.rim / 2) * d, cy + (r + self.rim / 2) * d
        end = a(0.94)
        handle = capsule(x, y, hx, hy, end, end, self.handle)
        if handle < 0 and lens > 0:
            # The lower side of the handle is darker, so it reads as round.
            side = (x - hx) - (y - hy)
            return HANDLE_DARK if side < -self.handle * 0.3 else HANDLE
        if abs(lens) < self.rim / 2 + (0.0 if lens < 0 else self.outline * 0.5):
            return RIM
        if lens < 0:
            # A short bright arc at the upper left; too small to draw at 16.
            angle = math.degrees(math.atan2(y - cy, x - cx))
            glint = abs(circle(x, y, cx, cy, r * 0.66)) - max(0.5, r * 0.08)
            if self.s >= 32 and glint < 0 and -165 < angle < -105:
                return GLINT
            # The lens is opaque: where nothing lies behind it, it tints white.
            base = behind if behind is not TRANSPARENT else (255, 255, 255)
            return tuple(round(b + (l - b) * LENS_ALPHA) for b, l in zip(base, LENS))
        if handle < self.outline:
            return OUTLINE
        return behind

    def sample(self, x, y):
        return self.glass(x, y, self.person(x, y))

    def render(self):
        """Rows of (r, g, b) or TRANSPARENT, top row first."""
        rows = []
        n = SUB * SUB
        for py in range(self.s):
            row = []
            for px in range(self.s):
                hits = []
                for j in range(SUB):
                    for i in range(SUB):
                        c = self.sample(px + (i + 0.5) / SUB, py + (j + 0.5) / SUB)
                        if c is not TRANSPARENT:
                            hits.append(c)
                if 2 * len(hits) < n:
                    row.append(TRANSPARENT)
                else:
                    row.append(tuple(round(sum(ch) / len(hits)) for ch in zip(*hits)))
            rows.append(row)
        return rows


def build_palette(images):
    """One palette for all images: black first (under transparent pixels), then
    the colours in use, rounded ever more coarsely until they fit in 256."""
    step = 1
    while True:
        def snap(c):
            return tuple(min(255, round(v / step) * step) for v in c)
        colours = sorted({snap(c) for rows in images for row in rows for c in row
                          if c is not TRANSPARENT} - {(0, 0, 0)})
        if len(colours) <= 255:
            palette = [(0, 0, 0)] + colours
            index = {c: i for i, c in enumerate(palette)}
            return palette, lambda c: index[snap(c)]
        step *= 2


def icon_image(rows, palette, lookup):
    size = len(rows)
    xor_stride = (size + 3) & ~3
    and_stride = (size + 31) // 32 * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # DIB rows run bottom-up
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, c in enumerate(row):
            if c is TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                line[x] = lookup(c)
        xor += line
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 8, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    colours += bytes(4 * (256 - len(palette)))
    return header + colours + bytes(xor) + bytes(mask)


def make_ico():
    images = [Picture(s).render() for s in SIZES]
    palette, lookup = build_palette(images)
    blobs = [icon_image(rows, palette, lookup) for rows in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = len(out) + 16 * len(blobs)
    for size, blob in zip(SIZES, blobs):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


if __name__ == "__main__":
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "NameGen.ico")
    with open(path, "wb") as f:
        f.write(make_ico())
