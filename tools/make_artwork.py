#!/usr/bin/env python3
"""Draws the program's artwork: icons, bitmaps and the two alert sounds.

Everything is computed from the shapes and numbers below (and, for the mail
plug-in, in mail_artwork.py), with nothing but the standard library, so the
output is the same bytes on every machine. The files are committed under
meter/res/art/ and mail/plugin/res/art/ and the build uses them as they are; run

    tools/make_artwork.py            rewrite both folders
    tools/make_artwork.py --out DIR  write into DIR/meter and DIR/mail instead
    tools/make_artwork.py --check    compare with both folders, exit 1 on any change

after changing a drawing. Each folder's artwork.rc (also written here) lists its
files with their resource ids, by the names of the resource.h beside it.
"""

import argparse
import math
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ART_DIR = os.path.join(ROOT, "meter", "res", "art")
MAIL_ART_DIR = os.path.join(ROOT, "mail", "plugin", "res", "art")

# Windows' 3D greys: LR_LOADMAP3DCOLORS maps them to the user's button colours.
FACE = (192, 192, 192)
SHADOW = (128, 128, 128)
LIGHT = (223, 223, 223)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
# The volume list's image strip treats pure blue as transparent.
STRIP_MASK = (0, 0, 255)

SUPERSAMPLE = 4


# --------------------------------------------------------------------------------------
# Drawing: an RGBA canvas with antialiased shapes (coverage by supersampling).


