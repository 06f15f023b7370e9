#!/usr/bin/env python3
"""Draws the images of the framework's built-in skins into swui/res/images/.

The images are part of the repository; run this only to change them. Shapes are sampled
4 x 4 per pixel for smooth edges; files are 8-bit RGBA PNGs (straight alpha). Needs only the
Python standard library.
"""
import math
import os
import struct
import sys
import zlib

SS = 4  # samples per pixel along each axis

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "swui", "res", "images")


def rgba(text, alpha=255):
    text = text.lstrip("#")
    return (int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16), alpha)


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        # premultiplied floats, 0..1
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]

    def fill(self, inside, color, box=None):
        """Composites color (an RGBA tuple, or a function of x, y giving one) over every pixel
        by the share of its samples that inside(x, y) accepts."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for sy in range(SS):
                    for sx in range(SS):
                        if inside(x + (sx + 0.5) / SS, y + (sy + 0.5) / SS):
                            hits += 1
                if hits == 0:
                    continue
                c = color(x + 0.5, y + 0.5) if callable(color) else color
                a = c[3] / 255.0 * hits / (SS * SS)
                p = self.px[y * self.w + x]
                for i in range(3):
                    p[i] = c[i] / 255.0 * a + p[i] * (1.0 - a)
                p[3] = a + p[3] * (1.0 - a)

    def set_pixel(self, x, y, color):
        a = color[3] / 255.0
        self.px[y * self.w + x] = [color[0] / 255.0 * a, color[1] / 255.0 * a,
                                   color[2] / 255.0 * a, a]

    def save(self, name):
        rows = []
        for y in range(self.h):
            row = bytearray([0])
            for x in range(self.w):
                r, g, b, a = self.px[y * self.w + x]
                if a <= 0.0:
                    row += bytes(4)
                    continue
                row += bytes([min(255, int(round(r / a * 255))), min(255, int(round(g / a * 255))),
                              min(255, int(round(b / a * 255))), min(255, int(round(a * 255)))])
            rows.append(bytes(row))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        png = b"\x89PNG\r\n\x1a\n"
        png += chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 6, 0, 0, 0))
        png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
        png += chunk(b"IEND", b"")
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(png)


# Shapes: functions of a sample point.

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def minus(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def polygon(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                hit = not hit
        return hit
    return inside


def polyline(points, width):
    half = width / 2.0

    def inside(x, y):
        for (ax, ay), (bx, by) in zip(points, points[1:]):
            dx, dy = bx - ax, by - ay
            t = ((x - ax) * dx + (y - ay) * dy) / float(dx * dx + dy * dy)
            t = min(1.0, max(0.0, t))
            if (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= half * half:
                return True
        return False
    return inside


def frame(x0, y0, x1, y1, r, width=1.0):
    """The outline of a rounded rectangle, width pixels inside its edge."""
    return minus(rrect(x0, y0, x1, y1, r),
                 rrect(x0 + width, y0 + width, x1 - width, y1 - width, max(0.0, r - width)))


def vgradient(top, bottom, y0, y1):
    def color(x, y):
        t = min(1.0, max(0.0, (y - y0) / float(y1 - y0)))
        return tuple(int(round(top[i] + (bottom[i] - top[i]) * t)) for i in range(4))
    return color


def hgradient(left, right, x0, x1):
    def color(x, y):
        t = min(1.0, max(0.0, (x - x0) / float(x1 - x0)))
        return tuple(int(round(left[i] + (right[i] - left[i]) * t)) for i in range(4))
    return color


def shifted(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


ACCENT = ["#2f7bd8", "#4a90e2", "#1f5faf", "#c4c4c4"]
GLYPH = ["#606060", "#2f7bd8", "#1f5faf", "#c0c0c0"]


def strip(cell_w, cell_h, states, vertical=False):
    return Canvas(cell_w, cell_h * states) if vertical else Canvas(cell_w * states, cell_h)


# The images.

def check_boxes(name, partial):
    """Unchecked, checked and (for trees) partly checked boxes: four states each for the
    check box, three (normal, hover, pushed) for the tree's."""
    groups = 3 if partial else 2
    per = 3 if partial else 4
    c = strip(16, 16, groups * per)
    faces = ["#ffffff", "#eaf3fc", "#cde3f7", "#f2f2f2"]
    borders = ["#7a7a7a", "#2f7bd8", "#1f5faf", "#c4c4c4"]
    for g in range(groups):
        for s in range(per):
            ox = (g * per + s) * 16
            box = shifted(rrect(1.5, 1.5, 14.5, 14.5, 2.5), ox, 0)
            if g == 1:  # checked
                c.fill(box, rgba(ACCENT[s]))
                c.fill(shifted(polyline([(4.2, 8.2), (6.8, 10.8), (11.8, 5.4)], 1.9), ox, 0),
                       rgba("#ffffff"))
            else:
                c.fill(box, rgba(faces[s]))
                c.fill(shifted(frame(1.5, 1.5, 14.5, 14.5, 2.5), ox, 0), rgba(borders[s]))
                if g == 2:  # partly checked
                    c.fill(shifted(rrect(5, 5, 11, 11, 1), ox, 0), rgba(ACCENT[s]))
    c.save(name)


