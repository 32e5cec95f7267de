#!/usr/bin/env python3
"""Draws the installer's pictures and writes them as BMP, ICO and CUR files.

    python3 tools/draw_pictures.py [OUTPUT_DIR]      (default: res/pictures)

side.bmp    164 x 314, 24 bpp: the picture on the left of the welcome and finish pages
header.bmp  61 x 61, 24 bpp: the emblem at the right of the header band
app.ico     48, 32 and 16 pixel images, 256 colours each; 64, 40, 24 and 20 pixel
            ones (with a palette of their own) for displays above 96 dpi
hand.cur    32 x 32 monochrome pointing hand, hot spot (5, 0); 48 and 64 pixel
            ones for displays above 96 dpi

Only the standard library is used; the files are written byte by byte, and the
output is the same on every run.
"""

import math
import os
import struct
import sys


# ---------------------------------------------------------------- drawing

class Canvas:
    """RGBA picture with premultiplied colour, so that shapes drawn on an empty
    canvas keep their own colour at anti-aliased edges."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.rgb = [[[0.0, 0.0, 0.0] for _ in range(width)] for _ in range(height)]
        self.alpha = [[0.0] * width for _ in range(height)]

    def fill(self, shape, colour, opacity=1.0, samples=4):
        """Paints shape (contains(x, y), bounds) with colour, a triple or a
        function of the pixel centre, over what is there."""
        left, top, right, bottom = shape.bounds
        left = max(0, int(math.floor(left)))
        top = max(0, int(math.floor(top)))
        right = min(self.width, int(math.ceil(right)))
        bottom = min(self.height, int(math.ceil(bottom)))
        offsets = [(i + 0.5) / samples for i in range(samples)]
        total = samples * samples
        contains = shape.contains
        for y in range(top, bottom):
            row_rgb = self.rgb[y]
            row_alpha = self.alpha[y]
            for x in range(left, right):
                hits = 0
                for oy in offsets:
                    for ox in offsets:
                        if contains(x + ox, y + oy):
                            hits += 1
                if not hits:
                    continue
                a = opacity * hits / total
                c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                p = row_rgb[x]
                p[0] = c[0] * a + p[0] * (1 - a)
                p[1] = c[1] * a + p[1] * (1 - a)
                p[2] = c[2] * a + p[2] * (1 - a)
                row_alpha[x] = a + row_alpha[x] * (1 - a)

    def pixel(self, x, y):
        """Straight (not premultiplied) colour as bytes, and the coverage."""
        a = self.alpha[y][x]
        if a <= 0:
            return (0, 0, 0), 0.0
        r, g, b = self.rgb[y][x]
        return tuple(clamp_byte(v / a) for v in (r, g, b)), a


def clamp_byte(v):
    return max(0, min(255, int(round(v))))


class Shape:
    def __init__(self, bounds, contains):
        self.bounds = bounds
        self.contains = contains


def rect(x0, y0, x1, y1):
    return Shape((x0, y0, x1, y1), lambda x, y: x0 <= x < x1 and y0 <= y < y1)


def everything(width, height):
    return rect(0, 0, width, height)


def circle(cx, cy, r):
    rr = r * r
    return Shape((cx - r, cy - r, cx + r, cy + r),
                 lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 < rr)


def ring(cx, cy, outer, inner):
    oo, ii = outer * outer, inner * inner
    return Shape((cx - outer, cy - outer, cx + outer, cy + outer),
                 lambda x, y: ii <= (x - cx) ** 2 + (y - cy) ** 2 < oo)


def rounded_rect(x0, y0, x1, y1, r):
    def contains(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return dx * dx + dy * dy < r * r
    return Shape((x0, y0, x1, y1), contains)


def polygon(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    edges = list(zip(points, points[1:] + points[:1]))

    def contains(x, y):
        inside = False
        for (ax, ay), (bx, by) in edges:
            if (ay > y) != (by > y):
                if x < ax + (y - ay) * (bx - ax) / (by - ay):
                    inside = not inside
        return inside
    return Shape((min(xs), min(ys), max(xs), max(ys)), contains)


def thick_line(points, width):
    """A polyline of the given width, as the union of its segments."""
    half = width / 2.0
    segments = []
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        dx, dy = bx - ax, by - ay
        length = math.hypot(dx, dy)
        nx, ny = -dy / length * half, dx / length * half
        segments.append(polygon([(ax + nx, ay + ny), (bx + nx, by + ny),
                                 (bx - nx, by - ny), (ax - nx, ay - ny)]))
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return Shape((min(xs) - half, min(ys) - half, max(xs) + half, max(ys) + half),
                 lambda x, y: any(s.contains(x, y) for s in segments))


def star(cx, cy, r):
    """A four-pointed sparkle."""
    k = r * 0.22
    return polygon([(cx, cy - r), (cx + k, cy - k), (cx + r, cy), (cx + k, cy + k),
                    (cx, cy + r), (cx - k, cy + k), (cx - r, cy), (cx - k, cy - k)])


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def vertical_gradient(top, bottom, y0, y1):
    return lambda x, y: mix(top, bottom, (y - y0) / float(y1 - y0))


def hsv(h, s, v):
    h = (h % 1.0) * 6
    i = int(h)
    f = h - i
    p, q, t = v * (1 - s), v * (1 - s * f), v * (1 - s * (1 - f))
    r, g, b = [(v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q)][i % 6]
    return (r * 255, g * 255, b * 255)


# ---------------------------------------------------------------- motifs

def draw_disc(canvas, cx, cy, r):
    """A CD: silver with a soft rainbow sheen, a clear inner ring and a hole."""
    def surface(x, y):
        angle = math.atan2(y - cy, x - cx)
        distance = math.hypot(x - cx, y - cy) / r
        sheen = hsv(angle / (2 * math.pi) * 2 + 0.08, 0.28, 1.0)
        light = 0.80 + 0.14 * math.cos(2 * angle - 0.9) - 0.06 * distance
        return tuple(min(255.0, c * light) for c in sheen)
    canvas.fill(circle(cx + r * 0.05, cy + r * 0.07, r), (10, 20, 45), opacity=0.35)
    canvas.fill(ring(cx, cy, r, r * 0.36), surface)
    canvas.fill(ring(cx, cy, r * 0.36, r * 0.15), (225, 232, 240), opacity=0.55)
    canvas.fill(ring(cx, cy, r, r * 0.97), (255, 255, 255), opacity=0.5)
    canvas.fill(ring(cx, cy, r * 0.37, r * 0.34), (150, 160, 175), opacity=0.6)


def page_edge(cx, u, width, top, sag, side):
    """Point u (0 at the spine, 1 at the outer edge) of a page's top edge."""
    return (cx + side * u * width, top + sag * (1 - u) ** 1.6)