class Canvas:
    def __init__(self, width, height, background=(0, 0, 0, 0)):
        self.w = width
        self.h = height
        self.px = [list(background) for _ in range(width * height)]

    def blend(self, x, y, color, coverage):
        if coverage <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        r, g, b = color[:3]
        a = (color[3] if len(color) > 3 else 255) / 255.0 * coverage
        d = self.px[y * self.w + x]
        da = d[3] / 255.0
        oa = a + da * (1 - a)
        if oa <= 0:
            return
        for i, c in enumerate((r, g, b)):
            d[i] = (c * a + d[i] * da * (1 - a)) / oa
        d[3] = oa * 255.0

    def fill(self, inside, color, box=None):
        """Fills the region where inside(x, y) holds, x and y in pixels."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        n = SUPERSAMPLE
        offsets = [(i + 0.5) / n for i in range(n)]
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for oy in offsets:
                    for ox in offsets:
                        if inside(x + ox, y + oy):
                            hits += 1
                self.blend(x, y, color, hits / (n * n))

    def rect(self, x0, y0, x1, y1, color, radius=0.0):
        self.fill(rounded_rect(x0, y0, x1, y1, radius), color, (x0, y0, x1, y1))

    def frame(self, x0, y0, x1, y1, width, color, radius=0.0):
        outer = rounded_rect(x0, y0, x1, y1, radius)
        inner = rounded_rect(x0 + width, y0 + width, x1 - width, y1 - width,
                             max(0.0, radius - width))
        self.fill(lambda x, y: outer(x, y) and not inner(x, y), color, (x0, y0, x1, y1))

    def polygon(self, points, color):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.fill(in_polygon(points), color, (min(xs), min(ys), max(xs), max(ys)))

    def ellipse(self, cx, cy, rx, ry, color):
        self.fill(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, color,
                  (cx - rx, cy - ry, cx + rx, cy + ry))

    def set(self, x, y, color):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = list(color[:3]) + [255]

    def rgba(self, x, y):
        p = self.px[y * self.w + x]
        return tuple(int(round(v)) for v in p)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        if r <= 0:
            return True
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def in_polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def shade(color, factor):
    """Lighter (factor > 1) or darker (factor < 1) version of a colour."""
    if factor >= 1:
        t = factor - 1
        return tuple(int(round(c + (255 - c) * t)) for c in color[:3])
    return tuple(int(round(c * factor)) for c in color[:3])


# --------------------------------------------------------------------------------------
# A 5x7 pixel font for the labels of the fold bitmaps and the About picture.

FONT = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["111", "010", "010", "010", "010", "010", "111"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "W": ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    ".": ["0", "0", "0", "0", "0", "0", "1"],
    " ": ["000", "000", "000", "000", "000", "000", "000"],
}


def text_width(text, scale=1):
    return sum((len(FONT[ch][0]) + 1) * scale for ch in text) - scale


def draw_text(canvas, x, y, text, color, scale=1):
    for ch in text:
        glyph = FONT[ch]
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit == "1":
                    for sy in range(scale):
                        for sx in range(scale):
                            canvas.set(x + gx * scale + sx, y + gy * scale + sy, color)
        x += (len(glyph[0]) + 1) * scale


# --------------------------------------------------------------------------------------
# File formats.


def bmp_bytes(canvas, palette_bits=None):
    """A Windows BMP: 8-bit with a palette, or 24-bit, rows bottom-up."""
    w, h = canvas.w, canvas.h
    pixels = [canvas.rgba(x, y)[:3] for y in range(h) for x in range(w)]
    if palette_bits == 8:
        palette = []
        index = {}
        for p in pixels:
            if p not in index:
                index[p] = len(palette)
                palette.append(p)
        if len(palette) > 256:
            raise ValueError("too many colours for an 8-bit bitmap")
        stride = (w + 3) & ~3
        rows = []
        for y in range(h - 1, -1, -1):
            row = bytes(index[pixels[y * w + x]] for x in range(w))
            rows.append(row + b"\0" * (stride - w))
        table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
        bits = 8
        colors = len(palette)
    else:
        stride = (w * 3 + 3) & ~3
        rows = []
        for y in range(h - 1, -1, -1):
            row = b"".join(struct.pack("<BBB", b, g, r) for (r, g, b) in pixels[y * w:(y + 1) * w])
            rows.append(row + b"\0" * (stride - w * 3))
        table = b""
        bits = 24
        colors = 0
    data = b"".join(rows)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(data), 2835, 2835, colors, colors)
    return header + info + table + data


def icon_image(canvas):
    """One image of an .ico: 32-bit BGRA with alpha, then the AND mask."""
    w, h = canvas.w, canvas.h
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        bits = [0] * (mask_stride * 8)
        for x in range(w):
            r, g, b, a = canvas.rgba(x, y)
            if a == 0:
                r = g = b = 0
                bits[x] = 1
            xor += struct.pack("<BBBB", b, g, r, a)
        for i in range(mask_stride):
            byte = 0
            for bit in range(8):
                byte = (byte << 1) | bits[i * 8 + bit]
            mask.append(byte)
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico_bytes(canvases):
    images = [icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, img in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    return out + b"".join(images)


def wav_bytes(samples, rate):
    """16-bit mono PCM."""
    data = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(s * 32767))))) for s in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


# --------------------------------------------------------------------------------------
# Icons. Everything is designed on a 16-unit grid and scaled to the icon's size.

SIZES = (16, 32)

# The six meter kinds that keep a 15-level series: resource-name base, file stem,
# fill colour and the way the level is shown.
SERIES = [
    ("IDI_CPU_BASE", "cpu", (60, 200, 80), "column"),
    ("IDI_PHYSMEM_BASE", "physmem", (70, 140, 255), "chips"),
    ("IDI_PAGEFILE_BASE", "pagefile", (255, 150, 40), "page"),
    ("IDI_NETWORK_BASE", "network", (40, 200, 210), "twin"),
    ("IDI_DISK_BASE", "disk", (170, 110, 255), "cylinder"),
    ("IDI_RESOURCES_BASE", "resources", (235, 200, 40), "triple"),
]
LEVELS = 15

NORMAL_FILL = (50, 150, 235)
WARNING_FILL = (230, 50, 45)
PANEL = (34, 38, 46)
PANEL_EDGE = (110, 118, 132)


def gauge_icon(size, color, style, level):
    """A dark panel whose fill rises with level (0..14), drawn in the kind's manner."""
    s = size / 16.0
    c = Canvas(size, size)
    c.rect(0.5 * s, 0.5 * s, 15.5 * s, 15.5 * s, PANEL_EDGE, radius=2.5 * s)
    c.rect(1.5 * s, 1.5 * s, 14.5 * s, 14.5 * s, PANEL, radius=1.8 * s)
    top, bottom = 3.0, 13.0
    fraction = level / (LEVELS - 1)
    fill_top = bottom - (bottom - top) * fraction
    dim = shade(color, 0.32)
    bright = shade(color, 1.35)

    def column(x0, x1):
        c.rect(x0 * s, top * s, x1 * s, bottom * s, dim)
        if level:
            c.rect(x0 * s, fill_top * s, x1 * s, bottom * s, color)
            c.rect(x0 * s, fill_top * s, x1 * s, min(bottom, fill_top + 1.0) * s, bright)

    if style == "column":
        column(4.0, 12.0)
    elif style == "twin":
        column(3.5, 7.5)
        column(8.5, 12.5)
    elif style == "triple":
        column(3.0, 6.0)
        column(6.5, 9.5)
        column(10.0, 13.0)
    elif style == "chips":
        # Memory modules: rows of cells, lit from the bottom up.
        rows = 5
        pitch = (bottom - top) / rows
        lit = fraction * rows
        for i in range(rows):
            y1 = bottom - i * pitch
            y0 = y1 - pitch + 0.8
            c.rect(3.5 * s, y0 * s, 12.5 * s, y1 * s, dim)
            part = min(1.0, max(0.0, lit - i))
            if part > 0:
                c.rect(3.5 * s, (y1 - (y1 - y0) * part) * s, 12.5 * s, y1 * s, color)
        for x in (6.5, 9.5):
            c.rect(x * s, top * s, (x + 0.6) * s, bottom * s, PANEL)
    elif style == "page":
        # A sheet with a folded corner, filled from the bottom.
        sheet = [(4.0, top), (9.5, top), (12.0, top + 2.5), (12.0, bottom), (4.0, bottom)]
        c.polygon([(x * s, y * s) for x, y in sheet], dim)
        inside = in_polygon([(x * s, y * s) for x, y in sheet])
        if level:
            c.fill(lambda x, y: inside(x, y) and y >= fill_top * s, color,
                   (4.0 * s, fill_top * s, 12.0 * s, bottom * s))
        c.polygon([(x * s, y * s) for x, y in [(9.5, top), (9.5, top + 2.5), (12.0, top + 2.5)]],
                  bright)
    elif style == "cylinder":
        # A disk stack: a cylinder whose contents rise.
        x0, x1, cap = 3.5, 12.5, 1.5
        cx, rx = (x0 + x1) / 2, (x1 - x0) / 2
        body_top, body_bottom = top + cap, bottom - cap
        c.ellipse(cx * s, body_bottom * s, rx * s, cap * s, dim)
        c.rect(x0 * s, body_top * s, x1 * s, body_bottom * s, dim)
        level_y = body_bottom - (body_bottom - body_top) * fraction
        if level:
            c.ellipse(cx * s, body_bottom * s, rx * s, cap * s, color)
            c.rect(x0 * s, level_y * s, x1 * s, body_bottom * s, color)
            c.ellipse(cx * s, level_y * s, rx * s, cap * s, bright)
        c.ellipse(cx * s, body_top * s, rx * s, cap * s, shade(color, 0.55))
        c.ellipse(cx * s, body_top * s, (rx - 0.7) * s, (cap - 0.5) * s, dim)
    return c