def radios():
    c = strip(16, 16, 8)
    faces = ["#ffffff", "#eaf3fc", "#cde3f7", "#f2f2f2"]
    borders = ["#7a7a7a", "#2f7bd8", "#1f5faf", "#c4c4c4"]
    for s in range(4):
        ox = s * 16
        c.fill(shifted(circle(8, 8, 6.5), ox, 0), rgba(faces[s]))
        c.fill(shifted(minus(circle(8, 8, 6.5), circle(8, 8, 5.5)), ox, 0), rgba(borders[s]))
        ox = (s + 4) * 16
        c.fill(shifted(circle(8, 8, 6.5), ox, 0), rgba(ACCENT[s]))
        c.fill(shifted(circle(8, 8, 2.6), ox, 0), rgba("#ffffff"))
    c.save("radio.png")


def focus_rect():
    c = Canvas(16, 16)
    for i in range(16):
        if i % 2 == 0:
            for x, y in ((i, 0), (i, 15), (0, i), (15, i)):
                c.set_pixel(x, y, rgba("#505050"))
    c.save("focuscheckbox.png")


def focus_circle():
    c = Canvas(16, 16)
    ring = minus(circle(8, 8, 7.6), circle(8, 8, 6.6))

    def dotted(x, y):
        angle = math.atan2(y - 8, x - 8)
        return ring(x, y) and int((angle + math.pi) / (math.pi / 12)) % 2 == 0
    c.fill(dotted, rgba("#505050"))
    c.save("focusradio.png")


def push_buttons():
    c = strip(20, 20, 4)
    looks = [("#adadad", "#fdfdfd", "#ececec"), ("#4a90e2", "#f2f8fe", "#dcebfb"),
             ("#2f7bd8", "#d4e6f8", "#c3dbf3"), ("#d3d3d3", "#f4f4f4", "#f4f4f4")]
    for s, (border, top, bottom) in enumerate(looks):
        ox = s * 20
        c.fill(shifted(rrect(0, 0, 20, 20, 3), ox, 0), vgradient(rgba(top), rgba(bottom), 1, 19))
        c.fill(shifted(frame(0, 0, 20, 20, 3), ox, 0), rgba(border))
    c.save("btn_normal.png")


def triangle(direction, cx, cy, half, depth):
    """A filled triangle pointing up, down, left or right, centred on (cx, cy)."""
    if direction == "up":
        return polygon([(cx - half, cy + depth / 2), (cx + half, cy + depth / 2), (cx, cy - depth / 2)])
    if direction == "down":
        return polygon([(cx - half, cy - depth / 2), (cx + half, cy - depth / 2), (cx, cy + depth / 2)])
    if direction == "left":
        return polygon([(cx + depth / 2, cy - half), (cx + depth / 2, cy + half), (cx - depth / 2, cy)])
    return polygon([(cx - depth / 2, cy - half), (cx - depth / 2, cy + half), (cx + depth / 2, cy)])


