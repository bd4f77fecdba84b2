#!/usr/bin/env python3
"""Turns the window's icon (window/icons/angoli-16.xpm and -32.xpm) into the
files a desktop and Windows want: PNGs for the hicolor theme and one .ico with
both sizes as 16-colour (4 bits a pixel) bitmaps. The outputs are committed;
run this again after redrawing the icon.
"""
import pathlib
import re
import struct
import zlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
SIZES = (32, 16)  # the .ico lists the large image first


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
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    height, width = len(rows), len(rows[0])
    raw = b"".join(
        b"\x00" + b"".join(bytes(p) + b"\xff" if p else b"\x00\x00\x00\x00" for p in row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


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


def main():
    images = []
    for size in SIZES:
        rows, palette = read_xpm(ROOT / "window" / "icons" / f"angoli-{size}.xpm")
        (ROOT / "packaging" / "icons" / f"angoli-{size}.png").write_bytes(png(rows))
        images.append((size, ico_image(rows, palette)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for size, image in images:
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset + len(data))
        data += image
    (ROOT / "packaging" / "windows" / "angoli.ico").write_bytes(directory + data)


if __name__ == "__main__":
    main()
