#!/usr/bin/env python3
"""Draws the program's images, icons and loading animation into resources/.

Run by hand after changing a drawing (python3 scripts/draw_resource_images.py); the outputs
are committed, so the build never runs this script. Only the standard library is used:
shapes are signed-distance fields sampled at pixel centres (one pixel of soft edge), PNGs are
written with zlib, icons as 32-bit DIB entries and the animation as an LZW-coded GIF.
"""
import math
import os
import struct
import sys
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")

# The dark-grey control-panel palette (also named in resources/values/color.xml).
BG0 = (0x1E, 0x21, 0x25)
BG1 = (0x26, 0x2A, 0x2F)
BG2 = (0x2E, 0x33, 0x39)
BG3 = (0x38, 0x3E, 0x45)
BORDER = (0x44, 0x4B, 0x54)
TEXT = (0xD7, 0xDB, 0xE0)
DIM = (0x8B, 0x93, 0x9C)
ACCENT = (0x3F, 0xA9, 0xF5)
ACCENT2 = (0x2A, 0x7F, 0xC0)
# Under a chosen button's white text: dark enough for 4.5:1 once a colour scheme tints it.
SELECTED = (0x1C, 0x55, 0x88)
RED = (0xD9, 0x3F, 0x45)
GREEN = (0x45, 0xC4, 0x6B)
WHITE = (0xFF, 0xFF, 0xFF)


# --- canvas ---------------------------------------------------------------------------------