def scrollbar():
    c = Canvas(16 * 9, 16 * 5)
    rails = ["#f0f0f0", "#ebebeb", "#e3e3e3", "#f7f7f7", "#f0f0f0"]
    arrow_bg = ["#f0f0f0", "#dadada", "#a0a0a0", "#f7f7f7", "#f0f0f0"]
    arrow_fg = ["#606060", "#303030", "#ffffff", "#c8c8c8", "#9a9a9a"]
    thumbs = ["#c2c2c2", "#a6a6a6", "#7d7d7d", "#dfdfdf", "#d0d0d0"]
    for row in range(5):
        oy = row * 16
        for col, direction in ((0, "up"), (1, "down"), (4, "left"), (5, "right")):
            ox = col * 16
            c.fill(rect(ox, oy, ox + 16, oy + 16), rgba(arrow_bg[row]))
            c.fill(shifted(triangle(direction, 8, 8, 3.5, 4), ox, oy), rgba(arrow_fg[row]))
        for col in (3, 7):
            c.fill(rect(col * 16, oy, col * 16 + 16, oy + 16), rgba(rails[row]))
        for col, shape in ((2, rrect(4, 1, 12, 15, 4)), (6, rrect(1, 4, 15, 12, 4))):
            ox = col * 16
            c.fill(rect(ox, oy, ox + 16, oy + 16), rgba(rails[row]))
            c.fill(shifted(shape, ox, oy), rgba(thumbs[row]))
    ox = 8 * 16
    c.fill(rect(ox, 0, ox + 16, 16), rgba(rails[0]))
    for i in (6, 8, 10):
        c.fill(rect(ox + 6, 16 + i, ox + 10, 16 + i + 1), rgba("#f6f6f6"))  # vertical bar
        c.fill(rect(ox + i, 32 + 6, ox + i + 1, 32 + 10), rgba("#f6f6f6"))  # horizontal bar
    c.save("scrollbar.png")


def border():
    c = Canvas(6, 6)
    c.fill(frame(0, 0, 6, 6, 0), rgba("#abadb3"))
    c.save("border.png")


def chevrons(name, points, cell_h=16):
    c = strip(16, cell_h, 4)
    for s in range(4):
        c.fill(shifted(polyline(points, 1.7), s * 16, 0), rgba(GLYPH[s]))
    c.save(name)


def spin(name, direction):
    c = strip(16, 10, 4)
    for s in range(4):
        c.fill(shifted(triangle(direction, 8, 5, 3.5, 3.5), s * 16, 0), rgba(GLYPH[s]))
    c.save(name)


def tree_toggle():
    c = strip(16, 16, 6)
    colors = ["#808080", "#2f7bd8", "#1f5faf"]
    for s in range(3):
        outline = minus(polygon([(5.5, 3.5), (11.0, 8.0), (5.5, 12.5)]),
                        polygon([(6.5, 5.6), (9.4, 8.0), (6.5, 10.4)]))
        c.fill(shifted(outline, s * 16, 0), rgba(colors[s]))
        colors_open = ["#404040", "#2f7bd8", "#1f5faf"]
        c.fill(shifted(polygon([(11.5, 5.0), (11.5, 11.5), (5.0, 11.5)]), (s + 3) * 16, 0),
               rgba(colors_open[s]))
    c.save("tree_toggle.png")


def tabs():
    c = strip(24, 24, 3)
    looks = [("#ececec", "#d0d0d0"), ("#ddebfa", "#b8d4f5"), ("#ffffff", "#d0d0d0")]
    for s, (face, edge) in enumerate(looks):
        ox = s * 24
        body = union(rrect(0, 0, 24, 24, 3), rect(0, 12, 24, 24))
        inner = union(rrect(1, 1, 23, 24, 2), rect(1, 12, 23, 24))
        c.fill(shifted(body, ox, 0), rgba(face))
        c.fill(shifted(minus(body, inner), ox, 0), rgba(edge))
        if s == 2:
            c.fill(shifted(intersect(inner, rect(0, 0, 24, 3)), ox, 0), rgba("#2f7bd8"))
    c.save("tab_page.png")