def volume_icon(size, level, warning):
    """A drive case whose window fills from the left with the level (0..16)."""
    s = size / 16.0
    c = Canvas(size, size)
    fill = WARNING_FILL if warning else NORMAL_FILL
    c.rect(0.5 * s, 3.0 * s, 15.5 * s, 13.5 * s, (70, 74, 82), radius=2.0 * s)
    c.rect(1.3 * s, 3.8 * s, 14.7 * s, 12.7 * s, (200, 204, 210), radius=1.4 * s)
    c.rect(1.3 * s, 3.8 * s, 14.7 * s, 5.0 * s, (236, 238, 242), radius=1.0 * s)
    x0, x1, y0, y1 = 2.5, 13.5, 6.0, 10.0
    c.rect(x0 * s, y0 * s, x1 * s, y1 * s, (60, 64, 72))
    if level:
        c.rect(x0 * s, y0 * s, (x0 + (x1 - x0) * level / 16.0) * s, y1 * s, fill)
        c.rect(x0 * s, y0 * s, (x0 + (x1 - x0) * level / 16.0) * s, (y0 + 1.0) * s,
               shade(fill, 1.4))
    led = (235, 60, 50) if warning else (60, 210, 90)
    c.ellipse(12.8 * s, 11.4 * s, 0.8 * s, 0.7 * s, led)
    c.rect(3.0 * s, 11.0 * s, 9.0 * s, 11.8 * s, (150, 154, 162))
    return c


