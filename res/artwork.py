#!/usr/bin/env python3
"""Draws Ostrel's artwork and writes it as 16-colour Windows files into this folder:

- ostrel.ico: the program icon, a folder with a drive in front, at every size Windows
  asks for (16, 20, 24, 32, 40, 48, 64 and 256 pixels);
- drive_<scale>.bmp: a 16 x 16 drive at 100 %, the picture of every row of the list and
  of Image1;
- folder_<scale>.bmp: a 16 x 13 folder at 100 %, the picture of Image2.

Every bitmap comes in the display scales 100, 125, 150 and 200 %: the drawings are
made of rectangles in 100 % pixels, which each scale fills at its own size, so that
edges stay sharp. The bitmaps have the window's background colour where nothing is
drawn, so they sit on the window without a mask; the list's image list takes that
colour as its mask. Run it again after changing a drawing: python3 res/artwork.py
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The 16 colours of the Windows palette; in the bitmaps the last one (white) gives its
# place to the window's background colour, which they need more than white.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BACKGROUND = (240, 237, 225)
BITMAP_PALETTE = PALETTE[:15] + [BACKGROUND]

BLACK, DARK_YELLOW, SILVER, GREY, GREEN, YELLOW, WHITE = 0, 3, 7, 8, 10, 11, 15
CLEAR = -1


SCALES = (100, 125, 150, 200)


def scaled(pixels, scale):
    """Pixels at 100 % to pixels at the scale, rounded as Windows' MulDiv does."""
    return (pixels * scale + 50) // 100


class Canvas:
    """A picture drawn in 100 % pixels and stored at its scale in per cent."""

    def __init__(self, width, height, scale=100):
        self.scale = scale
        self.width, self.height = scaled(width, scale), scaled(height, scale)
        self.pixels = [[CLEAR] * self.width for _ in range(self.height)]

    def fill(self, left, top, right, bottom, colour):
        """Fills the rectangle with both corners included: every 100 % pixel becomes the
        whole pixels it covers at the scale, so that edges stay sharp."""
        s = self.scale
        for y in range(scaled(top, s), scaled(bottom + 1, s)):
            for x in range(scaled(left, s), scaled(right + 1, s)):
                self.pixels[y][x] = colour

    def frame(self, left, top, right, bottom, colour):
        self.fill(left, top, right, top, colour)
        self.fill(left, bottom, right, bottom, colour)
        self.fill(left, top, left, bottom, colour)
        self.fill(right, top, right, bottom, colour)

    def point(self, x, y, colour):
        self.fill(x, y, x, y, colour)


def draw_folder(c, left, top, right, bottom, tab):
    """A yellow folder whose tab is `tab` pixels wide, open into the body below it."""
    c.fill(left + 1, top + 3, right - 1, bottom - 1, YELLOW)
    c.frame(left, top + 2, right, bottom, DARK_YELLOW)
    c.frame(left, top, left + tab + 1, top + 2, DARK_YELLOW)
    c.fill(left + 1, top + 1, left + tab, top + 2, YELLOW)
    c.fill(left + 1, top + 3, right - 1, top + 3, WHITE)


def draw_drive(c, left, top, right, bottom):
    """A silver drive case with a dark base and a green light at the front."""
    c.fill(left + 1, top + 1, right - 1, bottom - 1, SILVER)
    c.fill(left + 1, top + 1, right - 1, top + 1, WHITE)
    c.fill(left + 1, bottom - 2, right - 1, bottom - 1, GREY)
    c.frame(left, top, right, bottom, BLACK)
    c.point(right - 3, bottom - 2, GREEN)
    c.point(right - 4, bottom - 2, GREEN)


def drive_16(scale):
    c = Canvas(16, 16, scale)
    draw_drive(c, 0, 5, 15, 12)
    return c


def folder_16x13(scale):
    c = Canvas(16, 13, scale)
    draw_folder(c, 0, 0, 15, 12, 5)
    return c


def icon_32(scale):
    c = Canvas(32, 32, scale)
    draw_folder(c, 1, 3, 26, 22, 9)
    draw_drive(c, 10, 17, 31, 28)
    return c


def icon_16(scale):
    c = Canvas(16, 16, scale)
    draw_folder(c, 0, 1, 13, 11, 4)
    draw_drive(c, 5, 9, 15, 15)
    return c


def packed_rows(canvas, index_of, row_bytes):
    """Bottom-up rows of 4-bit indices, each padded to row_bytes."""
    data = b""
    for row in reversed(canvas.pixels):
        nibbles = [index_of(p) for p in row]
        if len(nibbles) % 2:
            nibbles.append(0)
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, len(nibbles), 2))
        data += packed.ljust(row_bytes, b"\0")
    return data


def stride(width, bits):
    return (width * bits + 31) // 32 * 4


def info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835,
                       16, 0)


def palette_bytes(palette):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in palette)


def write_bitmap(name, canvas):
    pixels = packed_rows(canvas, lambda p: 15 if p == CLEAR else p, stride(canvas.width, 4))
    dib = info_header(canvas.width, canvas.height, 4, len(pixels)) + palette_bytes(BITMAP_PALETTE)
    offset = 14 + len(dib)
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        out.write(dib + pixels)


def icon_image(canvas):
    """One icon image: the 4-bit colour picture, then the AND mask (1 = transparent)."""
    colours = packed_rows(canvas, lambda p: 0 if p == CLEAR else p, stride(canvas.width, 4))
    mask_stride = stride(canvas.width, 1)
    mask = b""
    for row in reversed(canvas.pixels):
        bits = 0
        for x, p in enumerate(row):
            if p == CLEAR:
                bits |= 1 << (mask_stride * 8 - 1 - x)
        mask += bits.to_bytes(mask_stride, "big")
    header = info_header(canvas.width, canvas.height * 2, 4, len(colours) + len(mask))
    return header + palette_bytes(PALETTE) + colours + mask


def write_icon(name, canvases):
    images = [icon_image(c) for c in canvases]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for canvas, image in zip(canvases, images):
        # A size of 256 is written as 0.
        directory += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 16, 0, 1, 4,
                                 len(image), offset)
        offset += len(image)
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(directory + b"".join(images))


if __name__ == "__main__":
    # The small drawing up to 24 pixels, the large one from 32 on.
    write_icon("ostrel.ico", [icon_16(s) for s in (100, 125, 150)] +
               [icon_32(s) for s in (100, 125, 150, 200, 800)])
    for scale in SCALES:
        write_bitmap(f"drive_{scale}.bmp", drive_16(scale))
        write_bitmap(f"folder_{scale}.bmp", folder_16x13(scale))
