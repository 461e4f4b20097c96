#!/usr/bin/env python3
"""Generate Sendlark's toolbar strips and application icon.

Usage: make_art.py [output-folder]   (default: the folder of this script)

Every picture is described once on a design grid (16 x 16 for the toolbar,
32 x 32 for the icon) and rasterised directly at each target size, so the
larger toolbars stay crisp instead of being resampled from the small one.
Only the standard library is used and nothing depends on time or locale,
so the output is byte-for-byte reproducible.
"""
import math
import os
import struct
import sys

# Index 0 is black so that the transparent part of the icon's XOR image is
# black, as Windows expects.  Index 1 is the toolbar mask colour; the program
# draws it transparent, so no drawing may use it.
PALETTE = [
    ("black", (0, 0, 0)),
    ("mask", (192, 192, 192)),
    ("white", (255, 255, 255)),
    ("grey", (128, 128, 128)),
    ("light", (224, 224, 224)),
    ("dark", (64, 64, 64)),
    ("yellow", (255, 216, 0)),
    ("ochre", (200, 136, 0)),
    ("wood", (240, 196, 136)),
    ("pink", (240, 128, 160)),
    ("brown", (168, 100, 40)),
    ("darkbrown", (96, 56, 16)),
    ("blue", (0, 48, 200)),
    ("skyblue", (136, 200, 255)),
    ("navy", (0, 0, 96)),
    ("teal", (0, 136, 144)),
    ("darkteal", (0, 64, 72)),
    ("aqua", (128, 232, 224)),
    ("green", (64, 176, 80)),
    ("stone", (168, 168, 168)),
    ("shade", (104, 104, 104)),
]
C = {name: i for i, (name, _) in enumerate(PALETTE)}
MASK = C["mask"]
assert [rgb for _, rgb in PALETTE].count((192, 192, 192)) == 1


class Canvas:
    """A palette-indexed pixel grid, row 0 at the top."""

    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.px = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = colour


