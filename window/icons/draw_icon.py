#!/usr/bin/env python3
"""Draws the tool's icon, a protractor with a red angle on it, as two XPM
files of 32x32 and 16x16 pixels in the 16 standard colours (plus a
transparent background). Run it after changing the drawing; the XPM files
it writes beside itself are committed and compiled into the tool.
"""

import math
import os

# The 16 standard colours; the icon uses a few of them.
PALETTE = {
    "black": "#000000", "maroon": "#800000", "green": "#008000", "olive": "#808000",
    "navy": "#000080", "purple": "#800080", "teal": "#008080", "silver": "#C0C0C0",
    "grey": "#808080", "red": "#FF0000", "lime": "#00FF00", "yellow": "#FFFF00",
    "blue": "#0000FF", "fuchsia": "#FF00FF", "aqua": "#00FFFF", "white": "#FFFFFF",
}

# The protractor's proportions, as shares of the icon's side; the larger icons
# of packaging/make_icons.py are drawn from them too.
RADIUS = 0.47
EDGE = 0.16  # depth of the straight ruler edge under the base
TICK_LENGTH = 0.14
ARC = 0.6  # radius of the angle's arc, as a share of the protractor's radius
ANGLE = 50
TICK_STEP = 30


def segment_distance(p, a, b):
    (px, py), (ax, ay), (bx, by) = p, a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def draw(size, tick_step, angle_deg):
    """Returns rows of colour names (None: transparent), drawn in pixel units."""
    radius = size * RADIUS
    edge = size * EDGE
    cx, cy = size / 2.0, size / 2.0 + (radius - edge) / 2  # centre of the base
    ray = math.radians(angle_deg)
    tip = (cx + (radius - 1) * math.cos(ray), cy - (radius - 1) * math.sin(ray))
    arc = radius * ARC
    line = 1.0

    def polar(p):
        dx, dy = p[0] - cx, cy - p[1]
        return math.hypot(dx, dy), math.degrees(math.atan2(dy, dx)), dx, dy

    def in_shape(x, y):
        dist, _, dx, dy = polar((x + 0.5, y + 0.5))
        return (dist <= radius and dy >= 0) or (abs(dx) <= radius and -edge <= dy < 0)

    grid = [[None] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            if not in_shape(x, y):
                continue
            p = (x + 0.5, y + 0.5)
            dist, theta, _, dy = polar(p)
            colour = "yellow"
            # outline: a shape pixel next to one outside the shape
            if any(not in_shape(x + ox, y + oy) for ox, oy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                colour = "black"
            # scale marks on the rim
            if tick_step and dy >= 0 and dist >= radius - size * TICK_LENGTH:
                nearest = math.radians(round(theta / tick_step) * tick_step)
                far = (cx + radius * math.cos(nearest), cy - radius * math.sin(nearest))
                if segment_distance(p, (cx, cy), far) <= line / 2:
                    colour = "black"
            # the angle: a blue leg along the base, a red leg and a red arc
            if segment_distance(p, (cx, cy), (cx + radius - 1, cy)) <= line / 2:
                colour = "blue"
            if dy >= 0 and 0 <= theta <= angle_deg and abs(dist - arc) <= line / 2:
                colour = "red"
            if segment_distance(p, (cx, cy), tip) <= line * 0.7:
                colour = "red"
            if dist <= line * 0.75:
                colour = "black"
            grid[y][x] = colour
    return grid


def write_xpm(path, name, grid):
    used = sorted({c for row in grid for c in row if c})
    keys = dict(zip(used, ".#+@$%&*=-;>,')!"))
    size = len(grid)
    lines = ["/* XPM */", f"static const char *{name}[] = {{",
             f'"{size} {size} {len(used) + 1} 1",', '"  c None",']
    lines += [f'"{keys[c]} c {PALETTE[c]}",' for c in used]
    rows = ['"' + "".join(keys[c] if c else " " for c in row) + '"' for row in grid]
    lines += [r + "," for r in rows[:-1]] + [rows[-1], "};"]
    with open(path, "w", encoding="ascii") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_xpm(os.path.join(here, "angoli-32.xpm"), "angoli_32", draw(32, TICK_STEP, ANGLE))
    write_xpm(os.path.join(here, "angoli-16.xpm"), "angoli_16", draw(16, 0, ANGLE))