def intersect(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def header():
    c = strip(24, 24, 4)
    looks = [("#ffffff", "#f3f3f3"), ("#eaf3fc", "#d9eaf9"), ("#d0e4f6", "#c2daf2"),
             ("#ffffff", "#ffffff")]
    for s, (top, bottom) in enumerate(looks):
        ox = s * 24
        c.fill(rect(ox, 0, ox + 24, 24), vgradient(rgba(top), rgba(bottom), 0, 24))
        if s != 3:
            c.fill(rect(ox + 23, 3, ox + 24, 21), rgba("#dadada"))
        c.fill(rect(ox, 23, ox + 24, 24), rgba("#d5d5d5"))
    c.save("header.png")


def splitter(name, vertical):
    c = Canvas(6, 6)
    c.fill(rect(0, 0, 6, 6), rgba("#e4e4e4"))
    edges = union(rect(0, 0, 1, 6), rect(5, 0, 6, 6)) if vertical else \
        union(rect(0, 0, 6, 1), rect(0, 5, 6, 6))
    c.fill(edges, rgba("#d0d0d0"))
    c.save(name)


def progress(name, bar, vertical):
    c = Canvas(12, 12)
    if bar:
        light, dark, edge = rgba("#5a9ce8"), rgba("#2f7bd8"), rgba("#2a6fc4")
        fill = hgradient(light, dark, 0, 12) if vertical else vgradient(light, dark, 0, 12)
    else:
        fill, edge = rgba("#e6e6e6"), rgba("#bcbcbc")
    c.fill(rrect(0, 0, 12, 12, 3), fill)
    c.fill(frame(0, 0, 12, 12, 3), edge)
    c.save(name)


def slider_thumb():
    c = strip(16, 16, 4)
    looks = [("#ffffff", "#2f7bd8"), ("#eaf3fc", "#4a90e2"), ("#2f7bd8", "#1f5faf"),
             ("#f2f2f2", "#c4c4c4")]
    for s, (face, edge) in enumerate(looks):
        c.fill(shifted(circle(8, 8, 6.5), s * 16, 0), rgba(face))
        c.fill(shifted(minus(circle(8, 8, 6.5), circle(8, 8, 5.3)), s * 16, 0), rgba(edge))
    c.save("slider_thumb.png")


def caption(name, glyph, close=False):
    c = strip(28, 20, 4)
    backs = [None, "#e81123" if close else "#e5e5e5", "#f1707a" if close else "#cccccc", None]
    fores = ["#1f1f1f", "#ffffff" if close else "#1f1f1f", "#ffffff" if close else "#1f1f1f",
             "#a6a6a6"]
    for s in range(4):
        ox = s * 28
        if backs[s]:
            c.fill(rect(ox, 0, ox + 28, 20), rgba(backs[s]))
        c.fill(shifted(glyph, ox, 0), rgba(fores[s]))
    c.save(name)


def square(x0, y0, x1, y1):
    return minus(rect(x0, y0, x1, y1), rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1))


def menu_marks():
    c = strip(16, 16, 3)
    c.fill(polyline([(4.2, 8.2), (6.8, 10.8), (11.8, 5.4)], 1.7), rgba("#202020"))
    c.fill(circle(24, 8, 3), rgba("#202020"))
    c.fill(minus(circle(40, 8, 3.6), circle(40, 8, 2.6)), rgba("#606060"))
    c.save("menu_check.png")


def menu_parts():
    # The line sits in the fixed top part: a taller separator stretches only the clear rows
    # below it.
    c = Canvas(8, 5)
    c.fill(rect(0, 2, 8, 3), rgba("#d7d7d7"))
    c.save("menu_sep.png")
    c = strip(16, 16, 2)
    for s, color in enumerate(("#404040", "#000000")):
        c.fill(shifted(triangle("right", 8, 8, 4, 4.5), s * 16, 0), rgba(color))
    c.save("menu_arrow.png")
    c = Canvas(8, 8)
    c.fill(rect(0, 0, 8, 8), rgba("#f9f9f9"))
    c.fill(frame(0, 0, 8, 8, 0), rgba("#cccccc"))
    c.save("menu_border.png")
    c = strip(8, 8, 2)
    c.fill(rrect(8, 0, 16, 8, 1.5), rgba("#cce8ff"))
    c.fill(shifted(frame(0, 0, 8, 8, 1.5), 8, 0), rgba("#99d1ff"))
    c.save("menu_skin.png")


