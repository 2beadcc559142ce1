#!/usr/bin/env python3
"""Draws the client's built-in artwork: the PNG set of the skin and the icon.

Run once; the results are committed under res/. Standard library only.
Every image has the id and pixel size the skin expects.
"""
import math
import os
import struct
import sys
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")


class Canvas:
    def __init__(self, w, h, rgba=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.px = [list(rgba) for _ in range(w * h)]

    def blend(self, x, y, color, cover=1.0):
        if not (0 <= x < self.w and 0 <= y < self.h):
            return
        r, g, b, a = color
        a = a / 255.0 * cover
        if a <= 0:
            return
        d = self.px[y * self.w + x]
        da = d[3] / 255.0
        oa = a + da * (1 - a)
        for i, c in enumerate((r, g, b)):
            d[i] = int(round((c * a + d[i] * da * (1 - a)) / oa)) if oa > 0 else 0
        d[3] = int(round(oa * 255))

    def fill(self, x0, y0, x1, y1, color):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.blend(x, y, color)

    def round_rect(self, x0, y0, x1, y1, radius, color_at):
        """Anti-aliased rounded rectangle; color_at(x, y) gives the colour."""
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                cx = min(max(x + 0.5, x0 + radius), x1 - radius)
                cy = min(max(y + 0.5, y0 + radius), y1 - radius)
                dist = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                cover = min(1.0, max(0.0, radius - dist + 0.5))
                if cover > 0:
                    self.blend(x, y, color_at(x, y), cover)

    def line(self, x0, y0, x1, y1, width, color):
        minx, maxx = int(min(x0, x1) - width), int(max(x0, x1) + width) + 1
        miny, maxy = int(min(y0, y1) - width), int(max(y0, y1) + width) + 1
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1e-9
        for y in range(miny, maxy):
            for x in range(minx, maxx):
                px, py = x + 0.5, y + 0.5
                t = max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / length2))
                dist = math.hypot(px - (x0 + t * dx), py - (y0 + t * dy))
                cover = min(1.0, max(0.0, width / 2 - dist + 0.5))
                if cover > 0:
                    self.blend(x, y, color, cover)

    def ring(self, cx, cy, radius, width, color, start=0.0, end=360.0):
        steps = max(12, int(radius * 2))
        pts = [(cx + radius * math.cos(math.radians(start + (end - start) * i / steps)),
                cy + radius * math.sin(math.radians(start + (end - start) * i / steps)))
               for i in range(steps + 1)]
        for (ax, ay), (bx, by) in zip(pts, pts[1:]):
            self.line(ax, ay, bx, by, width, color)

    def disc(self, cx, cy, radius, color):
        for y in range(int(cy - radius) - 1, int(cy + radius) + 2):
            for x in range(int(cx - radius) - 1, int(cx + radius) + 2):
                dist = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                cover = min(1.0, max(0.0, radius - dist + 0.5))
                if cover > 0:
                    self.blend(x, y, color, cover)


def write_png(path, canvas, alpha=True):
    rows = bytearray()
    for y in range(canvas.h):
        rows.append(0)
        for x in range(canvas.w):
            p = canvas.px[y * canvas.w + x]
            rows.extend(p if alpha else p[:3])

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", canvas.w, canvas.h, 8, 6 if alpha else 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(rows), 9))
                + chunk(b"IEND", b""))


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


# Three looks per button: normal, hover (lighter), pressed (darker).
STATES = (
    ((38, 92, 150, 255), (78, 140, 205, 255)),
    ((70, 135, 200, 255), (120, 185, 240, 255)),
    ((24, 60, 105, 255), (40, 85, 140, 255)),
)
WHITE = (255, 255, 255, 255)


def button(w, h, state, glyph, radius=None, inset=0):
    c = Canvas(w, h)
    top, bottom = STATES[state]
    r = radius if radius is not None else min(w, h) // 2
    c.round_rect(inset, inset, w - inset, h - inset, r,
                 lambda x, y: mix(bottom, top, 1 - y / max(1, h - 1)))
    glyph(c, state)
    return c


def glyph_close(c, s):
    m = c.w * 0.32
    c.line(m, m * c.h / c.w, c.w - m, c.h - m * c.h / c.w, 2.4, WHITE)
    c.line(c.w - m, m * c.h / c.w, m, c.h - m * c.h / c.w, 2.4, WHITE)


def glyph_min(c, s):
    c.line(c.w * 0.3, c.h * 0.62, c.w * 0.7, c.h * 0.62, 2.4, WHITE)