def draw_open_book(canvas, cx, top, width, height, sag, lines, cover=(128, 32, 38)):
    """An open book seen from the front: cover, stacked page edges, two pages
    that sag towards the spine, and lines of text."""
    steps = 24
    for side in (-1, 1):
        us = [i / float(steps) for i in range(steps + 1)]
        # Cover, a little larger than the pages.
        outer = [(cx + side * (u * (width + 4)), top + 6 + sag * (1 - u) ** 1.6) for u in us]
        lower = [(x, y + height + 2) for (x, y) in reversed(outer)]
        canvas.fill(polygon(outer + lower + [(cx, top + sag + height + 8)]), cover)
        # Page block seen from the edge.
        for k, shade in ((3, (200, 196, 186)), (2, (222, 218, 208)), (1, (236, 233, 225))):
            edge = [page_edge(cx, u, width + k * 0.6, top + k * 1.6, sag, side) for u in us]
            bottom = [(x, y + height) for (x, y) in reversed(edge)]
            canvas.fill(polygon(edge + bottom), shade)
        # The open page, shaded darker towards the spine.
        edge = [page_edge(cx, u, width, top, sag, side) for u in us]
        bottom = [(x, y + height) for (x, y) in reversed(edge)]
        light = (252, 251, 246)
        canvas.fill(polygon(edge + bottom),
                    lambda x, y: mix((214, 210, 200), light, abs(x - cx) / (width * 0.35)))
        # Lines of text.
        for n in range(lines):
            offset = height * (0.16 + 0.7 * n / max(1, lines - 1))
            span = 0.78 if n != lines - 1 else 0.5
            points = [page_edge(cx, 0.12 + span * i / 8.0, width, top + offset, sag, side)
                      for i in range(9)]
            canvas.fill(thick_line(points, max(0.8, height / 40.0)), (120, 132, 160))
    # The spine's fold.
    canvas.fill(thick_line([(cx, top + sag), (cx, top + sag + height)], max(1.0, width / 40.0)),
                (150, 140, 125))


# ---------------------------------------------------------------- pictures

