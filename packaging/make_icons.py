#!/usr/bin/env python3
"""Turns the window's icon (window/icons/angoli-16.xpm and -32.xpm) into the
files a desktop and Windows want: PNGs for the hicolor theme and one .ico with
both sizes as 16-colour (4 bits a pixel) bitmaps. Launchers, software centres
and Windows at 125 to 200 % show icons from 20 to 256 pixels, where 16 colours
on a 32-pixel grid look coarse: for them the same protractor is drawn again as
shapes, written as a scalable SVG, as smoothed PNGs, and as 32-bit images in
the .ico beside the 16-colour ones; at 16 and 32 pixels, which Windows in
true colour picks at 100 %, as 32-bit bitmaps with alpha (what Windows XP and
every icon reader take; PNG only from Vista on, and for large sizes). The
outputs are committed; run this again after redrawing the icon.
"""
import math
import pathlib
import re
import struct
import sys
import zlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "window" / "icons"))
import draw_icon  # noqa: E402  (the drawing's proportions)
SIZES = (32, 16)  # the .ico lists the large image first
LARGE_SIZES = (48, 64, 128, 256)
ICO_SMOOTH_SIZES = (256, 64, 48, 40, 24, 20)  # as PNGs, which Windows reads in icons from Vista on


def read_xpm(path):
    """Rows of (r, g, b) or None for transparent pixels, and the palette in order."""
    strings = re.findall(r'"([^"]*)"', path.read_text())
    width, height, colours, chars = map(int, strings[0].split()[:4])
    palette = {}
    order = []
    for line in strings[1:1 + colours]:
        key, value = line[:chars], line[chars:].split()[-1]
        colour = None if value.lower() == "none" else tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))
        palette[key] = colour
        if colour is not None:
            order.append(colour)
    rows = []
    for line in strings[1 + colours:1 + colours + height]:
        rows.append([palette[line[i:i + chars]] for i in range(0, width * chars, chars)])
    return rows, order


def png(rows):
    """rows of (r, g, b), (r, g, b, a) or None (transparent) -> PNG file bytes"""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    height, width = len(rows), len(rows[0])
    raw = b"".join(
        b"\x00" + b"".join(bytes((tuple(p) + (255,))[:4]) if p else b"\x00\x00\x00\x00" for p in row)
        for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def ico_image_32(rows):
    """rows of (r, g, b, a) or None -> a BITMAPINFOHEADER image: BGRA pixels,
    then the 1-bit mask, set where nothing is drawn; 16 x 16 rows -> 1,128 bytes"""
    height, width = len(rows), len(rows[0])
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b""
    mask = b""
    for row in reversed(rows):  # bottom-up
        pixels += b"".join(bytes((p[2], p[1], p[0], p[3])) if p else b"\x00" * 4 for p in row)
        bits = "".join("1" if p is None else "0" for p in row)
        line = bytes(int(bits[i:i + 8], 2) for i in range(0, width, 8))
        mask += line + b"\x00" * (-len(line) % 4)
    return header + pixels + mask


def ico_image(rows, palette):
    """A BITMAPINFOHEADER image: 4-bit colour indices, then the 1-bit transparency mask."""
    height, width = len(rows), len(rows[0])
    colours = (palette + [(0, 0, 0)] * 16)[:16]
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    xor = b""
    mask = b""
    for row in reversed(rows):  # bottom-up
        nibbles = [colours.index(p) if p else 0 for p in row]
        line = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, width, 2))
        xor += line + b"\x00" * (-len(line) % 4)
        bits = "".join("1" if p is None else "0" for p in row)
        line = bytes(int(bits[i:i + 8], 2) for i in range(0, width, 8))
        mask += line + b"\x00" * (-len(line) % 4)
    return header + table + xor + mask


# The protractor of window/icons/draw_icon.py as shapes, in the units of its
# 32-pixel drawing and with its proportions: a yellow half disc on a straight
# ruler edge with a black outline, scale marks, and the angle with a blue leg
# along the base, a red leg and a red arc.
UNITS = 32
RADIUS = UNITS * draw_icon.RADIUS
EDGE = UNITS * draw_icon.EDGE
CX, CY = UNITS / 2, UNITS / 2 + (RADIUS - EDGE) / 2  # centre of the base
LINE = 1.0
COLOURS = {"black": "#000000", "yellow": "#FFFF00", "blue": "#0000FF", "red": "#FF0000"}


def polar(angle_deg, radius):
    """polar(90, 2) -> the point 2 units straight above the centre"""
    ray = math.radians(angle_deg)
    return CX + radius * math.cos(ray), CY - radius * math.sin(ray)


segment_distance = draw_icon.segment_distance


def arc_distance(p, radius, start_deg, end_deg):
    """Distance from p to the arc about the centre, counter-clockwise from start to end."""
    dx, dy = p[0] - CX, CY - p[1]
    theta = math.degrees(math.atan2(dy, dx))
    if start_deg <= theta <= end_deg:
        return abs(math.hypot(dx, dy) - radius)
    return min(math.dist(p, polar(start_deg, radius)), math.dist(p, polar(end_deg, radius)))