def program_icon(size):
    """A small window holding a stack of three meters."""
    s = size / 16.0
    c = Canvas(size, size)
    c.rect(0.5 * s, 0.5 * s, 15.5 * s, 15.5 * s, (40, 60, 110), radius=2.0 * s)
    c.rect(0.5 * s, 0.5 * s, 15.5 * s, 3.5 * s, (70, 110, 200), radius=2.0 * s)
    c.rect(1.5 * s, 3.5 * s, 14.5 * s, 14.5 * s, PANEL, radius=1.0 * s)
    bars = [((60, 200, 80), 0.8), ((70, 140, 255), 0.55), ((255, 150, 40), 0.35)]
    y = 4.7
    for color, part in bars:
        c.rect(2.5 * s, y * s, 13.5 * s, (y + 2.6) * s, shade(color, 0.3))
        c.rect(2.5 * s, y * s, (2.5 + 11.0 * part) * s, (y + 2.6) * s, color)
        y += 3.2
    return c


# --------------------------------------------------------------------------------------
# Bitmaps.


def arrow_bitmap():
    """The hide button of an expanded meter: an upward chevron on button face."""
    c = Canvas(7, 4, FACE + (255,))
    for row in range(4):
        for x in range(3 - row, 4 + row):
            c.set(x, row, BLACK)
    return c


def browse_bitmap():
    """The browse buttons of the preferences: an open folder on button face."""
    c = Canvas(16, 12, FACE + (255,))
    folder = (235, 200, 80)
    c.rect(1, 2, 7, 4, shade(folder, 0.8))
    c.rect(1, 3, 14, 11, folder)
    c.frame(1, 3, 14, 11, 1, SHADOW)
    c.polygon([(3, 6), (15, 6), (13, 11), (1, 11)], shade(folder, 1.1))
    return c


def move_icon(size, up):
    """The volume list's move buttons: a solid triangle pointing up or down."""
    c = Canvas(size, size)
    k = size / 16.0
    top, bottom = 4 * k, 12 * k
    left, right, middle = 3 * k, 13 * k, 8 * k
    if up:
        points = [(middle, top), (right, bottom), (left, bottom)]
    else:
        points = [(left, top), (right, top), (middle, bottom)]
    c.polygon(points, (40, 60, 120))
    return c


# Fold bitmaps: the label on the hide button of a folded meter. Resource name, file
# stem, label, colour of the little glyph and its drawing (graph or text meter).
FOLDS = [
    ("IDB_FOLD_CPU", "fold_cpu", "CPU", (60, 200, 80), "graph"),
    ("IDB_FOLD_PAGEFILE_GRAPH", "fold_pagefile_graph", "PAGE FILE", (255, 150, 40), "graph"),
    ("IDB_FOLD_NETWORK", "fold_network", "NETWORK", (40, 200, 210), "graph"),
    ("IDB_FOLD_DISK", "fold_disk", "DISK", (170, 110, 255), "graph"),
    ("IDB_FOLD_DRIVES", "fold_drives", "DRIVE SPACE", (50, 150, 235), "drive"),
    ("IDB_FOLD_PHYSMEM_GRAPH", "fold_physmem_graph", "PHYS. MEM.", (70, 140, 255), "graph"),
    ("IDB_FOLD_PHYSMEM_TEXT", "fold_physmem_text", "PHYS. MEM.", (70, 140, 255), "text"),
    ("IDB_FOLD_PAGEFILE_TEXT", "fold_pagefile_text", "PAGE FILE", (255, 150, 40), "text"),
    ("IDB_FOLD_PROCESSES", "fold_processes", "PROCESSES", (230, 90, 160), "list"),
    ("IDB_FOLD_UPTIME", "fold_uptime", "UPTIME", (120, 200, 255), "clock"),
    ("IDB_FOLD_PING", "fold_ping", "PING", (120, 220, 120), "graph"),
    ("IDB_FOLD_RESOURCES", "fold_resources", "RESOURCES", (235, 200, 40), "text"),
]


