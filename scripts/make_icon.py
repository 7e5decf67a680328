#!/usr/bin/env python3
"""Draws the program icon and writes src/resources/tandrel.ico.

The picture is a green chip with a robot face and two antennae (the phone's
firmware) on a dark rounded tile, crossed by an amber wrench (the tool box).
Every size is rendered from the same shapes, given as signed distance
functions in a 256 x 256 design space, so small sizes stay sharp; the edges
are anti-aliased from the distance at each pixel centre.

The .ico holds six 32-bit images: 256 x 256 stored as PNG, and 128, 96, 64,
48 and 32 as BGRA device-independent bitmaps with an AND mask.

Run from anywhere (Python 3 standard library only):

    python3 scripts/make_icon.py                # writes src/resources/tandrel.ico
    python3 scripts/make_icon.py --preview DIR  # also writes DIR/icon_<size>.png
"""

import argparse
import math
import os
import struct
import zlib

DESIGN = 256.0
SIZES = (256, 128, 96, 64, 48, 32)
PNG_SIZES = (256,)

# Colours as (r, g, b) in 0..1.


def hex_colour(text):
    value = int(text.lstrip("#"), 16)
    return ((value >> 16) / 255.0, ((value >> 8) & 255) / 255.0, (value & 255) / 255.0)


TILE_TOP = hex_colour("#35495E")
TILE_BOTTOM = hex_colour("#1C2833")
TILE_EDGE = hex_colour("#4A6178")
CHIP_TOP = hex_colour("#5BE39A")
CHIP_BOTTOM = hex_colour("#23A45E")
PIN = hex_colour("#C3CED8")
VISOR = hex_colour("#1C2833")
EYE = hex_colour("#B8F5D2")
WRENCH_TOP = hex_colour("#FFC94A")
WRENCH_BOTTOM = hex_colour("#F08A12")


# ---------------------------------------------------------------- distances


def sd_round_rect(x, y, cx, cy, half_w, half_h, radius):
    qx = abs(x - cx) - (half_w - radius)
    qy = abs(y - cy) - (half_h - radius)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def sd_circle(x, y, cx, cy, radius):
    return math.hypot(x - cx, y - cy) - radius


def sd_capsule(x, y, ax, ay, bx, by, radius):
    px, py = x - ax, y - ay
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, (px * dx + py * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - dx * t, py - dy * t) - radius


# The wrench lies along the axis from its tail to the centre of its head.
WRENCH_TAIL = (146.0, 224.0)
WRENCH_HEAD = (206.0, 164.0)
WRENCH_AXIS = (
    (WRENCH_HEAD[0] - WRENCH_TAIL[0]) / math.dist(WRENCH_TAIL, WRENCH_HEAD),
    (WRENCH_HEAD[1] - WRENCH_TAIL[1]) / math.dist(WRENCH_TAIL, WRENCH_HEAD),
)
WRENCH_HANDLE = 11.0
WRENCH_HEAD_RADIUS = 27.0
WRENCH_JAW = 10.0


def sd_wrench(x, y):
    handle = sd_capsule(x, y, *WRENCH_TAIL, *WRENCH_HEAD, WRENCH_HANDLE)
    head = sd_circle(x, y, *WRENCH_HEAD, WRENCH_HEAD_RADIUS)
    body = min(handle, head)
    # The jaw: a slot from the head's centre outwards along the axis.
    ux, uy = WRENCH_AXIS
    rx, ry = x - WRENCH_HEAD[0], y - WRENCH_HEAD[1]
    along = rx * ux + ry * uy
    across = -rx * uy + ry * ux
    slot = sd_round_rect(along, across, WRENCH_HEAD_RADIUS, 0.0,
                         WRENCH_HEAD_RADIUS, WRENCH_JAW, 0.0)
    slot_end = sd_circle(along, across, 0.0, 0.0, WRENCH_JAW)
    return max(body, -min(slot, slot_end))


def sd_wrench_outline(x, y):
    return sd_wrench(x, y) - 7.0


def sd_tile(x, y):
    return sd_round_rect(x, y, 128, 128, 120, 120, 54)


def sd_tile_inner(x, y):
    return sd_round_rect(x, y, 128, 128, 116, 116, 50)


def sd_pins(x, y):
    best = 1e9
    for cy in (122.0, 150.0, 178.0):
        best = min(best, sd_round_rect(x, y, 56, cy, 14, 7, 4))
        best = min(best, sd_round_rect(x, y, 200, cy, 14, 7, 4))
    return best


def sd_antennae(x, y):
    left = min(sd_capsule(x, y, 104, 96, 88, 60, 6), sd_circle(x, y, 86, 56, 11))
    right = min(sd_capsule(x, y, 152, 96, 168, 60, 6), sd_circle(x, y, 170, 56, 11))
    return min(left, right)


def sd_chip(x, y):
    return sd_round_rect(x, y, 128, 150, 66, 58, 22)


def sd_visor(x, y):
    return sd_round_rect(x, y, 128, 136, 46, 21, 21)


def sd_eyes(x, y):
    return min(sd_circle(x, y, 108, 136, 9.5), sd_circle(x, y, 148, 136, 9.5))


# ------------------------------------------------------------------- paints


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def vertical(top_colour, bottom_colour, top, bottom):
    return lambda x, y: mix(top_colour, bottom_colour, (y - top) / (bottom - top))


def flat(colour):
    return lambda x, y: colour


tile_paint = vertical(TILE_TOP, TILE_BOTTOM, 8, 248)