class Canvas:
    """Straight-alpha RGBA pixels in floats 0..1, composited with 'over'."""

    def __init__(self, w, h, fill=None):
        self.w, self.h = w, h
        c = (0.0, 0.0, 0.0, 0.0) if fill is None else (*[v / 255 for v in fill], 1.0)
        self.px = [list(c) for _ in range(w * h)]

    def blend(self, x, y, rgb, a):
        if a <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        p = self.px[y * self.w + x]
        sr, sg, sb = (v / 255 for v in rgb)
        da = p[3]
        oa = a + da * (1 - a)
        if oa <= 0:
            return
        for i, s in enumerate((sr, sg, sb)):
            p[i] = (s * a + p[i] * da * (1 - a)) / oa
        p[3] = oa

    def fill(self, sdf, color, alpha=1.0, box=None):
        """Fills the region where sdf(x, y) < 0; color is an (r,g,b) or a function of x, y."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        for y in range(max(0, int(y0) - 1), min(self.h, int(math.ceil(y1)) + 1)):
            for x in range(max(0, int(x0) - 1), min(self.w, int(math.ceil(x1)) + 1)):
                cx, cy = x + 0.5, y + 0.5
                cov = min(1.0, max(0.0, 0.5 - sdf(cx, cy)))
                if cov > 0:
                    rgb = color(cx, cy) if callable(color) else color
                    self.blend(x, y, rgb, cov * alpha)

    def stroke(self, sdf, width, color, alpha=1.0, box=None):
        self.fill(lambda x, y: abs(sdf(x, y)) - width / 2, color, alpha, box)

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                p = other.px[y * other.w + x]
                if p[3] > 0:
                    self.blend(ox + x, oy + y, tuple(v * 255 for v in p[:3]), p[3])

    def rgba_bytes(self):
        out = bytearray()
        for p in self.px:
            out += bytes(max(0, min(255, int(round(v * 255)))) for v in p)
        return bytes(out)


# --- signed distance functions ---------------------------------------------------------------

def rrect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hw, hh = (x1 - x0) / 2, (y1 - y0) / 2
    r = min(r, hw, hh)

    def f(x, y):
        qx, qy = abs(x - cx) - (hw - r), abs(y - cy) - (hh - r)
        outside = math.hypot(max(qx, 0), max(qy, 0))
        return outside + min(max(qx, qy), 0) - r
    return f


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def segment(ax, ay, bx, by, half_width):
    def f(x, y):
        dx, dy = bx - ax, by - ay
        t = 0 if dx == dy == 0 else max(0, min(1, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - half_width
    return f


def polyline(points, half_width):
    segs = [segment(*points[i], *points[i + 1], half_width) for i in range(len(points) - 1)]
    return lambda x, y: min(s(x, y) for s in segs)


def polygon(points):
    n = len(points)

    def f(x, y):
        d = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            dx, dy = bx - ax, by - ay
            t = max(0, min(1, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            d = min(d, math.hypot(x - ax - t * dx, y - ay - t * dy))
            if (ay > y) != (by > y) and x < ax + (y - ay) * dx / dy:
                inside = not inside
        return -d if inside else d
    return f


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def vgrad(y0, y1, c0, c1):
    def f(x, y):
        t = max(0.0, min(1.0, (y - y0) / max(1e-6, y1 - y0)))
        return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(3))
    return f


def mix(c0, c1, t):
    return tuple(int(round(c0[i] + (c1[i] - c0[i]) * t)) for i in range(3))


# --- writers ---------------------------------------------------------------------------------

def png_bytes(c):
    raw = c.rgba_bytes()
    rows = b"".join(b"\x00" + raw[y * c.w * 4:(y + 1) * c.w * 4] for y in range(c.h))

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", c.w, c.h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def write(rel, data):
    path = os.path.join(ROOT, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def ico_bytes(canvases):
    """An icon file of 32-bit DIB entries (BGRA bottom-up plus an AND mask)."""
    header = struct.pack("<HHH", 0, 1, len(canvases))
    entries, blobs = b"", b""
    offset = 6 + 16 * len(canvases)
    for c in canvases:
        raw = c.rgba_bytes()
        xor = bytearray()
        mask = bytearray()
        mask_stride = ((c.w + 31) // 32) * 4
        for y in reversed(range(c.h)):
            row_mask = bytearray(mask_stride)
            for x in range(c.w):
                r, g, b, a = raw[(y * c.w + x) * 4:(y * c.w + x) * 4 + 4]
                xor += bytes((b, g, r, a))
                if a == 0:
                    row_mask[x // 8] |= 0x80 >> (x % 8)
            mask += row_mask
        dib = struct.pack("<IiiHHIIiiII", 40, c.w, c.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blob = dib + bytes(xor) + bytes(mask)
        entries += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return header + entries + blobs


def lzw_encode(indices, min_code_size):
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out = bytearray()
    acc = nbits = 0

    def emit(code, size):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    table = {(i,): i for i in range(clear)}
    next_code, size = end + 1, min_code_size + 1
    emit(clear, size)
    prefix = ()
    for ix in indices:
        cand = prefix + (ix,)
        if cand in table:
            prefix = cand
            continue
        emit(table[prefix], size)
        if next_code < 4096:
            table[cand] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table = {(i,): i for i in range(clear)}
            next_code, size = end + 1, min_code_size + 1
        prefix = (ix,)
    if prefix:
        emit(table[prefix], size)
    emit(end, size)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def gif_bytes(frames, palette, delay_cs):
    """An endlessly looping GIF of index frames (lists of palette indices) of one size."""
    w, h = frames[0][0], frames[0][1]
    pal = b"".join(bytes(c) for c in palette) + b"\x00\x00\x00" * (256 - len(palette))
    out = bytearray(b"GIF89a" + struct.pack("<HHBBB", w, h, 0xF7, 0, 0) + pal)
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    for _, _, idx in frames:
        out += b"\x21\xF9\x04" + struct.pack("<BHBB", 0x04, delay_cs, 0, 0)
        out += b"\x2C" + struct.pack("<HHHHB", 0, 0, w, h, 0)
        data = lzw_encode(idx, 8)
        out += b"\x08"
        for i in range(0, len(data), 255):
            chunk = data[i:i + 255]
            out += bytes((len(chunk),)) + chunk
        out += b"\x00"
    out += b"\x3B"
    return bytes(out)


# --- helpers for strips of state cells -------------------------------------------------------

def strip(cell_w, cell_h, count, draw, vertical=False):
    c = Canvas(cell_w * (1 if vertical else count), cell_h * (count if vertical else 1))
    for i in range(count):
        ox, oy = (0, i * cell_h) if vertical else (i * cell_w, 0)
        draw(c, ox, oy, i)
    return c


def shifted(f, ox, oy):
    return lambda x, y: f(x - ox, y - oy)


# --- the images ------------------------------------------------------------------------------

def caption_button(glyph, hover_bg):
    def draw(c, ox, oy, state):
        w, h = 28, 24
        if state > 0:
            bg = hover_bg if state == 1 else mix(hover_bg, (0, 0, 0), 0.25)
            c.fill(shifted(rrect(1, 1, w - 1, h - 1, 3), ox, oy), bg, box=(ox, oy, ox + w, oy + h))
        col = TEXT if state == 0 else WHITE
        c.fill(shifted(glyph, ox, oy), col, box=(ox, oy, ox + w, oy + h))
    return strip(28, 24, 3, draw)


def img_caption_buttons():
    x_glyph = union(segment(9.5, 7.5, 18.5, 16.5, 0.75), segment(18.5, 7.5, 9.5, 16.5, 0.75))
    yield "btn_close.png", caption_button(x_glyph, RED)
    yield "btn_minimize.png", caption_button(segment(9, 15.5, 19, 15.5, 0.75), BG3)
    box = rrect(9, 7, 19, 17, 1)
    yield "btn_maximize.png", caption_button(lambda x, y: abs(box(x, y)) - 0.6, BG3)
    back = rrect(11, 6, 20, 15, 1)
    front = rrect(8, 9, 17, 18, 1)
    yield "btn_restore.png", caption_button(
        union(lambda x, y: max(abs(back(x, y)) - 0.6, -front(x, y) - 0.6), lambda x, y: abs(front(x, y)) - 0.6), BG3)
    menu = union(*(segment(8.5, y, 19.5, y, 0.8) for y in (8.5, 12, 15.5)))
    yield "btn_menu.png", caption_button(menu, BG3)


def img_dropbtn():
    def draw(c, ox, oy, state):
        col = (DIM, TEXT, ACCENT)[state]
        c.fill(shifted(polyline([(4.5, 6.5), (8, 10), (11.5, 6.5)], 0.9), ox, oy), col, box=(ox, oy, ox + 16, oy + 16))
    return strip(16, 16, 3, draw)


def img_logo(size=28):
    c = Canvas(size, size)
    s = size / 28.0
    c.fill(rrect(1 * s, 1 * s, 27 * s, 27 * s, 6 * s), vgrad(0, size, (0x4F, 0xB8, 0xFF), ACCENT2))
    # a level meter and a wave: the processor's two faces
    for i, hgt in enumerate((6, 11, 15, 9, 13)):
        x = (6.5 + i * 3.8) * s
        c.fill(rrect(x - 1.1 * s, (21 - hgt) * s, x + 1.1 * s, 21 * s, 1 * s), WHITE, 0.92)
    c.fill(rrect(5 * s, 22.5 * s, 23 * s, 24 * s, 0.7 * s), WHITE, 0.6)
    return c


def img_shadow():
    c = Canvas(16, 8)
    for y in range(8):
        for x in range(16):
            c.blend(x, y, (0, 0, 0), 0.45 * (1 - y / 8) ** 2)
    return c


def img_edit_bk():
    def draw(c, ox, oy, state):
        border = BORDER if state == 0 else ACCENT
        c.fill(shifted(rrect(0, 0, 20, 20, 3), ox, oy), border, box=(ox, oy, ox + 20, oy + 20))
        c.fill(shifted(rrect(1, 1, 19, 19, 2.5), ox, oy), (0x18, 0x1B, 0x1F), box=(ox, oy, ox + 20, oy + 20))
    return strip(20, 20, 2, draw, vertical=True)


def img_tip_bg():
    c = Canvas(24, 24)
    c.fill(rrect(0, 0, 24, 24, 5), ACCENT)
    c.fill(rrect(1, 1, 23, 23, 4), (0x20, 0x24, 0x29), 0.96)
    return c


def img_tip2_bg():
    c = Canvas(60, 48)
    body = rrect(1, 1, 59, 34, 6)
    tail = polygon([(9, 33), (21, 33), (11, 46)])
    shape = union(body, tail)
    c.fill(shape, (0xB8, 0xBF, 0xC7))
    c.fill(lambda x, y: shape(x, y) + 1, (0xF6, 0xF8, 0xFA))
    return c


def img_iconlist():
    """The menus' marks, light on their dark ground: 0 check, 1 radio dot, 2 radio ring (an
    unchecked radio item), 3 and 4 the sub-menu arrow, normal and hovered."""
    def draw(c, ox, oy, i):
        box = (ox, oy, ox + 16, oy + 16)
        if i == 0:
            c.fill(shifted(polyline([(3.5, 8.5), (6.5, 11.5), (12.5, 4.5)], 1.0), ox, oy), TEXT, box=box)
        elif i == 1:
            c.fill(shifted(circle(8, 8, 3.2), ox, oy), TEXT, box=box)
        elif i == 2:
            c.stroke(shifted(circle(8, 8, 3.4), ox, oy), 1.0, DIM, box=box)
        else:
            c.fill(shifted(polyline([(6.5, 4.5), (10, 8), (6.5, 11.5)], 0.9), ox, oy), DIM if i == 3 else WHITE,
                   box=box)
    return strip(16, 16, 5, draw)


def img_null():
    return Canvas(4, 6)


def img_bg_round_white():
    # The menus' frame (the resource keeps its listed name): dark like the rest of the program.
    c = Canvas(16, 16)
    c.fill(rrect(0, 0, 16, 16, 5), BORDER)
    c.fill(rrect(1, 1, 15, 15, 4), BG1)
    return c


def img_split():
    c = Canvas(20, 3)
    for x in range(20):
        c.blend(x, 1, BORDER, 1.0)
        c.blend(x, 2, (0, 0, 0), 0.25)
    return c


def img_tab_bg():
    def draw(c, ox, oy, state):
        box = (ox, oy, ox + 24, oy + 30)
        shape = shifted(rrect(1, 2, 23, 36, 5), ox, oy)
        if state == 0:
            c.fill(shape, BG2, 0.55, box=box)
        elif state == 1:
            c.fill(shape, BG3, 0.9, box=box)
        else:
            c.fill(shape, vgrad(oy, oy + 30, (0x3B, 0x42, 0x4A), BG2), box=box)
            c.fill(shifted(rrect(4, 2, 20, 4.5, 1.2), ox, oy), ACCENT, box=box)
        # the bottom row is the seam against the page
        for x in range(24):
            c.blend(ox + x, oy + 29, BORDER if state < 2 else BG2, 1.0)
    return strip(24, 30, 3, draw)


def img_tab_bg2():
    def draw(c, ox, oy, state):
        box = (ox, oy, ox + 24, oy + 24)
        shape = shifted(rrect(1, 1, 23, 23, 4), ox, oy)
        if state == 1:
            c.fill(shape, ACCENT, 0.28, box=box)
        elif state == 2:
            c.fill(shape, vgrad(oy, oy + 24, (0x4A, 0xB2, 0xF7), ACCENT2), box=box)
    return strip(24, 24, 3, draw)


def img_scale():
    c = Canvas(10, 145)
    for i in range(13):
        y = 2 + i * 140 / 12
        major = i % 2 == 0
        c.fill(segment(10 - (8 if major else 5), y, 9.5, y, 0.5), DIM if major else BORDER)
    return c


def rail(w, h, r, colors):
    c = Canvas(w, h)
    c.fill(rrect(0, 0, w, h, r), colors[0])
    c.fill(rrect(1, 1, w - 1, h - 1, r - 1), colors[1] if not callable(colors[1]) else colors[1])
    return c


# Thumbs and rails have four states: 0 normal, 1 hover, 2 pressed, 3 disabled (flat and dark,
# the page's grey rather than the metal of a live control).
DISABLED_TOP = (0x55, 0x5C, 0x64)
DISABLED_BOTTOM = (0x3E, 0x44, 0x4B)


def knob(d, state, ring=True):
    c = Canvas(d, d)
    cx = d / 2
    c.fill(circle(cx, cx + 0.6, cx - 0.5), (0, 0, 0), 0.45)
    if state == 3:
        c.fill(circle(cx, cx, cx - 1.2), vgrad(0, d, DISABLED_TOP, DISABLED_BOTTOM))
        if ring:
            c.fill(circle(cx, cx, d * 0.17), (0x2E, 0x33, 0x39))
        return c
    hover = state == 1
    top = (0xF4, 0xF6, 0xF8) if hover else (0xC8, 0xCD, 0xD3)
    c.fill(circle(cx, cx, cx - 1.2), vgrad(0, d, top, (0xA8, 0xB0, 0xB8) if hover else (0x8E, 0x96, 0x9F)))
    if hover:
        # A hovered knob wears the accent: a rim and a lit centre, plain at a glance.
        c.stroke(circle(cx, cx, cx - 1.4), 1.2, ACCENT)
    if ring:
        centre = ACCENT if state == 2 else (mix((0x5B, 0x63, 0x6C), ACCENT, 0.7) if hover else (0x5B, 0x63, 0x6C))
        c.fill(circle(cx, cx, d * 0.17), centre)
    return c


def img_knob_strip(d):
    out = Canvas(d * 4, d)
    for s in range(4):
        out.paste(knob(d, s), s * d, 0)
    return out


def rail_strip(w, h, r, colors, disabled_colors):
    """A rail in four state cells side by side: the same rail for states 0 to 2, greyed for 3."""
    out = Canvas(w * 4, h)
    for s in range(4):
        out.paste(rail(w, h, r, colors if s < 3 else disabled_colors), s * w, 0)
    return out


def img_fader_cap():
    def draw(c, ox, oy, state):
        box = (ox, oy, ox + 22, oy + 12)
        c.fill(shifted(rrect(1, 1.5, 21, 11.5, 2.5), ox, oy), (0, 0, 0), 0.5, box=box)
        top = (0xE2, 0xE6, 0xEA) if state == 1 else (0xC4, 0xCA, 0xD0)
        bottom = (0x80, 0x88, 0x91)
        if state == 3:
            top, bottom = DISABLED_TOP, DISABLED_BOTTOM
        c.fill(shifted(rrect(1, 0.5, 21, 10.5, 2.5), ox, oy), vgrad(oy, oy + 11, top, bottom), box=box)
        if state == 1:
            c.stroke(shifted(rrect(1.5, 1, 20.5, 10, 2.2), ox, oy), 1.0, ACCENT, box=box)
        line = {1: mix((0x3A, 0x40, 0x47), ACCENT, 0.7), 2: ACCENT}.get(state, (0x3A, 0x40, 0x47))
        c.fill(shifted(segment(3.5, 5.5, 18.5, 5.5, 0.6), ox, oy), line, box=box)
    return strip(22, 12, 4, draw)


def filter_icon(kind):
    """Band type icons: 0 bypass, 1 band pass (peak), 2 low shelf, 3 high shelf."""
    def curve(x):
        if kind == 1:
            return 8 - 5 * math.exp(-((x - 10) / 2.6) ** 2)
        if kind == 2:
            return 10 - 5 / (1 + math.exp((x - 10) / 1.3))
        if kind == 3:
            return 10 - 5 / (1 + math.exp(-(x - 10) / 1.3))
        return 8
    pts = [(3 + i * 0.5, curve(3 + i * 0.5)) for i in range(29)]

    def draw(c, ox, oy, state):
        box = (ox, oy, ox + 20, oy + 16)
        if state == 2:
            c.fill(shifted(rrect(0.5, 0.5, 19.5, 15.5, 3), ox, oy), ACCENT2, box=box)
        elif state == 1:
            c.fill(shifted(rrect(0.5, 0.5, 19.5, 15.5, 3), ox, oy), BG3, box=box)
        else:
            c.stroke(shifted(rrect(1, 1, 19, 15, 3), ox, oy), 1, BORDER, box=box)
        col = (DIM, TEXT, WHITE)[state]
        c.fill(shifted(polyline(pts, 0.7), ox, oy), col, box=box)
        if kind == 0:
            c.fill(shifted(segment(6, 12.5, 14, 3.5, 0.6), ox, oy), RED if state < 2 else WHITE, box=box)
    return strip(20, 16, 3, draw)


def img_radio_minusplus():
    """Cells: 0 normal, 1 hover, 2 checked, 3 disabled, 4 disabled and checked, 5 checked and
    hovered."""
    def draw(c, ox, oy, state):
        box = (ox, oy, ox + 24, oy + 22)
        fill = (BG2, BG3, SELECTED, BG1, (0x2B, 0x3C, 0x4B), mix(SELECTED, WHITE, 0.06))[state]
        # A hovered pill wears the accent's rim, as hovered switches and knobs do; a chosen one
        # keeps its fill, under which its white text reads in every scheme, inside a light rim.
        border = (BORDER, ACCENT, ACCENT, (0x33, 0x38, 0x3E), (0x34, 0x4A, 0x5D),
                  mix(ACCENT, WHITE, 0.6))[state]
        c.fill(shifted(rrect(0, 0, 24, 22, 5), ox, oy), border, box=box)
        c.fill(shifted(rrect(1, 1, 23, 21, 4), ox, oy), vgrad(oy, oy + 22, mix(fill, WHITE, 0.06), fill), box=box)
    return strip(24, 22, 6, draw)


def img_check_button():
    def draw(c, ox, oy, i):
        checked, state = i >= 4, i % 4
        box = (ox, oy, ox + 14, oy + 14)
        border = (BORDER, (0x6A, 0x73, 0x7E), ACCENT, (0x33, 0x38, 0x3E))[state]
        inner = ACCENT2 if checked and state != 3 else (0x18, 0x1B, 0x1F)
        c.fill(shifted(rrect(0.5, 0.5, 13.5, 13.5, 2.5), ox, oy), border, box=box)
        c.fill(shifted(rrect(1.5, 1.5, 12.5, 12.5, 1.8), ox, oy), inner, box=box)
        if checked:
            c.fill(shifted(polyline([(3.8, 7.2), (6, 9.6), (10.4, 4.4)], 0.85), ox, oy),
                   WHITE if state != 3 else DIM, box=box)
    return strip(14, 14, 8, draw)


def img_offonstatus():
    def draw(c, ox, oy, on):
        box = (ox, oy, ox + 12, oy + 12)
        c.fill(shifted(circle(6, 6, 5.5), ox, oy), (0x14, 0x16, 0x19), box=box)
        if on:
            c.fill(shifted(circle(6, 6, 5.2), ox, oy), (0x45, 0xC4, 0x6B), 0.35, box=box)
            c.fill(shifted(circle(6, 6, 3.8), ox, oy), vgrad(oy + 2, oy + 10, (0x9B, 0xF0, 0xB0), GREEN), box=box)
        else:
            c.fill(shifted(circle(6, 6, 3.8), ox, oy), (0x4A, 0x50, 0x57), box=box)
    return strip(12, 12, 2, draw)


def img_main_center(body_top, body_bottom, bar_top, bar_bottom, border):
    c = Canvas(64, 64)
    c.fill(rrect(0, 0, 64, 64, 0), vgrad(40, 64, body_top, body_bottom))
    c.fill(rrect(0, 0, 64, 40, 0), vgrad(0, 40, bar_top, bar_bottom))
    for x in range(64):
        c.blend(x, 39, (0, 0, 0), 0.35)
    for i in range(64):
        c.blend(i, 0, border, 1)
        c.blend(i, 63, border, 1)
        c.blend(0, i, border, 1)
        c.blend(63, i, border, 1)
    return c


def img_main_mask():
    c = Canvas(24, 24)
    c.fill(rrect(0, 0, 24, 24, 6), (0x4A, 0x52, 0x5B), 0.55)
    c.fill(rrect(1, 1, 23, 23, 5), (0x2B, 0x30, 0x36), 0.92)
    return c


def img_guide_thumb(left):
    c = Canvas(20, 17)
    pts = [(18, 2), (18, 15), (5, 8.5)] if left else [(2, 2), (2, 15), (15, 8.5)]
    c.fill(polygon(pts), (0xF0, 0xB4, 0x29), 0.95)
    bar = segment(19, 1.5, 19, 15.5, 0.9) if left else segment(1, 1.5, 1, 15.5, 0.9)
    c.fill(bar, (0xF0, 0xB4, 0x29))
    return c


def img_btn_switch():
    """Cells: 0 off, 1 off and hovered, 2 on, 3 off and disabled, 4 on and disabled, 5 on and
    hovered. A hovered switch shows a lighter track inside an accent rim, on or off."""
    def draw(c, ox, oy, state):
        box = (ox, oy, ox + 36, oy + 18)
        on = state in (2, 4, 5)
        disabled = state in (3, 4)
        hover = state in (1, 5)
        if disabled:
            track = (0x2F, 0x4E, 0x3A) if on else (0x2C, 0x31, 0x37)
        elif on:
            track = mix(GREEN, WHITE, 0.25) if hover else GREEN
        else:
            track = (0x5A, 0x62, 0x6B) if hover else (0x3A, 0x40, 0x47)
        c.fill(shifted(rrect(1, 2, 35, 16, 7), ox, oy), track, box=box)
        if hover:
            c.stroke(shifted(rrect(1.5, 2.5, 34.5, 15.5, 6.5), ox, oy), 1.0, ACCENT, box=box)
        kx = 26 if on else 10
        c.fill(shifted(circle(kx, 9, 6.6), ox, oy), (0, 0, 0), 0.35, box=box)
        knob_top, knob_bottom = (DISABLED_TOP, DISABLED_BOTTOM) if disabled else (WHITE, (0xC2, 0xC8, 0xCF))
        c.fill(shifted(circle(kx, 8.6, 6), ox, oy), vgrad(oy + 3, oy + 15, knob_top, knob_bottom), box=box)
    return strip(36, 18, 6, draw)


def img_scrollbar(vertical):
    """Three state columns (rows when horizontal) of 12-pixel cells: the thumb cell, then the
    rail cell. The rail is a track a user can find on the dark panels, the thumb a light pill on
    it; the thumb's cell carries the track around the pill, so that the bar reads as one."""
    c = Canvas(36, 48) if vertical else Canvas(48, 36)

    def box(x0, y0, x1, y1):  # drawn for the vertical bar, transposed for the horizontal one
        return (x0, y0, x1, y1) if vertical else (y0, x0, y1, x1)
    track = (0x3A, 0x40, 0x47)
    for s in range(3):
        col = ((0x8B, 0x93, 0x9C), (0xB4, 0xBB, 0xC3), ACCENT)[s]
        c.fill(rrect(*box(s * 12, 0, s * 12 + 12, 24), 0.01), track)
        c.fill(rrect(*box(s * 12 + 2, 2, s * 12 + 10, 22), 4), col)
        c.fill(rrect(*box(s * 12, 24, s * 12 + 12, 48), 0.01), track)
    return c


