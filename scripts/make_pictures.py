#!/usr/bin/env python3
"""Draws the two placeholder payment-code pictures of the donation windows.

Writes src/resources/wechat_code.jpg (248 x 248, WeChat green) and
src/resources/alipay_code.jpg (248 wide x 247 high, Alipay blue). Each is a
QR-like pattern that no phone can scan, with "示例" and "PLACEHOLDER" drawn
across it: a maker who ships the program replaces these two files with his
own payment codes (baseline JFIF, 8-bit, three colour components, the same
sizes) and rebuilds.

The pictures are drawn with the Python standard library into a PPM image and
encoded as baseline JPEG with cjpeg (Debian: libjpeg-turbo-progs), or, when
cjpeg is missing, with ImageMagick's convert (Debian: imagemagick).

Run from anywhere:

    python3 scripts/make_pictures.py               # writes both .jpg files
    python3 scripts/make_pictures.py --ppm-only    # writes the .ppm sources only
"""

import argparse
import os
import random
import shutil
import subprocess

WHITE = (255, 255, 255)
TEXT = (51, 51, 51)
WECHAT_GREEN = (7, 193, 96)
ALIPAY_BLUE = (22, 119, 255)

MODULES = 29  # a version-3 sized grid
MODULE_PIXELS = 8

# Glyphs as rows of '#' (ink) and '.' (paper).
HAN_GLYPHS = {
    "示": (
        "....................",
        "...##############...",
        "...##############...",
        "....................",
        "....................",
        "....................",
        ".##################.",
        ".##################.",
        ".........##.........",
        ".........##.........",
        ".....##..##..##.....",
        ".....##..##...##....",
        "....##...##....##...",
        "....##...##....##...",
        "...##....##.....##..",
        "..##.....##......##.",
        ".##......##.......##",
        "......#####.........",
        "......####..........",
        "....................",
    ),
    "例": (
        "...##...........##..",
        "..##.##########.##..",
        "..##.##########.##..",
        ".##.....##...##.##..",
        "###....##....##.##..",
        ".##...#######.#.##..",
        ".##..##....##.#.##..",
        ".##.##.....##.#.##..",
        ".##.#.##..##..#.##..",
        ".##....##.##..#.##..",
        ".##.....###...#.##..",
        ".##.....##....#.##..",
        ".##....##.....#.##..",
        ".##...##......#.##..",
        ".##..##.........##..",
        ".##.##..........##..",
        ".##.............##..",
        ".##.............##..",
        ".##...........###...",
        ".##...........##....",
    ),
}

LATIN_GLYPHS = {
    "A": (".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"),
    "C": (".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."),
    "D": ("####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."),
    "E": ("#####", "#....", "#....", "####.", "#....", "#....", "#####"),
    "H": ("#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"),
    "L": ("#....", "#....", "#....", "#....", "#....", "#....", "#####"),
    "O": (".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."),
    "P": ("####.", "#...#", "#...#", "####.", "#....", "#....", "#...."),
    "R": ("####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"),
}


class Canvas:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.pixels = bytearray(bytes(colour) * (width * height))

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            offset = (y * self.width + x) * 3
            self.pixels[offset:offset + 3] = bytes(colour)

    def fill_rect(self, left, top, width, height, colour):
        for y in range(top, top + height):
            for x in range(left, left + width):
                self.put(x, y, colour)

    def fill_round_rect(self, left, top, width, height, radius, colour):
        for y in range(top, top + height):
            for x in range(left, left + width):
                if inside_round_rect(x + 0.5 - left, y + 0.5 - top, width, height, radius):
                    self.put(x, y, colour)

    def ppm(self):
        return b"P6\n%d %d\n255\n" % (self.width, self.height) + bytes(self.pixels)