def fold_bitmap(label, color, glyph):
    """[down chevron] [9x9 glyph] LABEL, black on button face, 10 pixels high."""
    width = 7 + 3 + 9 + 4 + text_width(label) + 1
    c = Canvas(width, 10, FACE + (255,))
    for row in range(4):
        for x in range(row, 7 - row):
            c.set(x, 3 + row, BLACK)
    gx, gy = 10, 0
    for y in range(9):
        for x in range(9):
            edge = x in (0, 8) or y in (0, 8)
            c.set(gx + x, gy + y, SHADOW if edge else WHITE)
    ink = shade(color, 0.8)
    if glyph == "graph":
        for x, hgt in zip(range(1, 8), (2, 4, 3, 6, 5, 7, 4)):
            for y in range(8 - hgt, 8):
                c.set(gx + x, gy + y, ink)
    elif glyph == "text":
        for y in (2, 4, 6):
            for x in range(2, 7 if y != 6 else 5):
                c.set(gx + x, gy + y, ink)
    elif glyph == "list":
        for y in (2, 4, 6):
            c.set(gx + 2, gy + y, BLACK)
            for x in range(4, 7):
                c.set(gx + x, gy + y, ink)
    elif glyph == "drive":
        for x in range(1, 8):
            for y in range(3, 6):
                c.set(gx + x, gy + y, ink if x < 6 else SHADOW)
    elif glyph == "clock":
        ring = [(2, 1), (3, 1), (4, 1), (5, 1), (6, 1), (1, 2), (7, 2), (1, 3), (7, 3), (1, 4),
                (7, 4), (1, 5), (7, 5), (1, 6), (7, 6), (2, 7), (3, 7), (4, 7), (5, 7), (6, 7)]
        for x, y in ring:
            c.set(gx + x, gy + y, ink)
        for x, y in ((4, 2), (4, 3), (4, 4), (5, 4), (6, 4)):
            c.set(gx + x, gy + y, BLACK)
    draw_text(c, gx + 9 + 4, 1, label, BLACK)
    return c


STRIP_LEVELS = 21  # images 0..20, then 21..41 the same in the warning colour


def pie(c, ox, level, fill, free, edge):
    """A 16x16 pie chart with level/20 of it filled, clockwise from twelve o'clock."""
    cx, cy, r = ox + 8.0, 8.0, 6.6
    inside_disc = lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    sweep = 2 * math.pi * level / (STRIP_LEVELS - 1)

    def in_wedge(x, y):
        angle = math.atan2(x - cx, cy - y) % (2 * math.pi)
        return inside_disc(x, y) and (angle < sweep or level == STRIP_LEVELS - 1)

    ring = lambda x, y: r * r < (x - cx) ** 2 + (y - cy) ** 2 <= (r + 1.0) ** 2
    hard_fill(c, ox, inside_disc, free)
    if level:
        hard_fill(c, ox, in_wedge, fill)
    hard_fill(c, ox, ring, edge)


def hard_fill(c, ox, inside, color):
    """Fill without antialiasing: the strip's transparency is a colour key."""
    n = SUPERSAMPLE
    for y in range(16):
        for x in range(ox, ox + 16):
            hits = sum(1 for i in range(n) for j in range(n)
                       if inside(x + (i + 0.5) / n, y + (j + 0.5) / n))
            if hits * 2 >= n * n:
                c.set(x, y, color)


def volume_strip():
    images = STRIP_LEVELS * 2 + 2
    c = Canvas(16 * images, 16, STRIP_MASK + (255,))
    for level in range(STRIP_LEVELS):
        pie(c, 16 * level, level, NORMAL_FILL, (245, 245, 245), (70, 74, 82))
        pie(c, 16 * (STRIP_LEVELS + level), level, WARNING_FILL, (255, 232, 228), (110, 28, 28))
    # 42: the volume cannot be reached - a grey disc struck through in red.
    ox = 16 * (2 * STRIP_LEVELS)
    pie(c, ox, 0, SHADOW, (215, 215, 215), (120, 120, 120))
    hard_fill(c, ox, lambda x, y: abs((x - ox) - y) < 1.3 and 2.5 < y < 13.5, (205, 30, 30))
    hard_fill(c, ox, lambda x, y: abs((x - ox) + y - 16) < 1.3 and 2.5 < y < 13.5, (205, 30, 30))
    # 43: the warning mark - a yellow triangle with an exclamation mark.
    ox = 16 * (2 * STRIP_LEVELS + 1)
    tri = [(ox + 8.0, 1.0), (ox + 15.5, 14.5), (ox + 0.5, 14.5)]
    hard_fill(c, ox, in_polygon(tri), (90, 60, 0))
    inner = [(ox + 8.0, 3.2), (ox + 13.9, 13.6), (ox + 2.1, 13.6)]
    hard_fill(c, ox, in_polygon(inner), (255, 210, 30))
    for y in range(6, 11):
        c.set(ox + 7, y, BLACK)
        c.set(ox + 8, y, BLACK)
    c.set(ox + 7, 12, BLACK)
    c.set(ox + 8, 12, BLACK)
    return c