def draw_side():
    w, h = 164, 314
    c = Canvas(w, h)
    c.fill(everything(w, h), vertical_gradient((14, 34, 84), (44, 118, 170), 0, h))
    # A soft glow behind the motif and faint arcs across the top.
    for r, a in ((120, 0.06), (90, 0.07), (62, 0.08)):
        c.fill(circle(84, 200, r), (170, 210, 240), opacity=a)
    for r in (150, 175, 200):
        c.fill(ring(-20, -40, r + 1.2, r), (255, 255, 255), opacity=0.10)
    draw_disc(c, 104, 164, 46)
    draw_open_book(c, 80, 196, 60, 52, 9, lines=6)
    for (x, y, r, a) in ((34, 72, 6, 0.9), (130, 96, 4, 0.7), (22, 128, 3, 0.6),
                         (142, 262, 4, 0.5), (52, 44, 3, 0.5)):
        c.fill(star(x, y, r), (255, 255, 255), opacity=a)
    return c


def draw_header():
    # The pane shows about 57 x 54 of the 61 x 61 pixels: the disc keeps clear
    # of the cropped edges.
    w, h = 61, 61
    c = Canvas(w, h)
    c.fill(everything(w, h), (255, 255, 255))
    c.fill(circle(31.3, 31.3, 24.5), (180, 190, 205), opacity=0.5)
    c.fill(circle(30.5, 30.5, 24.5), vertical_gradient((22, 52, 112), (52, 130, 184), 6, 55))
    c.fill(ring(30.5, 30.5, 24.5, 23.4), (255, 255, 255), opacity=0.25)
    draw_open_book(c, 30.5, 21, 15.5, 17, 3.5, lines=3)
    c.fill(star(43, 16, 3.2), (255, 255, 255), opacity=0.9)
    return c


def draw_icon(size):
    """A closed book with a disc on its cover, in front view."""
    s = size / 48.0
    c = Canvas(size, size)
    # Pages seen at the right and bottom edges, behind the cover.
    c.fill(rounded_rect(10 * s, 6 * s, 44 * s, 45 * s, 3 * s), (214, 206, 186))
    c.fill(rounded_rect(10 * s, 5 * s, 43 * s, 43.5 * s, 3 * s), (244, 240, 228))
    if size >= 32:
        for k in range(3):
            y = (41.5 - k * 1.6) * s
            c.fill(rect(14 * s, y, 42 * s, y + 0.5 * s + 0.3), (205, 198, 180))
    # Cover with a darker spine.
    blue = vertical_gradient((40, 88, 170), (20, 50, 120), 3 * s, 41 * s)
    c.fill(rounded_rect(5 * s, 3 * s, 40 * s, 41 * s, 3.5 * s), blue)
    c.fill(rounded_rect(5 * s, 3 * s, 12 * s, 41 * s, 3 * s), (16, 36, 90))
    c.fill(rect(12 * s, 3 * s, 13 * s + 0.2, 41 * s), (90, 130, 200), opacity=0.7)
    # Title label and a disc emblem.
    c.fill(rect(17 * s, 8 * s, 36 * s, 11.5 * s), (232, 190, 80))
    if size >= 32:
        c.fill(rect(20 * s, 13.5 * s, 33 * s, 15 * s), (232, 190, 80), opacity=0.7)
    draw_disc(c, 26.5 * s, 28 * s, 9.5 * s)
    return c


# The hand: '#' black outline, 'o' white fill, '.' transparent. Row 0 is the top;
# the tip of the index finger is the hot spot (5, 0).
HAND = """
.....##.........
....#oo#........
....#oo#........
....#oo#........
....#oo#........
....#oo###......
....#oo#oo###...
....#oo#oo#oo##.
....#oo#oo#oo#o#
.##.#oo#oo#oo#o#
#oo##oo#oo#oo#o#
#ooo#ooooooooooo#
.#oo#ooooooooooo#
.#ooooooooooooooo#
..#oooooooooooooo#
..#ooooooooooooo#.
...#oooooooooooo#.
...#ooooooooooo#..
....#oooooooooo#..
....#oooooooooo#..
.....#oooooooo#...
.....#oooooooo#...
.....##########...
"""
HAND_HOTSPOT = (5, 0)


# ---------------------------------------------------------------- file formats

def bmp_24(canvas):
    w, h = canvas.width, canvas.height
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in reversed(range(h)):   # bottom-up
        row = bytearray()
        for x in range(w):
            (r, g, b), _ = canvas.pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + pixels