def glyph_max(c, s):
    x0, y0, x1, y1 = c.w * 0.3, c.h * 0.28, c.w * 0.7, c.h * 0.72
    for a, b in (((x0, y0), (x1, y0)), ((x1, y0), (x1, y1)), ((x1, y1), (x0, y1)), ((x0, y1), (x0, y0))):
        c.line(a[0], a[1], b[0], b[1], 1.6, WHITE)


def glyph_restore(c, s):
    for off in (0, 3):
        x0, y0 = c.w * 0.3 + off, c.h * 0.36 - off
        x1, y1 = x0 + c.w * 0.3, y0 + c.h * 0.36
        for a, b in (((x0, y0), (x1, y0)), ((x1, y0), (x1, y1)), ((x1, y1), (x0, y1)), ((x0, y1), (x0, y0))):
            c.line(a[0], a[1], b[0], b[1], 1.4, WHITE)


def glyph_pack(c, s):
    c.line(c.w * 0.3, c.h * 0.4, c.w * 0.5, c.h * 0.62, 2.0, WHITE)
    c.line(c.w * 0.5, c.h * 0.62, c.w * 0.7, c.h * 0.4, 2.0, WHITE)


def glyph_home(c, s):
    cx, base = c.h * 0.55 + 4, c.h * 0.75
    c.line(cx - 8, c.h * 0.5, cx, c.h * 0.22, 2.0, WHITE)
    c.line(cx, c.h * 0.22, cx + 8, c.h * 0.5, 2.0, WHITE)
    c.fill(int(cx - 6), int(c.h * 0.48), int(cx + 6), int(base), WHITE)
    bars(c, cx + 14)


def glyph_pay(c, s):
    cx = c.h * 0.55 + 4
    c.ring(cx, c.h / 2, 7, 2.0, WHITE)
    c.line(cx, c.h / 2 - 4, cx, c.h / 2 + 4, 1.6, WHITE)
    bars(c, cx + 14)


def glyph_kf(c, s):
    cx = c.h * 0.55 + 4
    c.ring(cx, c.h / 2 + 1, 7, 2.0, WHITE, 180, 360)
    c.fill(int(cx - 9), int(c.h / 2), int(cx - 5), int(c.h / 2 + 6), WHITE)
    c.fill(int(cx + 5), int(c.h / 2), int(cx + 9), int(c.h / 2 + 6), WHITE)
    bars(c, cx + 14)


def glyph_bbs(c, s):
    cx = c.h * 0.55 + 4
    c.round_rect(int(cx - 9), int(c.h * 0.25), int(cx + 9), int(c.h * 0.68), 4, lambda x, y: WHITE)
    c.line(cx - 4, c.h * 0.66, cx - 7, c.h * 0.85, 2.0, WHITE)
    bars(c, cx + 14)


def bars(c, x0):
    # Stands for the label text: two light bars.
    c.round_rect(int(x0), int(c.h * 0.34), int(c.w - 10), int(c.h * 0.46), 2, lambda x, y: (255, 255, 255, 230))
    c.round_rect(int(x0), int(c.h * 0.56), int(c.w - 22), int(c.h * 0.66), 2, lambda x, y: (255, 255, 255, 170))


def glyph_refresh(c, s):
    r = c.h * 0.3
    cx = c.h * 0.5 + 3
    c.ring(cx, c.h / 2, r, 1.6, WHITE, 30, 320)
    c.line(cx + r * 0.9, c.h / 2 - r * 0.6, cx + r * 0.9, c.h / 2 + 1, 1.6, WHITE)
    c.round_rect(int(cx + r + 5), int(c.h * 0.4), int(c.w - 6), int(c.h * 0.6), 1, lambda x, y: WHITE)


def glyph_cache(c, s):
    cx = c.h * 0.5 + 3
    c.fill(int(cx - 3), int(c.h * 0.3), int(cx + 4), int(c.h * 0.75), WHITE)
    c.line(cx - 5, c.h * 0.3, cx + 6, c.h * 0.3, 1.4, WHITE)
    c.round_rect(int(cx + 9), int(c.h * 0.4), int(c.w - 6), int(c.h * 0.6), 1, lambda x, y: WHITE)