class Pen:
    """Draws on one square cell of a canvas using design-grid coordinates.

    Areas are sampled at pixel centres; rectangles and lines snap to whole
    pixels so thin strokes stay one (or two) pixels wide at every size.
    """

    def __init__(self, canvas, left, size, grid):
        self.cv, self.left, self.size = canvas, left, size
        self.s = size / grid

    def dot(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.cv.set(self.left + x, y, colour)

    def snap(self, v):
        return math.floor(v * self.s + 0.5)

    def stroke(self, units=1.0):
        """Stroke width in pixels for a width given in design units."""
        return max(1, math.floor(units * self.s * 0.75 + 0.5))

    def fill_where(self, colour, inside, box):
        x0, y0, x1, y1 = (self.snap(v) for v in box)
        for py in range(max(0, y0 - 1), min(self.size, y1 + 1)):
            for px in range(max(0, x0 - 1), min(self.size, x1 + 1)):
                if inside((px + 0.5) / self.s, (py + 0.5) / self.s):
                    self.dot(px, py, colour)

    def poly(self, colour, pts):
        def inside(x, y):  # even-odd rule
            hit = False
            for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
                if (ay > y) != (by > y):
                    if x < ax + (y - ay) * (bx - ax) / (by - ay):
                        hit = not hit
            return hit
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        self.fill_where(colour, inside, (min(xs), min(ys), max(xs), max(ys)))

    def ellipse(self, colour, cx, cy, rx, ry):
        self.fill_where(colour,
                        lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1,
                        (cx - rx, cy - ry, cx + rx, cy + ry))

    def disc(self, colour, cx, cy, r):
        self.ellipse(colour, cx, cy, r, r)

    def rect(self, colour, x0, y0, x1, y1):
        for py in range(self.snap(y0), self.snap(y1)):
            for px in range(self.snap(x0), self.snap(x1)):
                self.dot(px, py, colour)

    def framed(self, fill, edge, x0, y0, x1, y1):
        """A filled rectangle with an outline drawn just inside its bounds."""
        t = self.stroke()
        self.rect(edge, x0, y0, x1, y1)
        a, b, c, d = (self.snap(v) for v in (x0, y0, x1, y1))
        for py in range(b + t, d - t):
            for px in range(a + t, c - t):
                self.dot(px, py, fill)

    def line(self, colour, x0, y0, x1, y1, units=1.0):
        """A Bresenham line with a square brush; ends are inclusive."""
        t = self.stroke(units)
        ax, ay = math.floor(x0 * self.s), math.floor(y0 * self.s)
        bx, by = math.floor(x1 * self.s), math.floor(y1 * self.s)
        dx, dy = abs(bx - ax), -abs(by - ay)
        sx, sy = (1 if bx > ax else -1), (1 if by > ay else -1)
        err = dx + dy
        while True:
            for j in range(t):
                for i in range(t):
                    self.dot(ax + i, ay + j, colour)
            if (ax, ay) == (bx, by):
                break
            e2 = 2 * err
            if e2 >= dy:
                err, ax = err + dy, ax + sx
            if e2 <= dx:
                err, ay = err + dx, ay + sy


# --- toolbar pictures (16 x 16 design grid) --------------------------------

def draw_edit(p):
    """A yellow pencil lying across a sheet of paper."""
    p.framed(C["white"], C["black"], 1, 1, 11, 15)
    for y in (4, 6, 8, 10, 12):
        p.line(C["grey"], 3, y, 8.9 if y < 12 else 5.9, y)

    # The pencil is laid out along its own axis: `a` runs from the point
    # towards the eraser, `b` across the body.
    tip, length, hw = (2.6, 13.4), 14.0, 1.55
    ux, uy = 1 / math.sqrt(2), -1 / math.sqrt(2)

    def at(a, b):
        return (tip[0] + a * ux - b * uy, tip[1] + a * uy + b * ux)

    def band(colour, a0, a1, b0=-hw, b1=hw):
        p.poly(colour, [at(a0, b0), at(a1, b0), at(a1, b1), at(a0, b1)])

    o = p.stroke() / p.s  # outline thickness in design units
    cone = 3.2
    p.poly(C["black"], [at(-o * 1.8, 0), at(cone, -hw - o), at(length + o, -hw - o),
                        at(length + o, hw + o), at(cone, hw + o)])
    p.poly(C["wood"], [at(0, 0), at(cone, -hw), at(cone, hw)])
    k = 1.3 / cone
    p.poly(C["dark"], [at(-0.2, 0), at(1.3, -hw * k), at(1.3, hw * k)])
    band(C["yellow"], cone, 11.3)
    band(C["ochre"], cone, 11.3, hw * 0.3, hw)
    band(C["grey"], 11.3, 12.2)
    band(C["pink"], 12.2, length)


def draw_paste(p):
    """A clipboard: brown board, a written sheet and a white clip."""
    p.framed(C["brown"], C["black"], 2, 2, 14, 16)
    p.rect(C["white"], 4, 5, 12, 14)
    for y in (7, 9, 11):
        p.line(C["grey"], 5, y, 10.9 if y < 11 else 8.9, y)
    p.framed(C["white"], C["black"], 5, 1, 11, 5)
    p.rect(C["shade"], 7, 2, 9, 3)  # the hole the board hangs from


def draw_window(p):
    """An application window: white caption, blue dotted client area."""
    t = p.stroke()
    p.framed(C["white"], C["black"], 1, 2, 15, 14)
    left, right = p.snap(1), p.snap(15)
    for y in range(p.snap(5), p.snap(5) + t):  # caption / client divider
        for x in range(left, right):
            p.dot(x, y, C["black"])
    left, top = p.snap(1) + t, p.snap(5) + t
    right, bottom = p.snap(15) - t, p.snap(14) - t
    for y in range(top, bottom):
        for x in range(left, right):
            p.dot(x, y, C["blue"])
    # The dots sit on a whole-pixel lattice so the pattern stays even at
    # sizes where the design grid falls between pixels.
    step, d = max(2, p.snap(2)), p.stroke(0.8)
    span_x = (right - left - d) // step * step
    span_y = (bottom - top - d) // step * step
    x0 = left + (right - left - d - span_x) // 2
    y0 = top + (bottom - top - d - span_y) // 2
    for y in range(y0, bottom - d + 1, step):
        for x in range(x0, right - d + 1, step):
            for j in range(d):
                for i in range(d):
                    p.dot(x + i, y + j, C["skyblue"])


TOOLBAR = [draw_edit, draw_paste, draw_window]


# --- application icon (32 x 32 design grid) ---------------------------------

def draw_icon(p):
    """A bevelled grey diamond carrying a white panel and a teal globe.

    Returns a predicate telling which pixels belong to the picture.
    """
    def diamond(r):
        return [(16, 16 - r), (16 + r, 16), (16, 16 + r), (16 - r, 16)]

    p.poly(C["dark"], diamond(16))
    p.poly(C["light"], diamond(14.6))
    p.poly(C["shade"], [(1.4, 16), (30.6, 16), (16, 30.6)])  # lit from above
    p.poly(C["stone"], diamond(13.2))

    p.framed(C["white"], C["dark"], 5, 11, 16, 21)
    for y in (13, 15, 17):
        p.line(C["grey"], 7, y, 12 if y != 15 else 10, y)

    cx, cy, r = 21.5, 16, 7
    p.disc(C["darkteal"], cx, cy, r)
    p.disc(C["teal"], cx, cy, r - 1)
    p.poly(C["green"], [(15.5, 14), (17.5, 10.5), (19.5, 11.5), (18.5, 17.5), (16, 18.5)])
    p.poly(C["green"], [(24, 13.5), (26.5, 12.5), (28, 17), (25, 21.5), (24.5, 17)])
    p.ellipse(C["aqua"], cx, cy, 3.2, r - 1)
    p.ellipse(C["teal"], cx, cy, 2.2, r - 1.9)
    for dy in (-3.5, 0, 3.5):
        half = math.sqrt((r - 1) ** 2 - dy ** 2) - 0.6
        p.line(C["aqua"], cx - half, cy + dy, cx + half, cy + dy)

    return lambda x, y: abs(x + 0.5 - 16) + abs(y + 0.5 - 16) <= 16


# --- file formats ------------------------------------------------------------

def palette_bytes():
    table = bytearray(b"\0" * 1024)
    for i, (_, (r, g, b)) in enumerate(PALETTE):
        table[4 * i:4 * i + 4] = bytes((b, g, r, 0))
    return bytes(table)


def pixel_rows(canvas):
    """8-bit rows, bottom-up, each padded to a multiple of four bytes."""
    pad = b"\0" * (-canvas.width % 4)
    return b"".join(bytes(row) + pad for row in reversed(canvas.px))


def info_header(width, height, image_size, ppm=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0,
                       image_size, ppm, ppm, 256, 0)


def bmp_bytes(canvas, dpi):
    pixels = pixel_rows(canvas)
    ppm = round(dpi / 0.0254)
    offset = 14 + 40 + 1024
    return (struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
            + info_header(canvas.width, canvas.height, len(pixels), ppm)
            + palette_bytes() + pixels)


def ico_bytes(canvas, opaque):
    w, h = canvas.width, canvas.height
    stride = (w + 31) // 32 * 4
    mask = bytearray()
    for y in reversed(range(h)):  # 1 = transparent, rows bottom-up
        row = bytearray(stride)
        for x in range(w):
            if not opaque(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    image = (info_header(w, 2 * h, len(pixel_rows(canvas)) + len(mask))
             + palette_bytes() + pixel_rows(canvas) + bytes(mask))
    return (struct.pack("<HHH", 0, 1, 1)
            + struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 8,
                          len(image), 6 + 16)
            + image)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    files = {}
    for size, dpi in ((16, 96), (20, 120), (24, 144), (32, 192)):
        strip = Canvas(size * len(TOOLBAR), size, MASK)
        for i, draw in enumerate(TOOLBAR):
            draw(Pen(strip, i * size, size, 16))
        files["toolbar%d.bmp" % size] = bmp_bytes(strip, dpi)

    icon = Canvas(32, 32, C["black"])
    opaque = draw_icon(Pen(icon, 0, 32, 32))
    for y in range(32):
        for x in range(32):
            if not opaque(x, y):
                icon.px[y][x] = C["black"]
    files["sendlark.ico"] = ico_bytes(icon, opaque)

    for name, data in sorted(files.items()):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