def img_spin_arrow(direction):
    pts = {"up": [(3, 7.5), (6, 4.5), (9, 7.5)], "down": [(3, 4.5), (6, 7.5), (9, 4.5)]}[direction]

    def draw(c, ox, oy, state):
        col = (DIM, TEXT, ACCENT)[state]
        c.fill(shifted(polyline(pts, 0.8), ox, oy), col, box=(ox, oy, ox + 12, oy + 12))
    return strip(12, 12, 3, draw)


IMAGES = {
    "dropbtn.png": img_dropbtn,
    "logo.png": img_logo,
    "shadow.png": img_shadow,
    "edit_bk.png": img_edit_bk,
    "tip_bg.png": img_tip_bg,
    "tip2_bg.png": img_tip2_bg,
    "iconlist.png": img_iconlist,
    "null.png": img_null,
    "bg_round_white.png": img_bg_round_white,
    "split.png": img_split,
    "tab_bg.png": img_tab_bg,
    "tab_bg2.png": img_tab_bg2,
    "scale.png": img_scale,
    "slider_bg.png": lambda: rail(20, 6, 3, ((0x12, 0x14, 0x17), (0x2A, 0x2F, 0x35))),
    "slider_thumb.png": lambda: img_knob_strip(14),
    "slider2_bg.png": lambda: rail(6, 20, 3, ((0x12, 0x14, 0x17), (0x2A, 0x2F, 0x35))),
    "slider2_bg2.png": lambda: rail(6, 20, 3, (ACCENT2, vgrad(0, 20, (0x5B, 0xC0, 0xFF), ACCENT2))),
    "slider2_thumb.png": img_fader_cap,
    "slider3_bg.png": lambda: rail(24, 10, 5, ((0x12, 0x14, 0x17), (0x2A, 0x2F, 0x35))),
    "slider3_bg2.png": lambda: rail_strip(24, 10, 5, (ACCENT2, vgrad(0, 10, (0x6C, 0xC6, 0xFF), ACCENT2)),
                                          ((0x33, 0x39, 0x40), vgrad(0, 10, (0x4E, 0x56, 0x5F), (0x3A, 0x41, 0x48)))),
    "slider3_thumb.png": lambda: img_knob_strip(18),
    "radio_ls.png": lambda: filter_icon(2),
    "radio_p.png": lambda: filter_icon(1),
    "radio_hs.png": lambda: filter_icon(3),
    "radio_by.png": lambda: filter_icon(0),
    "radio_minusplus.png": img_radio_minusplus,
    "check_button.png": img_check_button,
    "offonstatus.png": img_offonstatus,
    "main_center.png": lambda: img_main_center((0x25, 0x29, 0x2E), (0x1D, 0x20, 0x24), (0x31, 0x36, 0x3C),
                                               (0x28, 0x2C, 0x31), (0x45, 0x4C, 0x55)),
    "main_center_black.png": lambda: img_main_center((0x14, 0x15, 0x17), (0x0C, 0x0D, 0x0E), (0x1E, 0x20, 0x23),
                                                     (0x15, 0x16, 0x18), (0x2E, 0x31, 0x35)),
    "main_mask.png": img_main_mask,
    "left_thumb.png": lambda: img_guide_thumb(True),
    "right_thumb.png": lambda: img_guide_thumb(False),
    "btn_switch.png": img_btn_switch,
    "vscrollbar.png": lambda: img_scrollbar(True),
    "hscrollbar.png": lambda: img_scrollbar(False),
    "arrow_up.png": lambda: img_spin_arrow("up"),
    "arrow_down.png": lambda: img_spin_arrow("down"),
}