# Layers painted from back to front: (distance, paint, bounding box).
LAYERS = (
    (sd_tile, flat(TILE_EDGE), (8, 8, 248, 248)),
    (sd_tile_inner, tile_paint, (12, 12, 244, 244)),
    (sd_pins, flat(PIN), (40, 113, 216, 187)),
    (sd_antennae, vertical(CHIP_TOP, CHIP_BOTTOM, 44, 210), (74, 44, 182, 100)),
    (sd_chip, vertical(CHIP_TOP, CHIP_BOTTOM, 92, 208), (62, 92, 194, 208)),
    (sd_visor, flat(VISOR), (82, 115, 174, 157)),
    (sd_eyes, flat(EYE), (98, 126, 158, 146)),
    (sd_wrench_outline, tile_paint, (120, 120, 242, 242)),
    (sd_wrench, vertical(WRENCH_TOP, WRENCH_BOTTOM, 136, 236), (130, 130, 236, 236)),
)


# ---------------------------------------------------------------- rendering


def render(size):
    """Returns size*size pixels, each (r, g, b, a) in 0..1, top row first."""
    scale = DESIGN / size
    pixels = [(0.0, 0.0, 0.0, 0.0)] * (size * size)
    for distance, paint, box in LAYERS:
        left, top, right, bottom = box
        col_from = max(0, int(left / scale) - 1)
        col_to = min(size, int(right / scale) + 2)
        row_from = max(0, int(top / scale) - 1)
        row_to = min(size, int(bottom / scale) + 2)
        for row in range(row_from, row_to):
            y = (row + 0.5) * scale
            for col in range(col_from, col_to):
                x = (col + 0.5) * scale
                coverage = 0.5 - distance(x, y) / scale
                if coverage <= 0.0:
                    continue
                index = row * size + col
                pixels[index] = blend(pixels[index], paint(x, y), min(coverage, 1.0))
    return pixels


def blend(under, colour, alpha):
    """Source-over compositing of an opaque colour at the given coverage."""
    under_alpha = under[3]
    out_alpha = alpha + under_alpha * (1.0 - alpha)
    if out_alpha <= 0.0:
        return (0.0, 0.0, 0.0, 0.0)
    rgb = tuple(
        (colour[i] * alpha + under[i] * under_alpha * (1.0 - alpha)) / out_alpha for i in range(3)
    )
    return rgb + (out_alpha,)


def to_bytes(value):
    return max(0, min(255, int(round(value * 255.0))))


def rgba_rows(pixels, size):
    """Rows of straight-alpha RGBA bytes, top row first."""
    rows = []
    for row in range(size):
        line = bytearray()
        for r, g, b, a in pixels[row * size:(row + 1) * size]:
            line += bytes((to_bytes(r), to_bytes(g), to_bytes(b), to_bytes(a)))
        rows.append(bytes(line))
    return rows


# --------------------------------------------------------------------- PNG


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filter_row(kind, row, previous, bpp):
    out = bytearray(len(row))
    for i, value in enumerate(row):
        left = row[i - bpp] if i >= bpp else 0
        up = previous[i]
        upper_left = previous[i - bpp] if i >= bpp else 0
        if kind == 0:
            predictor = 0
        elif kind == 1:
            predictor = left
        elif kind == 2:
            predictor = up
        elif kind == 3:
            predictor = (left + up) // 2
        else:
            predictor = paeth(left, up, upper_left)
        out[i] = (value - predictor) & 0xFF
    return bytes(out)


def best_filtered(row, previous, bpp):
    """The filter type byte and row with the smallest sum of signed residues."""
    best = None
    for kind in range(5):
        filtered = filter_row(kind, row, previous, bpp)
        cost = sum(v if v < 128 else 256 - v for v in filtered)
        if best is None or cost < best[0]:
            best = (cost, bytes((kind,)) + filtered)
    return best[1]


def encode_png(rows, width, height):
    previous = bytes(width * 4)
    raw = bytearray()
    for row in rows:
        raw += best_filtered(row, previous, 4)
        previous = row
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + png_chunk(b"IHDR", header)
        + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9))
        + png_chunk(b"IEND", b"")
    )


# ------------------------------------------------------------------ DIB


def encode_dib(rows, size):
    """A 32-bit icon image: BITMAPINFOHEADER, BGRA rows and the AND mask,
    both bottom-up; a mask bit is set where the pixel is fully transparent."""
    mask_stride = ((size + 31) // 32) * 4
    colour = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        mask_row = bytearray(mask_stride)
        for col in range(size):
            r, g, b, a = row[col * 4:col * 4 + 4]
            colour += bytes((b, g, r, a))
            if a == 0:
                mask_row[col // 8] |= 0x80 >> (col % 8)
        mask += mask_row
    header = struct.pack(
        "<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0
    )
    return header + bytes(colour) + bytes(mask)


# ------------------------------------------------------------------ ICO


def encode_ico(images):
    """images: list of (size, data). Returns the .ico file's bytes."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = bytearray()
    for size, data in images:
        side = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + bytes(entries) + b"".join(data for _, data in images)


def write_file(path, data):
    folder = os.path.dirname(path)
    if folder:
        os.makedirs(folder, exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description="Draw the program icon.")
    parser.add_argument(
        "--output", default=os.path.join(root, "src", "resources", "tandrel.ico")
    )
    parser.add_argument("--preview", help="also write every size as a PNG into this folder")
    args = parser.parse_args()

    images = []
    for size in SIZES:
        rows = rgba_rows(render(size), size)
        if size in PNG_SIZES:
            images.append((size, encode_png(rows, size, size)))
        else:
            images.append((size, encode_dib(rows, size)))
        if args.preview:
            preview = os.path.join(args.preview, "icon_%d.png" % size)
            write_file(preview, encode_png(rows, size, size))
    write_file(args.output, encode_ico(images))
    print("wrote %s (%s)" % (args.output, ", ".join(str(s) for s in SIZES)))


if __name__ == "__main__":
    main()
