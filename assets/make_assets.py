#!/usr/bin/env python3
"""Draws Vantrel's pictures and writes them beside this script (the desktop icons in icons/).

    python3 make_assets.py

The four sprites are pure black on pure white: the game combines every sprite with the frame by
a bitwise AND, so white is transparent and black draws black, and any grey would leave odd colour
bits behind. The icons and the about screen's picture are never ANDed and may use any colour.
Plain Python 3 with no third-party modules; the output is the same on every run.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)


# --- File formats -------------------------------------------------------------------------

def bmp24(width, height, pixel):
    """An uncompressed 24-bit BMP; pixel(x, y) gives (r, g, b) with y downwards."""
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(height)):  # BMP rows run bottom-up
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row) + bytes(stride - len(row)))
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + data


def ico_entry_dib(size, pixel):
    """One icon image as a 32-bit DIB with its AND mask; pixel(x, y) gives (r, g, b, a)."""
    colour = bytearray()
    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row_mask = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = pixel(x, y)
            colour += bytes((b, g, r, a))
            if a == 0:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask += row_mask
    # An icon's DIB header counts the colour rows and the mask rows together.
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return info + bytes(colour) + bytes(mask)


def ico(images):
    """An .ico file holding the given (size, pixel) images."""
    header = struct.pack("<HHH", 0, 1, len(images))
    bodies = [ico_entry_dib(size, pixel) for size, pixel in images]
    offset = len(header) + 16 * len(images)
    entries = b""
    for (size, _), body in zip(images, bodies):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
    return header + entries + b"".join(bodies)


def png_rgba(width, height, pixel):
    """A PNG with an alpha channel; pixel(x, y) gives (r, g, b, a)."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


# --- Sprites: black shapes on white ----------------------------------------------------------

PADDLE_W, PADDLE_H = 25, 75
PADDLE_CORNER = 6  # small enough that the middle columns stay black from the top row to the bottom


def paddle(x, y):
    # A black bar with rounded corners and a thin shine down its left side.
    cx = min(max(x, PADDLE_CORNER), PADDLE_W - 1 - PADDLE_CORNER)
    cy = min(max(y, PADDLE_CORNER), PADDLE_H - 1 - PADDLE_CORNER)
    if (x - cx) ** 2 + (y - cy) ** 2 > PADDLE_CORNER ** 2 + 1:
        return WHITE
    if x == 5 and 12 <= y <= PADDLE_H - 13:
        return WHITE
    return BLACK


BALL = 25


def ball(x, y):
    # A black disc with a small round glint up and to the left of its centre.
    c = (BALL - 1) / 2
    if (x - c) ** 2 + (y - c) ** 2 > 12.4 ** 2:
        return WHITE
    if (x - 8) ** 2 + (y - 8) ** 2 <= 2.3 ** 2:
        return WHITE
    return BLACK


# --- Drawing with coverage, for the pictures that are not ANDed ----------------------------

SAMPLES = 4  # sub-samples per pixel on each axis: smooth edges without blur


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def scale(c, k):
    return tuple(min(255.0, v * k) for v in c)