def loading_frames(size=64, count=12):
    """A ring of twelve dots whose bright one walks round, on the dialog's background."""
    palette = [mix(BG1, ACCENT, i / 255) for i in range(256)]
    frames = []
    for f in range(count):
        c = Canvas(size, size, fill=BG1)
        for d in range(count):
            ang = 2 * math.pi * d / count - math.pi / 2
            cx = size / 2 + math.cos(ang) * size * 0.36
            cy = size / 2 + math.sin(ang) * size * 0.36
            age = (f - d) % count
            c.fill(circle(cx, cy, size * 0.07), ACCENT, max(0.15, 1 - age / (count * 0.75)))
        idx = []
        bg = [v / 255 for v in BG1]
        for p in c.px:
            # every pixel lies on the line from the background to the accent colour
            t = (p[2] - bg[2]) / max(1e-6, ACCENT[2] / 255 - bg[2])
            idx.append(max(0, min(255, int(round(t * 255)))))
        frames.append((size, size, idx))
    return frames, palette


def main():
    for name, make in IMAGES.items():
        write(os.path.join("image", name), png_bytes(make()))
    for name, canvas in img_caption_buttons():
        write(os.path.join("image", name), png_bytes(canvas))
    write("icon/logo.ico", ico_bytes([img_logo(16), img_logo(32), img_logo(48)]))
    write("icon/logo_16.ico", ico_bytes([img_logo(16)]))
    write("icon/logo_64.ico", ico_bytes([img_logo(64)]))
    frames, palette = loading_frames()
    write("gif/loading.gif", gif_bytes(frames, palette, 8))
    total = 0
    for sub in ("image", "icon", "gif"):
        for f in os.listdir(os.path.join(ROOT, sub)):
            total += os.path.getsize(os.path.join(ROOT, sub, f))
    print("images written: %d bytes in all" % total)
    if len(sys.argv) > 2 and sys.argv[1] == "--sheet":
        write_sheet(sys.argv[2])
    return 0


