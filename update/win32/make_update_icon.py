#!/usr/bin/python3
"""Draws the updater's program icon.

    python3 make_update_icon.py OUT.ico

A blue disc with a white arrow pointing down into a tray, at 32 and 16
pixels, each as 32-bit colour with alpha and as 8-bit colour with a
transparency mask for the Windows versions that know no alpha. The same
bytes on every run.
"""

import struct
import sys

from PIL import Image, ImageDraw

SIZES = (32, 16)
# Drawn larger and scaled down, for smooth edges.
SUPERSAMPLE = 8
# Pixels less opaque than this are transparent in the 8-bit variant.
MASK_ALPHA = 128

DISC = (40, 110, 200, 255)
RIM = (20, 60, 130, 255)
ARROW = (255, 255, 255, 255)


def draw_icon(size):
    big = size * SUPERSAMPLE
    image = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    unit = big / 32

    def point(x, y):
        return (round(x * unit), round(y * unit))

    draw.ellipse(point(1, 1) + point(31, 31), fill=RIM)
    draw.ellipse(point(3, 3) + point(29, 29), fill=DISC)
    # Shaft and head of the arrow, then the tray it points into.
    draw.rectangle(point(13, 6) + point(19, 16), fill=ARROW)
    draw.polygon([point(8, 15), point(24, 15), point(16, 23)], fill=ARROW)
    draw.rectangle(point(8, 24) + point(24, 26), fill=ARROW)
    return image.resize((size, size), Image.Resampling.LANCZOS)


def row_padded(data):
    return data + b"\0" * (-len(data) % 4)


def and_mask(image):
    """1 bit per pixel, set where the icon is transparent, rows bottom-up."""
    width, height = image.size
    alpha = image.getchannel("A")
    rows = []
    for y in reversed(range(height)):
        bits = 0
        for x in range(width):
            bits = bits << 1 | (alpha.getpixel((x, y)) < MASK_ALPHA)
        bits <<= -width % 8
        rows.append(row_padded(bits.to_bytes((width + 7) // 8, "big")))
    return b"".join(rows)


def info_header(size, bit_count, colours):
    # The height counts the colour bitmap and the mask.
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bit_count, 0, 0, 0, 0, colours, 0)


def true_colour_entry(image):
    size = image.width
    pixels = b"".join(
        row_padded(b"".join(struct.pack("BBBB", b, g, r, a) for r, g, b, a in
                            (image.getpixel((x, y)) for x in range(size))))
        for y in reversed(range(size)))
    return 32, 0, info_header(size, 32, 0) + pixels + and_mask(image)


def palette_entry(image):
    size = image.width
    flat = Image.new("RGB", image.size, (0, 0, 0))
    flat.paste(image, mask=image.getchannel("A"))
    indexed = flat.convert("P", palette=Image.Palette.ADAPTIVE, colors=256)
    rgb = indexed.getpalette()[: 256 * 3]
    rgb += [0] * (256 * 3 - len(rgb))
    palette = b"".join(struct.pack("BBBB", rgb[i + 2], rgb[i + 1], rgb[i], 0) for i in range(0, 256 * 3, 3))
    pixels = b"".join(row_padded(bytes(indexed.getpixel((x, y)) for x in range(size)))
                      for y in reversed(range(size)))
    return 8, 0, info_header(size, 8, 256) + palette + pixels + and_mask(image)


def main(out_path):
    entries = []
    for size in SIZES:
        image = draw_icon(size)
        entries += [(size, true_colour_entry(image)), (size, palette_entry(image))]
    header = struct.pack("<HHH", 0, 1, len(entries))
    offset = len(header) + 16 * len(entries)
    directory, images = b"", b""
    for size, (bit_count, colour_count, data) in entries:
        directory += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bit_count, len(data), offset)
        offset += len(data)
        images += data
    with open(out_path, "wb") as out:
        out.write(header + directory + images)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