def mask_rows(width, height, opaque):
    """1-bpp AND mask, bottom-up, rows padded to 4 bytes; 1 = transparent."""
    stride = ((width + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            if not opaque(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def median_cut(colours, count):
    """Reduces a weighted colour list {rgb: weight} to at most count colours."""
    boxes = [list(colours.items())]
    while len(boxes) < count:
        best, best_range, best_channel = None, 0, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                values = [c[ch] for c, _ in box]
                spread = max(values) - min(values)
                if spread > best_range:
                    best, best_range, best_channel = i, spread, ch
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda item: item[0][best_channel])
        total = sum(wt for _, wt in box)
        running, cut = 0, 1
        for j, (_, wt) in enumerate(box):
            running += wt
            if running * 2 >= total:
                cut = max(1, min(len(box) - 1, j + 1))
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(wt for _, wt in box)
        palette.append(tuple(int(round(sum(c[ch] * wt for c, wt in box) / total))
                             for ch in range(3)))
    return palette


def ico_8bpp(canvases):
    """The ICO entries of an 8-bpp image per canvas, all sharing one palette
    whose entry 0 is black (the colour under the transparent parts of the mask)."""
    colours = {}
    for cv in canvases:
        for y in range(cv.height):
            for x in range(cv.width):
                rgb, a = cv.pixel(x, y)
                if a >= 0.5:
                    colours[rgb] = colours.get(rgb, 0) + 1
    palette = [(0, 0, 0)] + median_cut(colours, 255)
    palette += [(0, 0, 0)] * (256 - len(palette))
    cache = {}

    def index_of(rgb):
        if rgb not in cache:
            cache[rgb] = min(range(1, 256), key=lambda i: sum(
                (palette[i][k] - rgb[k]) ** 2 for k in range(3)))
        return cache[rgb]

    images = []
    for cv in canvases:
        w, h = cv.width, cv.height
        stride = (w + 3) & ~3
        xor = bytearray()
        for y in reversed(range(h)):
            row = bytearray(stride)
            for x in range(w):
                rgb, a = cv.pixel(x, y)
                row[x] = index_of(rgb) if a >= 0.5 else 0
            xor += row
        mask = mask_rows(w, h, lambda x, y: cv.pixel(x, y)[1] >= 0.5)
        info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
        colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
        images.append((w, h, info + colour_table + bytes(xor) + mask))
    return [(w, h, 0, 1, 8, data) for (w, h, data) in images]


def icon_directory(kind, entries):
    """ICONDIR for icons (kind 1: planes, bit count) or cursors (kind 2: hot spot)."""
    out = struct.pack("<HHH", 0, kind, len(entries))
    offset = 6 + 16 * len(entries)
    for (w, h, colours, a, b, data) in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, a, b, len(data), offset)
        offset += len(data)
    return out + b"".join(e[5] for e in entries)


def cur_mono(art, hotspot, size=32, scale=1):
    """The CUR entry of the art in a size x size cursor, each art pixel scale
    pixels wide and high (rounded down)."""
    rows = [line for line in art.strip("\n").split("\n")]

    def at(x, y):
        x, y = int(x / scale), int(y / scale)
        return rows[y][x] if y < len(rows) and x < len(rows[y]) else "."

    stride = ((size + 31) // 32) * 4
    xor = bytearray()
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            if at(x, y) == "o":          # white
                row[x // 8] |= 0x80 >> (x % 8)
        xor += row
    mask = mask_rows(size, size, lambda x, y: at(x, y) != ".")
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    colour_table = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    data = info + colour_table + bytes(xor) + mask
    return (size, size, 2, int(hotspot[0] * scale), int(hotspot[1] * scale), data)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "res", "pictures")
    os.makedirs(out_dir, exist_ok=True)
    files = {
        "side.bmp": bmp_24(draw_side()),
        "header.bmp": bmp_24(draw_header()),
        "app.ico": icon_directory(1, ico_8bpp([draw_icon(48), draw_icon(32), draw_icon(16)]) +
                                  ico_8bpp([draw_icon(n) for n in (64, 40, 24, 20)])),
        "hand.cur": icon_directory(2, [cur_mono(HAND, HAND_HOTSPOT, 32 * k // 2, k / 2) for k in (2, 3, 4)]),
    }
    for name, data in files.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)
        print("%s: %d bytes" % (name, len(data)))


if __name__ == "__main__":
    main()