def render(width, height, background, shapes, outline=None):
    """Each shape is (inside(x, y), colour(x, y)), painted back to front. With an outline
    colour, every edge between two shapes (or a shape and the background) is inked.
    Returns pixel(x, y) -> (r, g, b, a), averaged over SAMPLES x SAMPLES sub-samples."""
    n = SAMPLES
    sw, sh = width * n, height * n
    ids = [[-1] * sw for _ in range(sh)]
    cols = [[None] * sw for _ in range(sh)]
    for sy in range(sh):
        y = (sy + 0.5) / n
        for sx in range(sw):
            x = (sx + 0.5) / n
            for i in range(len(shapes) - 1, -1, -1):
                inside, colour = shapes[i]
                if inside(x, y):
                    ids[sy][sx] = i
                    cols[sy][sx] = colour(x, y)
                    break
    ink = n // 2 + 1  # an outline about half a pixel wide

    def edge(sx, sy):
        me = ids[sy][sx]
        for dx, dy in ((ink, 0), (-ink, 0), (0, ink), (0, -ink)):
            ox, oy = sx + dx, sy + dy
            if 0 <= ox < sw and 0 <= oy < sh:
                other = ids[oy][ox]
                # The nearer shape keeps its edge clean and the ink goes on the one behind;
                # the background takes none, so a silhouette is inked on its own side.
                if me >= 0 and other != me and (other == -1 or me < other):
                    return True
        return False

    out = [[None] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(y * n, y * n + n):
                for sx in range(x * n, x * n + n):
                    if outline is not None and edge(sx, sy):
                        c, a = outline, 1.0
                    elif ids[sy][sx] >= 0:
                        c, a = cols[sy][sx], 1.0
                    else:
                        c = background(sx / n, sy / n)
                        a = 1.0 if len(c) == 3 else c[3] / 255
                    acc[0] += c[0] * a
                    acc[1] += c[1] * a
                    acc[2] += c[2] * a
                    acc[3] += a
            alpha = acc[3] / (n * n)
            if acc[3] == 0:
                out[y][x] = (0, 0, 0, 0)
            else:
                out[y][x] = tuple(int(round(v / acc[3])) for v in acc[:3]) + (int(round(alpha * 255)),)
    return lambda x, y: out[y][x]


# Shape helpers: each returns inside(x, y).

def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def rounded_box(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def capsule(ax, ay, bx, by, r):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy))
        return (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= r * r
    return inside


def union(*parts):
    return lambda x, y: any(p(x, y) for p in parts)


# --- QUILLON: a knight in shining white armour on the rampart, sword planted before him ------

Q_W, Q_H = 137, 150
MID = Q_W / 2

# The about screen shows the picture's top-left part unscaled: its box is 94 x 103 with a sunken
# frame two pixels wide inside. The knight is drawn whole within that part, at this scale of the
# full-size figure; the rest of the picture is more night sky and rampart.
SHOWN_W, SHOWN_H = 90, 99
FIGURE_SCALE = 0.6
FIGURE_TOP = 2
RAMPART_TOP = 84  # the merlons' tops; the wall runs from there to the picture's foot

SKY_TOP = (14, 24, 58)
SKY_LOW = (64, 38, 86)
STEEL = (226, 233, 246)
GOLD = (222, 176, 60)
CRIMSON = (150, 24, 36)
STONE = (92, 90, 104)


def metal(cx, half, base=STEEL):
    """Polished plate lit from the upper left: bright band left of the middle, dark rim right."""
    def colour(x, y):
        t = (x - cx) / half
        light = 0.62 + 0.42 * (1 - min(1.0, abs(t + 0.35)))
        if abs(t + 0.45) < 0.10:
            return (255, 255, 255)
        return scale(base, light)
    return colour


def flat(c):
    return lambda x, y: c


def sky(x, y):
    c = mix(SKY_TOP, SKY_LOW, clamp(y / Q_H))
    # A fixed scatter of stars: an integer hash of the pixel keeps them the same on every run.
    n = (int(x) * 374761393 + int(y) * 668265263) & 0xFFFFFFFF
    n = ((n ^ (n >> 13)) * 1274126177) & 0xFFFFFFFF
    n ^= n >> 16
    if y < 90 and n % 1000 < 7:
        return mix(c, (240, 240, 255), 0.5 + (n % 7) / 12)
    return c


def plume_shape():
    # A crimson plume sweeping back from the crown of the helm.
    parts = []
    for i in range(41):
        t = i / 40
        px = MID + 4 + 44 * t
        py = 20 - 20 * math.sin(t * math.pi * 0.8) + 14 * t * t
        parts.append(circle(px, py, 7 - 4.5 * t))
    return union(*parts)


def figure():
    """The knight at full size, standing in the middle of a Q_W x Q_H field."""
    helm = rounded_box(MID - 19, 16, MID + 19, 62, 14)
    return [
        # cape behind the shoulders
        (polygon([(MID - 32, 70), (MID + 32, 70), (MID + 52, Q_H), (MID - 52, Q_H)]),
         lambda x, y: scale(CRIMSON, 0.7 + 0.5 * (1 - abs(x - MID) / 52))),
        (plume_shape(), lambda x, y: mix(CRIMSON, (230, 70, 70), clamp((x - MID) / 48))),
        # breastplate and skirt of plates
        (polygon([(MID - 26, 68), (MID + 26, 68), (MID + 20, 120), (MID - 20, 120)]), metal(MID, 26)),
        (polygon([(MID - 21, 120), (MID + 21, 120), (MID + 27, Q_H), (MID - 27, Q_H)]), metal(MID, 27)),
        (rounded_box(MID - 22, 116, MID + 22, 124, 3), flat(scale(GOLD, 0.75))),  # belt
        # arms reaching to the grip
        (capsule(MID - 34, 82, MID - 7, 100, 7), metal(MID - 20, 16, scale(STEEL, 0.86))),
        (capsule(MID + 34, 82, MID + 7, 100, 7), metal(MID + 20, 16, scale(STEEL, 0.86))),
        # pauldrons
        (ellipse(MID - 31, 76, 15, 11), metal(MID - 31, 15)),
        (ellipse(MID + 31, 76, 15, 11), metal(MID + 31, 15)),
        # gorget and helm with its visor slit and breaths
        (rounded_box(MID - 13, 56, MID + 13, 70, 4), metal(MID, 13)),
        (helm, metal(MID, 19)),
        (rounded_box(MID - 14, 36, MID + 14, 40, 1.5), flat((20, 20, 34))),
        (rounded_box(MID - 1.2, 40, MID + 1.2, 54, 1), flat((20, 20, 34))),
        # the sword, point down: blade, crossguard with its curled quillons, grip, pommel
        (polygon([(MID - 3.5, 104), (MID + 3.5, 104), (MID + 3.5, 140), (MID, Q_H - 1), (MID - 3.5, 140)]),
         lambda x, y: (250, 252, 255) if abs(x - MID) < 0.8 else metal(MID, 3.5, (200, 212, 232))(x, y)),
        (rounded_box(MID - 2, 80, MID + 2, 100, 1), flat((96, 56, 30))),
        (circle(MID, 78, 3.6), metal(MID, 3.6, GOLD)),
        (union(rounded_box(MID - 20, 99, MID + 20, 104, 2.5), circle(MID - 21, 98, 3.2), circle(MID + 21, 98, 3.2)),
         metal(MID, 22, GOLD)),
        # gauntlets round the grip
        (circle(MID - 5, 92, 5.5), metal(MID - 5, 5.5)),
        (circle(MID + 5, 92, 5.5), metal(MID + 5, 5.5)),
    ]


def placed(shape):
    """A shape of the full-size figure, scaled down into the middle of the shown part."""
    inside, colour = shape
    fx = lambda x: MID + (x - SHOWN_W / 2) / FIGURE_SCALE
    fy = lambda y: (y - FIGURE_TOP) / FIGURE_SCALE
    return (lambda x, y: inside(fx(x), fy(y)), lambda x, y: colour(fx(x), fy(y)))


def rampart(x, y):
    # Merlons 10 wide with gaps of 6, on a wall that hides the knight from the waist down.
    return y >= RAMPART_TOP + 5 or (y >= RAMPART_TOP and x % 16 < 10)


def stone(x, y):
    course = int(y - RAMPART_TOP) // 6
    joint = (y - RAMPART_TOP) % 6 < 0.6 or (x + 8 * (course % 2)) % 16 < 0.6
    return scale(STONE, 0.6 if joint else 1.0 - 0.15 * ((x // 16 + course) % 2))


def quillon():
    shapes = [placed(part) for part in figure()] + [(rampart, stone)]
    return render(Q_W, Q_H, sky, shapes, outline=(18, 16, 30))


# --- Icons -------------------------------------------------------------------------------------

ICON_BACK = (22, 34, 74)
ICON_WALL = (150, 170, 210)


def icon(size):
    # The arena in small: a paddle on each side, a wall in front of each with one broken row,
    # and the ball between them.
    k = size / 32
    clear = lambda x, y: (0, 0, 0, 0)
    shapes = [
        (rounded_box(0, 0, size, size, 6 * k), flat(ICON_BACK)),
        (lambda x, y: abs(x - 9.5 * k) < max(0.5, k) and not 13 * k <= y <= 17 * k and 4 * k <= y <= size - 4 * k,
         flat(ICON_WALL)),
        (lambda x, y: abs(x - 22.5 * k) < max(0.5, k) and 4 * k <= y <= size - 4 * k, flat(ICON_WALL)),
        (rounded_box(3 * k, 6 * k, 6.5 * k, 17 * k, 1.5 * k), flat(WHITE)),
        (rounded_box(25.5 * k, 14 * k, 29 * k, 25 * k, 1.5 * k), flat(WHITE)),
        (circle(15.5 * k, 15.5 * k, 3.8 * k), flat((255, 214, 90))),
    ]
    return render(size, size, clear, shapes)


# The desktop's icon theme picks the size nearest to what it draws; these cover menus and
# launchers up to large icon views. 16 and 32 are the same pictures as ICON.ico's.
THEME_ICON_SIZES = (16, 32, 48, 64, 128, 256)


def write(name, data):
    path = os.path.join(HERE, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    write("PADDLE.bmp", bmp24(PADDLE_W, PADDLE_H, paddle))
    write("BALL.bmp", bmp24(BALL, BALL, ball))
    write("BULLET.bmp", bmp24(3, 3, lambda x, y: BLACK))
    write("WALL.bmp", bmp24(1, 1, lambda x, y: BLACK))
    q = quillon()
    write("QUILLON.bmp", bmp24(Q_W, Q_H, lambda x, y: q(x, y)[:3]))
    write("ICON.ico", ico([(16, icon(16)), (32, icon(32))]))
    write("INVIS.png", png_rgba(32, 32, lambda x, y: (0, 0, 0, 0)))
    for size in THEME_ICON_SIZES:
        write(f"icons/vantrel-{size}.png", png_rgba(size, size, icon(size)))


if __name__ == "__main__":
    main()
