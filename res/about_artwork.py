#!/usr/bin/env python3
"""Draws the About dialog's artwork with the program's drawing helpers (artwork.py) and
writes it as Windows files into this folder, each bitmap at 100, 125, 150 and 200 %:

- about_banner_<scale>.bmp: 464 x 53 at 100 %, the banner across the dialog's top,
  white where the title and the freeware note stand;
- about_icon_<scale>.bmp: 64 x 64 at 100 %, the program's folder and drive, beside the
  registration;
- about_picture_<scale>.bmp: 141 x 48 at 100 %, a folder becoming a drive, left of the
  links;
- about_link.cur: the monochrome pointer over the links at 32, 40, 48 and 64 pixels, a
  hand whose finger tip (5, 0 at 32 pixels) is the hot spot.

Run it again after changing a drawing: python3 res/about_artwork.py
"""

import os
import struct

from artwork import (HERE, PALETTE, SCALES, WHITE, Canvas, CLEAR, draw_drive, draw_folder,
                     info_header, packed_rows, palette_bytes, scaled, stride, write_bitmap)

NAVY, BLUE, TEAL = 4, 12, 6


def banner(scale):
    c = Canvas(464, 53, scale)
    draw_folder(c, 10, 4, 74, 40, 22)
    draw_drive(c, 44, 24, 120, 44)
    # Three bands along the bottom edge, under the labels.
    c.fill(0, 47, 463, 48, NAVY)
    c.fill(0, 49, 463, 50, BLUE)
    c.fill(0, 51, 463, 52, TEAL)
    return c


def icon_64(scale):
    c = Canvas(64, 64, scale)
    draw_folder(c, 2, 6, 52, 44, 18)
    draw_drive(c, 20, 36, 63, 58)
    return c


def picture(scale):
    c = Canvas(141, 48, scale)
    draw_folder(c, 4, 6, 50, 40, 16)
    # An arrow from the folder to the drive.
    c.fill(58, 22, 82, 25, NAVY)
    for step in range(8):
        c.fill(83 + step, 16 + step, 83 + step, 31 - step, NAVY)
    draw_drive(c, 96, 12, 138, 36)
    return c


def write_white_bitmap(name, canvas):
    """A 16-colour bitmap with the real white of the palette where nothing is drawn."""
    pixels = packed_rows(canvas, lambda p: WHITE if p == CLEAR else p, stride(canvas.width, 4))
    dib = info_header(canvas.width, canvas.height, 4, len(pixels)) + palette_bytes(PALETTE)
    offset = 14 + len(dib)
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        out.write(dib + pixels)


# The hand: "#" black, "." white, blank transparent.
HAND = [
    "     ##",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..###",
    "    #..#..##",
    "    #..#..#.##",
    "    #..#..#..###",
    " ## #..#..#..#..#",
    "#..##..#..#..#..#",
    "#...#...........#",
    " #..#...........#",
    "  #.#...........#",
    "  #.............#",
    "   #............#",
    "   #...........#",
    "    #..........#",
    "    #.........#",
    "     #........#",
    "     #........#",
    "     ##########",
]


def cursor_image(rows, scale):
    """One cursor image: its header, palette, XOR plane and AND mask."""
    size = scaled(32, scale)
    # "#" black (0 in both planes), "." white (XOR 1), blank transparent (AND 1).
    shape = Canvas(32, 32, scale)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch != " ":
                shape.point(x, y, ch)
    row_bytes = stride(size, 1)

    def plane(bit_of):
        data = b""
        for row in reversed(shape.pixels):
            bits = 0
            for x, ch in enumerate(row):
                if bit_of(ch):
                    bits |= 1 << (row_bytes * 8 - 1 - x)
            data += bits.to_bytes(row_bytes, "big")
        return data

    colours = plane(lambda ch: ch == ".")  # XOR: white over the screen's black
    mask = plane(lambda ch: ch == CLEAR)  # AND: 1 keeps the screen
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(colours) + len(mask),
                         0, 0, 2, 0)
    return size, header + palette_bytes([(0, 0, 0), (255, 255, 255)]) + colours + mask


def write_cursor(name, rows, hot_x, hot_y):
    images = [cursor_image(rows, scale) for scale in (100, 125, 150, 200)]
    directory = struct.pack("<HHH", 0, 2, len(images))
    offset = 6 + 16 * len(images)
    for size, image in images:
        scale = size * 100 // 32
        directory += struct.pack("<BBBBHHII", size, size, 2, 0, scaled(hot_x, scale),
                                 scaled(hot_y, scale), len(image), offset)
        offset += len(image)
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(directory + b"".join(image for _, image in images))


if __name__ == "__main__":
    for scale in SCALES:
        write_white_bitmap(f"about_banner_{scale}.bmp", banner(scale))
        write_bitmap(f"about_icon_{scale}.bmp", icon_64(scale))
        write_bitmap(f"about_picture_{scale}.bmp", picture(scale))
    write_cursor("about_link.cur", HAND, 5, 0)