class Body:
    """The protractor's plate: its fill, and its outline drawn just inside the edge."""

    def __init__(self):
        self.radius = RADIUS - LINE / 2  # the outline's centre line
        self.depth = EDGE - LINE / 2

    def fill_at(self, p):
        r, e = self.radius, self.depth
        corners = [(CX + r, CY), (CX + r, CY + e), (CX - r, CY + e), (CX - r, CY)]
        edge = min(segment_distance(p, corners[i], corners[i + 1]) for i in range(3))
        if min(edge, arc_distance(p, r, 0, 180)) <= LINE / 2:
            return "black"
        dx, dy = p[0] - CX, CY - p[1]
        inside = (math.hypot(dx, dy) <= r and dy >= 0) or (abs(dx) <= r and -e <= dy < 0)
        return "yellow" if inside else None

    def svg(self):
        r, e = self.radius, self.depth
        return (f'<path d="M{CX - r:g},{CY:g} A{r:g},{r:g} 0 0 1 {CX + r:g},{CY:g} '
                f'V{CY + e:g} H{CX - r:g} Z" fill="{COLOURS["yellow"]}" '
                f'stroke="{COLOURS["black"]}" stroke-width="{LINE:g}" stroke-linejoin="round"/>')


class Stroke:
    """A line or an arc about the centre, with round ends."""

    def __init__(self, colour, width, a=None, b=None, arc=None):
        self.colour, self.width, self.a, self.b, self.arc = colour, width, a, b, arc

    def fill_at(self, p):
        if self.arc:
            distance = arc_distance(p, *self.arc)
        else:
            distance = segment_distance(p, self.a, self.b)
        return self.colour if distance <= self.width / 2 else None

    def svg(self):
        if self.arc:
            radius, start, end = self.arc
            (x0, y0), (x1, y1) = polar(start, radius), polar(end, radius)
            shape = f'<path d="M{x0:.3f},{y0:.3f} A{radius:g},{radius:g} 0 0 0 {x1:.3f},{y1:.3f}" fill="none"'
        else:
            (x0, y0), (x1, y1) = self.a, self.b
            shape = f'<line x1="{x0:.3f}" y1="{y0:.3f}" x2="{x1:.3f}" y2="{y1:.3f}"'
        return (f'{shape} stroke="{COLOURS[self.colour]}" stroke-width="{self.width:g}" '
                f'stroke-linecap="round"/>')


class Dot:
    def __init__(self, colour, radius):
        self.colour, self.radius = colour, radius

    def fill_at(self, p):
        return self.colour if math.dist(p, (CX, CY)) <= self.radius else None

    def svg(self):
        return f'<circle cx="{CX:g}" cy="{CY:g}" r="{self.radius:g}" fill="{COLOURS[self.colour]}"/>'


def protractor():
    """The shapes from the bottom up."""
    tick_start = RADIUS - UNITS * draw_icon.TICK_LENGTH
    ticks = [Stroke("black", LINE, polar(angle, tick_start), polar(angle, RADIUS - LINE))
             for angle in range(0, 181, draw_icon.TICK_STEP)]
    return ([Body()] + ticks + [
        Stroke("blue", LINE, (CX, CY), (CX + RADIUS - LINE, CY)),
        Stroke("red", LINE, arc=(RADIUS * draw_icon.ARC, 0, draw_icon.ANGLE)),
        Stroke("red", LINE * 1.4, (CX, CY), polar(draw_icon.ANGLE, RADIUS - LINE)),
        Dot("black", LINE * 0.75),
    ])


def svg(shapes):
    body = "\n".join("  " + shape.svg() for shape in shapes)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{UNITS}" height="{UNITS}" '
            f'viewBox="0 0 {UNITS} {UNITS}">\n{body}\n</svg>\n')


def render(shapes, size, samples=4):
    """The shapes at size x size pixels, each pixel the mean of samples x samples points."""
    scale = UNITS / size
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            totals, covered = [0, 0, 0], 0
            for sy in range(samples):
                for sx in range(samples):
                    p = ((x + (sx + 0.5) / samples) * scale, (y + (sy + 0.5) / samples) * scale)
                    colour = None
                    for shape in shapes:
                        colour = shape.fill_at(p) or colour
                    if colour:
                        covered += 1
                        hex_rgb = COLOURS[colour]
                        for i in range(3):
                            totals[i] += int(hex_rgb[1 + 2 * i:3 + 2 * i], 16)
            if covered:
                row.append(tuple(round(t / covered) for t in totals)
                           + (round(255 * covered / samples ** 2),))
            else:
                row.append(None)
        rows.append(row)
    return rows


def main():
    shapes = protractor()
    (ROOT / "packaging" / "icons" / "angoli.svg").write_text(svg(shapes))
    for size in LARGE_SIZES:
        (ROOT / "packaging" / "icons" / f"angoli-{size}.png").write_bytes(png(render(shapes, size)))

    images = []  # (size, colours in the palette or 0, bits a pixel, image)
    for size in SIZES:
        rows, palette = read_xpm(ROOT / "window" / "icons" / f"angoli-{size}.xpm")
        (ROOT / "packaging" / "icons" / f"angoli-{size}.png").write_bytes(png(rows))
        images.append((size, 16, 4, ico_image(rows, palette)))
    for size in SIZES:
        images.append((size, 0, 32, ico_image_32(render(shapes, size))))
    for size in ICO_SMOOTH_SIZES:
        images.append((size, 0, 32, png(render(shapes, size))))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for size, colours, bits, image in images:
        side = size % 256  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, colours, 0, 1, bits, len(image), offset + len(data))
        data += image
    (ROOT / "packaging" / "windows" / "angoli.ico").write_bytes(directory + data)


if __name__ == "__main__":
    main()
