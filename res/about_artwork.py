#!/usr/bin/env python3
"""Draws the About dialog's artwork with the program's drawing helpers (artwork.py) and
writes it as Windows files into this folder:

- about_banner.bmp: 464 x 53, the banner across the dialog's top, white where the title
  and the freeware note stand;
- about_icon.bmp: 64 x 64, the program's folder and drive, beside the registration;
- about_picture.bmp: 141 x 48, a folder becoming a drive, left of the links;
- about_link.cur: the 32 x 32 monochrome pointer over the links, a hand whose finger
  tip (5, 0) is the hot spot.

Run it again after changing a drawing: python3 res/about_artwork.py
"""

import os
import struct

from artwork import (BLACK, CLEAR, GREY, HERE, PALETTE, WHITE, Canvas, draw_drive, draw_folder,
                     info_header, packed_rows, palette_bytes, stride, write_bitmap)

NAVY, BLUE, TEAL = 4, 12, 6


def banner():
    c = Canvas(464, 53)
    draw_folder(c, 10, 4, 74, 40, 22)
    draw_drive(c, 44, 24, 120, 44)
    # Three bands along the bottom edge, under the labels.
    c.fill(0, 47, 463, 48, NAVY)
    c.fill(0, 49, 463, 50, BLUE)
    c.fill(0, 51, 463, 52, TEAL)
    return c


def icon_64():
    c = Canvas(64, 64)
    draw_folder(c, 2, 6, 52, 44, 18)
    draw_drive(c, 20, 36, 63, 58)
    return c


def picture():
    c = Canvas(141, 48)
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


def write_cursor(name, rows, hot_x, hot_y):
    size = 32
    rows = [r.ljust(size) for r in rows] + [" " * size] * (size - len(rows))
    row_bytes = stride(size, 1)

    def plane(bit_of):
        data = b""
        for row in reversed(rows):
            bits = 0
            for x, ch in enumerate(row):
                if bit_of(ch):
                    bits |= 1 << (row_bytes * 8 - 1 - x)
            data += bits.to_bytes(row_bytes, "big")
        return data

    colours = plane(lambda ch: ch == ".")  # XOR: white over the screen's black
    mask = plane(lambda ch: ch == " ")  # AND: 1 keeps the screen
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(colours) + len(mask),
                         0, 0, 2, 0)
    image = header + palette_bytes([(0, 0, 0), (255, 255, 255)]) + colours + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    directory += struct.pack("<BBBBHHII", size, size, 2, 0, hot_x, hot_y, len(image), 22)
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(directory + image)


if __name__ == "__main__":
    write_white_bitmap("about_banner.bmp", banner())
    write_bitmap("about_icon.bmp", icon_64())
    write_bitmap("about_picture.bmp", picture())
    write_cursor("about_link.cur", HAND, 5, 0)