def icons():
    c = strip(16, 16, 8)
    blue, dark, red = rgba("#3a6fb0"), rgba("#404040"), rgba("#d9342b")
    # 0 undo, 1 redo: a bent arrow.
    undo_shaft = polyline([(12.5, 12.0), (12.5, 8.5), (10.5, 6.5), (5.0, 6.5)], 1.6)
    undo_head = polygon([(5.5, 2.8), (1.6, 6.5), (5.5, 10.2)])
    c.fill(union(undo_shaft, undo_head), blue)
    c.fill(shifted(lambda x, y: undo_shaft(16 - x, y) or undo_head(16 - x, y), 16, 0), blue)
    # 2 delete.
    c.fill(shifted(union(polyline([(4, 4), (12, 12)], 2.0), polyline([(12, 4), (4, 12)], 2.0)),
                   32, 0), red)
    # 3 cut.
    rings = union(minus(circle(5, 12, 2.6), circle(5, 12, 1.5)),
                  minus(circle(11, 12, 2.6), circle(11, 12, 1.5)))
    blades = union(polyline([(5.8, 9.8), (10.5, 2.0)], 1.3), polyline([(10.2, 9.8), (5.5, 2.0)], 1.3))
    c.fill(shifted(union(rings, blades), 48, 0), dark)
    # 4 copy.
    for x0, y0 in ((5, 2), (2.5, 5)):
        page = rect(x0, y0, x0 + 8.5, y0 + 9.5)
        c.fill(shifted(page, 64, 0), rgba("#ffffff"))
        c.fill(shifted(square(x0, y0, x0 + 8.5, y0 + 9.5), 64, 0), rgba("#606060"))
    # 5 paste.
    c.fill(shifted(rrect(2.5, 2.5, 13.5, 15, 1.5), 80, 0), rgba("#c89b5a"))
    c.fill(shifted(frame(2.5, 2.5, 13.5, 15, 1.5), 80, 0), rgba("#8a6a3a"))
    c.fill(shifted(rect(5, 6, 11, 13), 80, 0), rgba("#ffffff"))
    c.fill(shifted(rrect(5.5, 1, 10.5, 4.5, 1), 80, 0), rgba("#808080"))
    # 6 select all: a dotted frame around lines of text.
    for i in range(2, 14):
        if i % 2 == 0:
            for x, y in ((i, 2), (i, 13), (2, i), (13, i)):
                c.set_pixel(96 + x, y, rgba("#606060"))
    for y in (5, 8, 11):
        c.fill(rect(96 + 5, y, 96 + 11, y + 1), blue)
    # 7 find.
    lens = minus(circle(6.5, 6.5, 4.6), circle(6.5, 6.5, 3.2))
    c.fill(shifted(union(lens, polyline([(9.8, 9.8), (13.5, 13.5)], 2.2)), 112, 0), dark)
    c.save("icons.png")


def main():
    os.makedirs(OUT, exist_ok=True)
    check_boxes("checkbox.png", partial=False)
    radios()
    focus_rect()
    focus_circle()
    push_buttons()
    scrollbar()
    border()
    chevrons("dropbtn.png", [(4.5, 6.2), (8.0, 9.8), (11.5, 6.2)])
    tree_toggle()
    check_boxes("tree_checkbox.png", partial=True)
    tabs()
    header()
    splitter("split_vert.png", vertical=True)
    splitter("split_horz.png", vertical=False)
    progress("prog_bkgnd.png", bar=False, vertical=False)
    progress("prog_bar.png", bar=True, vertical=False)
    progress("vert_prog_bkgnd.png", bar=False, vertical=True)
    progress("vert_prog_bar.png", bar=True, vertical=True)
    slider_thumb()
    caption("btn_close.png", union(polyline([(9.5, 5.5), (18.5, 14.5)], 1.2),
                                   polyline([(18.5, 5.5), (9.5, 14.5)], 1.2)), close=True)
    caption("btn_minimize.png", rect(9, 10, 19, 11))
    caption("btn_maxmize.png", square(9, 5, 19, 15))
    caption("btn_restore.png", union(square(9, 7, 17, 15),
                                     minus(square(11, 5, 19, 13), rect(9, 7, 17, 15))))
    menu_marks()
    menu_parts()
    icons()
    chevrons("btn_prev.png", [(9.8, 4.5), (6.2, 8.0), (9.8, 11.5)])
    chevrons("btn_next.png", [(6.2, 4.5), (9.8, 8.0), (6.2, 11.5)])
    spin("spin_down.png", "down")
    spin("spin_up.png", "up")
    return 0


if __name__ == "__main__":
    sys.exit(main())