def inside_round_rect(x, y, width, height, radius):
    cx = min(max(x, radius), width - radius)
    cy = min(max(y, radius), height - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


# ------------------------------------------------------------ the pattern


def finder_module(row, col):
    """Dark or light for a module inside a 7 x 7 finder pattern."""
    ring = max(abs(row - 3), abs(col - 3))
    return ring != 2


def qr_like_modules(seed):
    """A MODULES x MODULES grid of booleans (True is dark) that looks like a
    QR code: three finder patterns, timing lines, one alignment pattern and
    pseudo-random data modules. It encodes nothing."""
    rng = random.Random(seed)
    grid = [[rng.random() < 0.5 for _ in range(MODULES)] for _ in range(MODULES)]
    last = MODULES - 7
    for top, left in ((0, 0), (0, last), (last, 0)):
        for row in range(-1, 8):
            for col in range(-1, 8):
                r, c = top + row, left + col
                if 0 <= r < MODULES and 0 <= c < MODULES:
                    inside = 0 <= row < 7 and 0 <= col < 7
                    grid[r][c] = inside and finder_module(row, col)
    for i in range(8, last - 1):
        grid[6][i] = i % 2 == 0
        grid[i][6] = i % 2 == 0
    centre = MODULES - 7
    for row in range(-2, 3):
        for col in range(-2, 3):
            grid[centre + row][centre + col] = max(abs(row), abs(col)) != 1
    return grid


def draw_modules(canvas, grid, left, top, colour):
    for row, line in enumerate(grid):
        for col, dark in enumerate(line):
            if dark:
                canvas.fill_rect(
                    left + col * MODULE_PIXELS,
                    top + row * MODULE_PIXELS,
                    MODULE_PIXELS,
                    MODULE_PIXELS,
                    colour,
                )


# ------------------------------------------------------------------ text


def draw_glyph(canvas, glyph, left, top, scale, colour):
    for row, line in enumerate(glyph):
        for col, mark in enumerate(line):
            if mark == "#":
                canvas.fill_rect(left + col * scale, top + row * scale, scale, scale, colour)


def text_width(glyphs, text, scale, gap):
    widths = [len(glyphs[ch][0]) * scale for ch in text]
    return sum(widths) + gap * (len(text) - 1)


def draw_text(canvas, glyphs, text, centre_x, top, scale, gap, colour):
    x = centre_x - text_width(glyphs, text, scale, gap) // 2
    for ch in text:
        draw_glyph(canvas, glyphs[ch], x, top, scale, colour)
        x += len(glyphs[ch][0]) * scale + gap


def draw_placeholder_label(canvas, colour):
    """A white card across the middle: "示例" above "PLACEHOLDER"."""
    card_width, card_height = 160, 104
    left = (canvas.width - card_width) // 2
    top = (canvas.height - card_height) // 2
    canvas.fill_round_rect(left - 3, top - 3, card_width + 6, card_height + 6, 14, colour)
    canvas.fill_round_rect(left, top, card_width, card_height, 11, WHITE)
    centre = canvas.width // 2
    draw_text(canvas, HAN_GLYPHS, "示例", centre, top + 12, 3, 8, TEXT)
    draw_text(canvas, LATIN_GLYPHS, "PLACEHOLDER", centre, top + 80, 2, 2, colour)


def draw_picture(width, height, colour, seed):
    canvas = Canvas(width, height, WHITE)
    grid_side = MODULES * MODULE_PIXELS
    left = (width - grid_side) // 2
    top = (height - grid_side) // 2
    draw_modules(canvas, qr_like_modules(seed), left, top, colour)
    draw_placeholder_label(canvas, colour)
    return canvas


# -------------------------------------------------------------- encoding


def encode_jpeg(ppm_path, jpeg_path):
    """Baseline JFIF, quality 90, YCbCr with the encoder's default sampling."""
    cjpeg = shutil.which("cjpeg")
    if cjpeg:
        command = [cjpeg, "-baseline", "-quality", "90", "-outfile", jpeg_path, ppm_path]
    else:
        convert = shutil.which("convert")
        if not convert:
            raise SystemExit("neither cjpeg (libjpeg-turbo-progs) nor convert (imagemagick) found")
        command = [convert, ppm_path, "-interlace", "none", "-quality", "90", "jpeg:" + jpeg_path]
    subprocess.run(command, check=True)


PICTURES = (
    ("wechat_code", 248, 248, WECHAT_GREEN, 1),
    ("alipay_code", 248, 247, ALIPAY_BLUE, 2),
)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description="Draw the placeholder donation pictures.")
    parser.add_argument("--output-dir", default=os.path.join(root, "src", "resources"))
    parser.add_argument("--ppm-only", action="store_true", help="write the .ppm images only")
    args = parser.parse_args()

    os.makedirs(args.output_dir, exist_ok=True)
    for name, width, height, colour, seed in PICTURES:
        canvas = draw_picture(width, height, colour, seed)
        ppm_path = os.path.join(args.output_dir, name + ".ppm")
        with open(ppm_path, "wb") as out:
            out.write(canvas.ppm())
        if args.ppm_only:
            print("wrote %s" % ppm_path)
            continue
        jpeg_path = os.path.join(args.output_dir, name + ".jpg")
        try:
            encode_jpeg(ppm_path, jpeg_path)
        finally:
            os.remove(ppm_path)
        print("wrote %s (%d x %d)" % (jpeg_path, width, height))


if __name__ == "__main__":
    main()