def write_sheet(path):
    """A contact sheet of every image at 3x on a mid-grey ground, for looking at them."""
    cells = [(n, m()) for n, m in IMAGES.items()] + list(img_caption_buttons())
    cells.append(("logo64", img_logo(64)))
    frames, palette = loading_frames()
    for i in (0, 3):
        c = Canvas(64, 64)
        c.px = [[v / 255 for v in palette[ix]] + [1.0] for ix in frames[i][2]]
        cells.append(("gif%d" % i, c))
    scale, pad = 3, 8
    width = 1400
    x = y = pad
    row_h = 0
    placed = []
    for name, c in cells:
        w, h = c.w * scale, c.h * scale
        if x + w + pad > width:
            x, y = pad, y + row_h + pad
            row_h = 0
        placed.append((x, y, c))
        x += w + pad
        row_h = max(row_h, h)
    sheet = Canvas(width, y + row_h + pad, fill=(0x50, 0x55, 0x5B))
    for x, y, c in placed:
        for yy in range(c.h * scale):
            for xx in range(c.w * scale):
                p = c.px[(yy // scale) * c.w + xx // scale]
                sheet.blend(x + xx, y + yy, tuple(v * 255 for v in p[:3]), p[3])
    with open(path, "wb") as f:
        f.write(png_bytes(sheet))


if __name__ == "__main__":
    sys.exit(main())