def launcher_background():
    w, h = 1288, 780
    c = Canvas(w, h)
    x0, y0, x1, y1 = 140, 128, 1148, 652
    # A soft glow around the panel gives the shape a translucent edge.
    for y in range(y0 - 24, y1 + 24):
        for x in range(x0 - 24, x1 + 24):
            dx = max(x0 - x, 0, x - x1 + 1)
            dy = max(y0 - y, 0, y - y1 + 1)
            d = math.hypot(dx, dy)
            if 0 < d < 24:
                c.blend(x, y, (90, 160, 230, int(110 * (1 - d / 24) ** 2)))
    sky_top, sky_bottom = (16, 34, 66, 255), (64, 112, 168, 255)
    c.round_rect(x0, y0, x1, y1, 22, lambda x, y: mix(sky_top, sky_bottom, (y - y0) / (y1 - y0)))
    # Frosted ridges behind the page area.
    for layer, (shade, base, amp, freq) in enumerate((((120, 160, 200, 255), 560, 70, 0.011),
                                                       ((200, 220, 240, 255), 610, 45, 0.017))):
        for x in range(x0 + 8, x1 - 8):
            ridge = base - amp * abs(math.sin(x * freq + layer)) - 20 * math.sin(x * 0.05)
            for y in range(int(ridge), y1 - 8):
                c.blend(x, y, shade)
    # Header band with the title mark.
    c.round_rect(x0 + 12, y0 + 12, x1 - 12, y0 + 70, 14, lambda x, y: (10, 22, 44, 200))
    for i, (a, b) in enumerate(((190, 150), (206, 110), (222, 150))):
        c.line(x0 + 30 + i * 16, y0 + 58, x0 + 38 + i * 16, y0 + 24, 4, (235, 240, 250, 255))
    c.round_rect(x0 + 100, y0 + 32, x0 + 330, y0 + 48, 6, lambda x, y: (235, 240, 250, 230))
    # Frame of the page area (435, 205)-(1115, 575), slightly larger.
    c.round_rect(425, 195, 1125, 585, 10, lambda x, y: (8, 16, 32, 235))
    c.fill(435, 205, 1115, 575, (245, 248, 252, 255))
    return c


def title_bar():
    c = Canvas(1250, 32, (0, 0, 0, 255))
    for y in range(32):
        col = mix((52, 74, 110, 255), (22, 34, 56, 255), y / 31)
        for x in range(1250):
            c.px[y * 1250 + x] = list(col)
    c.fill(0, 0, 1250, 1, (110, 150, 200, 255))
    c.fill(0, 31, 1250, 32, (8, 12, 20, 255))
    # The 120-pixel left part carries the mark; the right 10 pixels close the bar.
    for i in range(3):
        c.line(14 + i * 14, 24, 21 + i * 14, 7, 3.2, (230, 236, 248, 255))
    c.round_rect(62, 12, 112, 20, 3, lambda x, y: (230, 236, 248, 255))
    c.fill(1240, 1, 1250, 31, (70, 100, 140, 255))
    return c


def icon_image(size):
    c = Canvas(size, size)
    c.round_rect(0, 0, size, size, size // 5,
                 lambda x, y: mix((30, 70, 130, 255), (90, 150, 220, 255), y / size))
    s = size / 32
    for i in range(3):
        c.line((7 + i * 7) * s, 25 * s, (11 + i * 7) * s, 8 * s, 2.6 * s, WHITE)
    return c


def write_ico(path, sizes):
    images = []
    for size in sizes:
        c = icon_image(size)
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        xor = bytearray()
        for y in range(size - 1, -1, -1):
            for x in range(size):
                r, g, b, a = c.px[y * size + x]
                xor.extend((b, g, r, a))
        mask_row = ((size + 31) // 32) * 4
        images.append((size, header + bytes(xor) + bytes(mask_row * size)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(data for _, data in images))


def main():
    png = os.path.join(OUT, "png")
    os.makedirs(png, exist_ok=True)
    sets = [
        (311, (48, 41), glyph_close), (314, (42, 35), glyph_min),
        (318, (24, 20), glyph_close), (321, (24, 20), glyph_min), (324, (24, 20), glyph_max),
        (327, (24, 20), glyph_restore), (330, (24, 20), glyph_pack),
        (334, (84, 26), glyph_bbs), (337, (84, 26), glyph_home), (340, (84, 26), glyph_kf),
        (343, (84, 26), glyph_pay),
    ]
    for first, (w, h), glyph in sets:
        radius = 4 if w == 24 else None
        for state in range(3):
            write_png(os.path.join(png, f"{first + state}.png"), button(w, h, state, glyph, radius))
    # Refresh and clear-cache: the hover image is 4 pixels larger.
    for first, (w, h), glyph in ((350, (51, 16), glyph_refresh), (353, (79, 15), glyph_cache)):
        for state in range(3):
            grow = 4 if state == 1 else 0
            write_png(os.path.join(png, f"{first + state}.png"),
                      button(w + grow, h + grow, state, glyph, radius=(h + grow) // 2))
    write_png(os.path.join(png, "347.png"), title_bar(), alpha=False)
    write_png(os.path.join(png, "348.png"), launcher_background())
    write_ico(os.path.join(OUT, "client.ico"), (32, 16))


if __name__ == "__main__":
    sys.exit(main())
