"""The mail plug-in's artwork, drawn with make_artwork's canvas and file formats.

Four tray icons (a plain envelope and its new-mail, error and communicating
variants) and the strip of small images that the tray menu, the account chooser
and the preferences tree share. make_artwork.py writes them into
mail/plugin/res/art/ together with their artwork.rc.
"""

import math

from make_artwork import (BLACK, SIZES, WHITE, Canvas, bmp_bytes, hard_fill, ico_bytes,
                          in_polygon, rounded_rect)

# The image list of the strip treats pure green as transparent.
MAIL_MASK = (0, 255, 0)

PAPER = (250, 250, 244)
PAPER_EDGE = (70, 80, 100)
FLAP = (150, 160, 180)
STAR = (255, 205, 30)
STAR_EDGE = (170, 110, 0)
ERROR_RED = (215, 35, 30)
BUSY_BLUE = (40, 110, 220)
GO_GREEN = (20, 150, 40)
PERSON = (60, 110, 190)
FACE_SKIN = (240, 195, 150)


def segment(ax, ay, bx, by, width):
    """The points within width / 2 of the segment from a to b."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= width * width / 4
    return inside


def star(cx, cy, outer, inner):
    points = []
    for i in range(10):
        r = outer if i % 2 == 0 else inner
        angle = math.pi * i / 5 - math.pi / 2
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    return points


# --------------------------------------------------------------------------------------
# Tray icons: antialiased on a transparent canvas, in the program's two sizes.


def envelope(c, s, x0=0.5, y0=3.0, x1=15.5, y1=13.0):
    c.rect(x0 * s, y0 * s, x1 * s, y1 * s, PAPER_EDGE, radius=1.2 * s)
    c.rect((x0 + 1) * s, (y0 + 1) * s, (x1 - 1) * s, (y1 - 1) * s, PAPER, radius=0.6 * s)
    middle = (x0 + x1) / 2
    fold = y0 + (y1 - y0) * 0.55
    for ax, bx in ((x0 + 1, middle), (x1 - 1, middle)):
        c.fill(segment(ax * s, (y0 + 1) * s, bx * s, fold * s, 1.1 * s), FLAP)


def mail_icon(size, state):
    """state: "normal", "new", "error" or "busy"."""
    s = size / 16.0
    c = Canvas(size, size)
    envelope(c, s)
    if state == "new":
        c.polygon([(x * s, y * s) for x, y in star(12.0, 4.5, 4.4, 1.9)], STAR_EDGE)
        c.polygon([(x * s, y * s) for x, y in star(12.0, 4.6, 3.4, 1.4)], STAR)
    elif state == "error":
        c.ellipse(11.5 * s, 11.5 * s, 4.3 * s, 4.3 * s, WHITE)
        c.ellipse(11.5 * s, 11.5 * s, 3.6 * s, 3.6 * s, ERROR_RED)
        c.fill(segment(9.8 * s, 9.8 * s, 13.2 * s, 13.2 * s, 1.3 * s), WHITE)
        c.fill(segment(13.2 * s, 9.8 * s, 9.8 * s, 13.2 * s, 1.3 * s), WHITE)
    elif state == "busy":
        c.rect(5.0 * s, 10.5 * s, 16.0 * s, 16.0 * s, PAPER_EDGE, radius=1.5 * s)
        c.rect(5.8 * s, 11.3 * s, 15.2 * s, 15.2 * s, WHITE, radius=1.0 * s)
        for cx in (7.8, 10.5, 13.2):
            c.ellipse(cx * s, 13.25 * s, 1.15 * s, 1.15 * s, BUSY_BLUE)
    return c


# Resource name, file stem and drawing of each tray icon.
MAIL_ICONS = [
    ("IDI_MAIL_NORMAL", "mail_normal", "normal"),
    ("IDI_MAIL_NEW", "mail_new", "new"),
    ("IDI_MAIL_ERROR", "mail_error", "error"),
    ("IDI_MAIL_BUSY", "mail_busy", "busy"),
]


# --------------------------------------------------------------------------------------
# The strip: 16 x 16 images side by side, hard edges on the green key.


def put(c, index, inside, color):
    """Fills the points of image index where inside(x, y) holds, x and y local."""
    ox = 16 * index
    hard_fill(c, ox, lambda x, y: inside(x - ox, y), color)


def small_envelope(c, i, top=4, bottom=13, paper=PAPER, opened=False):
    if opened:
        put(c, i, in_polygon([(1, top), (8, top - 4), (15, top)]), PAPER_EDGE)
        put(c, i, in_polygon([(2.6, top), (8, top - 2.8), (13.4, top)]), FLAP)
    put(c, i, rounded_rect(1, top, 15, bottom, 0.8), PAPER_EDGE)
    put(c, i, rounded_rect(2, top + 1, 14, bottom - 1, 0), paper)
    fold = top + (bottom - top) * 0.55
    put(c, i, segment(2.5, top + 1.5, 8, fold, 1.1), FLAP)
    put(c, i, segment(13.5, top + 1.5, 8, fold, 1.1), FLAP)


def person(c, i):
    put(c, i, lambda x, y: (x - 7) ** 2 + (y - 4.5) ** 2 <= 3.2 ** 2, PAPER_EDGE)
    put(c, i, lambda x, y: (x - 7) ** 2 + (y - 4.5) ** 2 <= 2.3 ** 2, FACE_SKIN)
    put(c, i, lambda x, y: (x - 7) ** 2 / 36 + (y - 15) ** 2 / 49 <= 1 and y < 15, PAPER_EDGE)
    put(c, i, lambda x, y: (x - 7) ** 2 / 25 + (y - 15) ** 2 / 36 <= 1 and y < 14, PERSON)


def badge(c, i, color):
    put(c, i, lambda x, y: (x - 12) ** 2 + (y - 12) ** 2 <= 4.0 ** 2, WHITE)
    put(c, i, lambda x, y: (x - 12) ** 2 + (y - 12) ** 2 <= 3.3 ** 2, color)
    put(c, i, lambda x, y: 9.8 <= x < 14.2 and 11.3 <= y < 12.7, WHITE)


def page(c, i, spiral):
    put(c, i, rounded_rect(3, 1, 14, 15, 0.6), PAPER_EDGE)
    put(c, i, rounded_rect(4, 2, 13, 14, 0), PAPER)
    for y in (5, 8, 11):
        put(c, i, lambda x, y, row=y: 6 <= x < 12 and row <= y < row + 1, FLAP)
    if spiral:
        for y in (3, 6, 9, 12):
            put(c, i, lambda x, y, row=y: 2 <= x < 5 and row <= y < row + 1, BLACK)


def question(c, i):
    put(c, i, lambda x, y: (x - 8) ** 2 + (y - 8) ** 2 <= 7.3 ** 2, PAPER_EDGE)
    put(c, i, lambda x, y: (x - 8) ** 2 + (y - 8) ** 2 <= 6.4 ** 2, BUSY_BLUE)
    hook = lambda x, y: 2.0 ** 2 <= (x - 8) ** 2 + (y - 6) ** 2 <= 3.1 ** 2 and not (x < 8 and y > 6)
    put(c, i, hook, WHITE)
    put(c, i, lambda x, y: 7 <= x < 9 and 8 <= y < 10.5, WHITE)
    put(c, i, lambda x, y: 7 <= x < 9 and 11.5 <= y < 13.5, WHITE)


def gear(c, i):
    def inside(x, y, grow):
        r = math.hypot(x - 8, y - 8)
        tooth = math.cos(8 * math.atan2(y - 8, x - 8)) > 0.2
        return 2.2 - grow < r <= (7.2 if tooth else 5.3) + grow
    put(c, i, lambda x, y: inside(x, y, 0.7), PAPER_EDGE)
    put(c, i, lambda x, y: inside(x, y, 0.0), (175, 180, 190))


def mail_strip():
    """0 envelope, 1 new message, 2 account, 3 add account, 4 remove account,
    5 letter, 6 message, 7 send mail, 8 mail log, 9 help and control centre,
    10 general preferences."""
    c = Canvas(16 * 11, 16, MAIL_MASK + (255,))
    small_envelope(c, 0)
    small_envelope(c, 1, top=5, bottom=14)
    put(c, 1, in_polygon([(x, y) for x, y in star(11.5, 4.5, 4.4, 1.9)]), STAR_EDGE)
    put(c, 1, in_polygon([(x, y) for x, y in star(11.5, 4.6, 3.3, 1.4)]), STAR)
    person(c, 2)
    person(c, 3)
    badge(c, 3, GO_GREEN)
    put(c, 3, lambda x, y: 11.3 <= x < 12.7 and 9.8 <= y < 14.2, WHITE)
    person(c, 4)
    badge(c, 4, ERROR_RED)
    page(c, 5, spiral=False)
    small_envelope(c, 6, top=6, bottom=15, paper=(235, 235, 225), opened=True)
    small_envelope(c, 7, top=1, bottom=10)
    put(c, 7, in_polygon([(3, 12), (9, 12), (9, 10), (14.5, 13), (9, 16), (9, 14), (3, 14)]),
        GO_GREEN)
    page(c, 8, spiral=True)
    question(c, 9)
    gear(c, 10)
    return c


# --------------------------------------------------------------------------------------
# The account details page: the information picture beside its note. The page paints
# the picture's background colour (its corners) in the button-face colour.

NOTE_BACKGROUND = (255, 0, 255)


def account_note():
    c = Canvas(16, 16, NOTE_BACKGROUND + (255,))
    put(c, 0, lambda x, y: (x - 8) ** 2 + (y - 8) ** 2 <= 7.3 ** 2, PAPER_EDGE)
    put(c, 0, lambda x, y: (x - 8) ** 2 + (y - 8) ** 2 <= 6.4 ** 2, BUSY_BLUE)
    put(c, 0, lambda x, y: (x - 8) ** 2 + (y - 4.5) ** 2 <= 1.3 ** 2, WHITE)
    put(c, 0, lambda x, y: 7 <= x < 9 and 7 <= y < 12.5, WHITE)
    put(c, 0, lambda x, y: 6 <= x < 10 and 11.5 <= y < 12.5, WHITE)
    return c


# The new-mail popup's strip: 16 x 16 images on pure red, which its image list keys out.

NOTIFY_MASK = (255, 0, 0)


def notify_strip():
    """0 envelope, 1 envelope with the star of news (both notifications show it)."""
    c = Canvas(16 * 2, 16, NOTIFY_MASK + (255,))
    small_envelope(c, 0)
    small_envelope(c, 1, top=5, bottom=14)
    put(c, 1, in_polygon(star(11.5, 4.5, 4.4, 1.9)), STAR_EDGE)
    put(c, 1, in_polygon(star(11.5, 4.6, 3.3, 1.4)), STAR)
    return c


def mail_artwork():
    """Yields (file name, bytes) for mail/plugin/res/art/; artwork.rc comes last."""
    rc = ["// Written by tools/make_artwork.py from its drawings: do not edit.", ""]
    for name, stem, state in MAIL_ICONS:
        rc.append('%-26s ICON   "art/%s.ico"' % (name, stem))
        yield stem + ".ico", ico_bytes([mail_icon(s, state) for s in SIZES])
    rc.append("")
    rc.append('%-26s BITMAP "art/%s.bmp"' % ("IDB_MAIL_IMAGES", "mail_images"))
    # 24 bits, as the folder images: the image list keeps the colours of the bitmap.
    yield "mail_images.bmp", bmp_bytes(mail_strip())
    rc.append('%-26s BITMAP "art/%s.bmp"' % ("IDB_ACCOUNT_NOTE", "account_note"))
    yield "account_note.bmp", bmp_bytes(account_note())
    rc.append('%-26s BITMAP "art/%s.bmp"' % ("IDB_NOTIFY_IMAGES", "notify_images"))
    yield "notify_images.bmp", bmp_bytes(notify_strip())
    yield "artwork.rc", ("\n".join(rc) + "\n").encode("ascii")
