#!/usr/bin/env python3
"""Draws layerbar.ico: a desktop whose taskbar lets the wallpaper show
through, at 32x32 and 16x16 pixels in the 16-colour Windows palette."""

import argparse
import os
import struct

# The 16-colour Windows palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, NAVY, TEAL, LIME, YELLOW, BLUE, WHITE = 0, 4, 6, 10, 11, 12, 15
TRANSPARENT = None


# Where things lie at each size, in pixels: the frame (left, top, right,
# bottom, the border inside it), the sun (centre and radius), the top of the
# bar (its white edge) and the start button (left, top, right, bottom).
LAYOUTS = {
    32: {"frame": (1, 3, 31, 29), "sun": (21, 18, 6), "bar": 20, "button": (3, 22, 9, 27)},
    16: {"frame": (0, 1, 16, 15), "sun": (10.5, 9, 3.3), "bar": 10, "button": (2, 12, 5, 14)},
}


def glyph(size):
    """The picture as rows of palette indices, top row first."""
    return [[colour_at(LAYOUTS[size], x, y) for x in range(size)] for y in range(size)]


def colour_at(layout, x, y):
    """The colour of pixel (x, y)."""
    left, top, right, bottom = layout["frame"]
    if not (left <= x < right and top <= y < bottom):
        return TRANSPARENT
    if x in (left, right - 1) or y in (top, bottom - 1):
        return BLACK
    sun_x, sun_y, radius = layout["sun"]
    sun = (x + 0.5 - sun_x) ** 2 + (y + 0.5 - sun_y) ** 2 <= radius**2
    if y < layout["bar"]:
        return YELLOW if sun else TEAL
    if y == layout["bar"]:
        return WHITE
    button_left, button_top, button_right, button_bottom = layout["button"]
    if button_left <= x < button_right and button_top <= y < button_bottom:
        return LIME
    # The bar itself: every other pixel lets what is behind it through.
    return NAVY if (x + y) % 2 == 0 else (YELLOW if sun else BLUE)


def image(size):
    """One icon image: BITMAPINFOHEADER, palette, colour bits, mask bits."""
    rows = glyph(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, 0, 0, 0, 0, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour = b""
    mask = b""
    for row in reversed(rows):
        line = bytes(((row[i] or 0) << 4) | (row[i + 1] or 0) for i in range(0, size, 2))
        colour += line.ljust((len(line) + 3) // 4 * 4, b"\0")
        bits = 0
        for pixel in row:
            bits = (bits << 1) | (pixel is TRANSPARENT)
        line = bits.to_bytes(size // 8, "big")
        mask += line.ljust((len(line) + 3) // 4 * 4, b"\0")
    return header + palette + colour + mask


def icon(sizes):
    """The .ico file holding one image of each size."""
    images = [image(size) for size in sizes]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, data in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + b"".join(images)


if __name__ == "__main__":
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("output", nargs="?",
                        default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                             "layerbar.ico"),
                        help="the icon file to write (default: layerbar.ico beside this script)")
    with open(parser.parse_args().output, "wb") as out:
        out.write(icon([32, 16]))