FOLDER_MASK = (255, 0, 255)
FOLDER_YELLOW = (240, 200, 70)
FOLDER_EDGE = (150, 110, 20)


def drive_box(c, ox, top, bottom, body, light):
    """A drive seen from the front: a grey box with a slot and a lamp."""
    hard_fill(c, ox, rounded_rect(ox + 1, top, ox + 15, bottom, 1.0), (60, 60, 60))
    hard_fill(c, ox, rounded_rect(ox + 2, top + 1, ox + 14, bottom - 1, 0.5), body)
    for x in range(ox + 3, ox + 10):
        c.set(x, (top + bottom) // 2, (70, 70, 70))
    c.set(ox + 12, bottom - 3, light)
    c.set(ox + 11, bottom - 3, light)


def folder_images():
    """The folder usage tree's images: removable, fixed, network and CD-ROM drives,
    then a folder and an open folder, on a magenta key."""
    c = Canvas(16 * 6, 16, FOLDER_MASK + (255,))
    # 0: removable - a drive with a disk half out of its slot.
    drive_box(c, 0, 6, 14, FACE, (230, 160, 30))
    hard_fill(c, 0, rounded_rect(4, 2, 11, 8, 0.5), (40, 60, 120))
    hard_fill(c, 0, rounded_rect(6, 2, 9, 4, 0), (200, 200, 200))
    # 1: fixed - a drive with its green lamp.
    drive_box(c, 16, 4, 13, FACE, (40, 200, 60))
    # 2: network - a drive on a cable.
    drive_box(c, 32, 2, 10, FACE, (40, 200, 60))
    hard_fill(c, 32, lambda x, y: 7 <= x - 32 < 9 and 10 <= y < 14, (60, 60, 60))
    hard_fill(c, 32, lambda x, y: 2 <= x - 32 < 14 and 13 <= y < 15, (60, 60, 60))
    # 3: CD-ROM - a silver disc with its hole.
    hard_fill(c, 48, lambda x, y: (x - 56) ** 2 + (y - 8) ** 2 <= 7.2 ** 2, (90, 90, 100))
    hard_fill(c, 48, lambda x, y: (x - 56) ** 2 + (y - 8) ** 2 <= 6.2 ** 2, (210, 215, 225))
    hard_fill(c, 48, lambda x, y: (x - 57.5) ** 2 + (y - 6.5) ** 2 <= 2.5 ** 2, (150, 200, 240))
    hard_fill(c, 48, lambda x, y: (x - 56) ** 2 + (y - 8) ** 2 <= 1.6 ** 2, FOLDER_MASK)
    # 4: folder, closed.
    hard_fill(c, 64, rounded_rect(65, 3, 71, 6, 0.5), FOLDER_EDGE)
    hard_fill(c, 64, rounded_rect(65, 4, 79, 14, 0.5), FOLDER_EDGE)
    hard_fill(c, 64, rounded_rect(66, 5, 78, 13, 0), FOLDER_YELLOW)
    # 5: folder, open - its front leaf tilted forward.
    hard_fill(c, 80, rounded_rect(81, 3, 87, 6, 0.5), FOLDER_EDGE)
    hard_fill(c, 80, rounded_rect(81, 4, 93, 14, 0.5), FOLDER_EDGE)
    hard_fill(c, 80, rounded_rect(82, 5, 92, 13, 0), shade(FOLDER_YELLOW, 0.8))
    hard_fill(c, 80, in_polygon([(84, 7.5), (96, 7.5), (93, 14), (81, 14)]), FOLDER_EDGE)
    hard_fill(c, 80, in_polygon([(85, 8.5), (94.5, 8.5), (92.3, 13), (82.5, 13)]), FOLDER_YELLOW)
    return c


def about_picture():
    """The About box picture: the product name beside a little meter window."""
    w, h = 264, 96
    c = Canvas(w, h, (24, 30, 44, 255))
    for y in range(h):  # a quiet vertical gradient
        t = y / (h - 1)
        for x in range(w):
            c.set(x, y, (int(24 + 16 * t), int(30 + 20 * t), int(44 + 36 * t)))
    # The window.
    wx0, wy0, wx1, wy1 = 10, 10, 118, 86
    c.rect(wx0, wy0, wx1, wy1, (150, 156, 168), radius=3)
    c.rect(wx0 + 1, wy0 + 1, wx1 - 1, wy0 + 9, (70, 110, 200), radius=2)
    c.rect(wx0 + 2, wy0 + 10, wx1 - 2, wy1 - 2, PANEL)
    # A bar graph meter.
    gx0, gy0, gx1, gy1 = wx0 + 5, wy0 + 14, wx1 - 5, wy0 + 44
    c.rect(gx0, gy0, gx1, gy1, (10, 12, 16))
    heights = [0.22, 0.35, 0.30, 0.52, 0.46, 0.61, 0.40, 0.72, 0.66, 0.48, 0.57, 0.81, 0.70,
               0.55, 0.62, 0.44, 0.38, 0.59, 0.75, 0.68, 0.50, 0.42, 0.63, 0.71, 0.58, 0.49,
               0.36, 0.53, 0.67, 0.60]
    step = (gx1 - gx0 - 2) / len(heights)
    for i, part in enumerate(heights):
        x = gx0 + 1 + i * step
        c.rect(x, gy1 - 1 - (gy1 - gy0 - 2) * part, x + step - 0.6, gy1 - 1, (60, 200, 80))
    avg = sum(heights) / len(heights)
    ya = gy1 - 1 - (gy1 - gy0 - 2) * avg
    c.rect(gx0 + 1, ya, gx1 - 1, ya + 1, (255, 230, 90))
    # Two level bars below it.
    y = gy1 + 5
    for color, part in (((70, 140, 255), 0.58), ((255, 150, 40), 0.31)):
        c.rect(gx0, y, gx1, y + 8, shade(color, 0.3))
        c.rect(gx0, y, gx0 + (gx1 - gx0) * part, y + 8, color)
        y += 12
    # The name and version.
    draw_text(c, 134, 28, "BRELLIX", (255, 255, 255), scale=3)
    draw_text(c, 134, 58, "VERSION 2.6.0", (170, 200, 255))
    return c


# --------------------------------------------------------------------------------------
# Sounds.

RATE = 11025


def voice_sound():
    """A spoken-sounding "uh-oh": a voiced source through vowel formants, pitch falling."""
    syllables = [  # (start s, length s, f0 start, f0 end, formants (F, bandwidth, gain))
        (0.00, 0.26, 190.0, 175.0, [(700, 110, 1.0), (1220, 120, 0.5), (2600, 200, 0.18)]),
        (0.34, 0.42, 150.0, 115.0, [(480, 90, 1.0), (850, 100, 0.55), (2400, 200, 0.12)]),
    ]
    total = int(RATE * 0.80)
    out = [0.0] * total
    for start, length, f0a, f0b, formants in syllables:
        n = int(RATE * length)
        phases = {}
        for i in range(n):
            t = i / n
            f0 = f0a + (f0b - f0a) * t
            env = min(1.0, i / (RATE * 0.03)) * min(1.0, (n - i) / (RATE * 0.08))
            value = 0.0
            k = 1
            while k * f0 < RATE / 2 - 200:
                fk = k * f0
                gain = sum(g / (1.0 + ((fk - f) / bw) ** 2) for f, bw, g in formants)
                phases[k] = phases.get(k, 0.0) + 2 * math.pi * fk / RATE
                value += gain * math.sin(phases[k]) / (1.0 + 0.15 * k)
                k += 1
            out[int(RATE * start) + i] += value * env
    peak = max(abs(v) for v in out)
    return [0.8 * v / peak for v in out]


def chime_sound():
    """Two falling bell tones."""
    total = int(RATE * 0.70)
    out = [0.0] * total
    for start, freq in ((0.0, 988.0), (0.22, 784.0)):
        first = int(RATE * start)
        for i in range(total - first):
            t = i / RATE
            env = math.exp(-t * 6.0) * min(1.0, i / (RATE * 0.004))
            partials = (math.sin(2 * math.pi * freq * t) + 0.35 * math.sin(2 * math.pi * 2 * freq * t)
                        + 0.12 * math.sin(2 * math.pi * 3.01 * freq * t))
            out[first + i] += env * partials
    fade = RATE * 0.06  # no click where the tail is cut
    out = [v * min(1.0, (total - i) / fade) for i, v in enumerate(out)]
    peak = max(abs(v) for v in out)
    return [0.7 * v / peak for v in out]


# --------------------------------------------------------------------------------------
# The file set.


def artwork():
    """Yields (file name, bytes); artwork.rc comes last."""
    rc = ["// Written by tools/make_artwork.py from its drawings: do not edit.", ""]

    def icon(name_expr, stem, canvases):
        rc.append('%-26s ICON   "art/%s.ico"' % (name_expr, stem))
        return stem + ".ico", ico_bytes(canvases)

    yield icon("IDI_PROGRAM", "program", [program_icon(s) for s in SIZES])
    for base, stem, color, style in SERIES:
        for level in range(LEVELS):
            yield icon("%s + %d" % (base, level), "%s_%02d" % (stem, level),
                       [gauge_icon(s, color, style, level) for s in SIZES])
    yield icon("IDI_VOLUME_BASE + 0", "volume_00", [volume_icon(s, 0, False) for s in SIZES])
    for warning in (False, True):
        for level in range(1, 17):
            offset = level + (16 if warning else 0)
            stem = "volume_%s_%02d" % ("warn" if warning else "ok", level)
            yield icon("IDI_VOLUME_BASE + %d" % offset, stem,
                       [volume_icon(s, level, warning) for s in SIZES])

    yield icon("IDI_MOVE_UP", "move_up", [move_icon(s, True) for s in SIZES])
    yield icon("IDI_MOVE_DOWN", "move_down", [move_icon(s, False) for s in SIZES])

    rc.append("")

    def bitmap(name, stem, canvas, bits=None):
        rc.append('%-26s BITMAP "art/%s.bmp"' % (name, stem))
        return stem + ".bmp", bmp_bytes(canvas, bits)

    yield bitmap("IDB_ARROW", "arrow", arrow_bitmap(), 8)
    for name, stem, label, color, glyph in FOLDS:
        yield bitmap(name, stem, fold_bitmap(label, color, glyph), 8)
    yield bitmap("IDB_VOLUME_STRIP", "volume_strip", volume_strip())
    yield bitmap("IDB_ABOUT", "about", about_picture())
    yield bitmap("IDB_BROWSE", "browse", browse_bitmap(), 8)
    # 24 bits: the image list takes the depth of the bitmap, and 8 bits lose the colours.
    yield bitmap("IDB_FOLDER_IMAGES", "folder_images", folder_images())

    rc.append("")
    rc.append('%-26s WAVE   "art/voice.wav"' % "IDW_VOICE")
    yield "voice.wav", wav_bytes(voice_sound(), RATE)
    rc.append('%-26s WAVE   "art/chime.wav"' % "IDW_SOUND")
    yield "chime.wav", wav_bytes(chime_sound(), RATE)

    yield "artwork.rc", ("\n".join(rc) + "\n").encode("ascii")


def check(folder, made):
    """Differences between folder and the files made for it, one line each."""
    present = set(os.listdir(folder)) if os.path.isdir(folder) else set()
    problems = ["missing: " + n for n in sorted(set(made) - present)]
    problems += ["not made by the generator: " + n for n in sorted(present - set(made))]
    for name in sorted(set(made) & present):
        with open(os.path.join(folder, name), "rb") as f:
            if f.read() != made[name]:
                problems.append("differs: " + name)
    return [os.path.relpath(folder, ROOT) + ": " + p for p in problems]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", help="write into OUT/meter and OUT/mail instead")
    parser.add_argument("--check", action="store_true",
                        help="compare with the folders instead of writing; exit 1 on a difference")
    args = parser.parse_args()

    # Loaded here, not at the top: it takes its drawing tools from this module.
    from mail_artwork import mail_artwork
    meter_dir, mail_dir = ART_DIR, MAIL_ART_DIR
    if args.out:
        meter_dir, mail_dir = os.path.join(args.out, "meter"), os.path.join(args.out, "mail")
    folders = [(meter_dir, dict(artwork())), (mail_dir, dict(mail_artwork()))]
    count = sum(len(made) for _, made in folders)

    if args.check:
        problems = [p for folder, made in folders for p in check(folder, made)]
        for p in problems:
            print(p)
        print("%d files checked, %d problems" % (count, len(problems)))
        return 1 if problems else 0

    for folder, made in folders:
        os.makedirs(folder, exist_ok=True)
        for name, data in made.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)
    print("wrote %d files to %s" % (count, ", ".join(f for f, _ in folders)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
