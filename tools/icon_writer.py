"""Icon and cursor files for the programs' resource scripts, shared by the art
scripts (tools/make_artwork.py, gatelog/win32/make_gatelog_art.py,
update/win32/make_update_icon.py).

Each icon size is written twice: 32-bit colour with alpha, and 256 colours
with the transparency in the mask only, for displays without alpha. Cursors
are black and white, drawn as rows of text. Same bytes on every run.
"""

import struct

from PIL import Image, ImageDraw

BITMAP_INFO_HEADER_SIZE = 40
ICON_FILE_TYPE = 1
CURSOR_FILE_TYPE = 2
DIRECTORY_SIZE = 6
DIRECTORY_ENTRY_SIZE = 16
CURSOR_SIZE = 32
# Pixels less opaque than this are transparent in the mask.
MASK_ALPHA = 128


def bitmap_info_header(width, height, bits, image_size, colours=0):
    # Icon images store twice the height: the colour image and the AND mask.
    return struct.pack("<IiiHHIIiiII", BITMAP_INFO_HEADER_SIZE, width, 2 * height, 1, bits, 0,
                       image_size, 0, 0, colours, 0)


def row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def pack_bits(bits_per_row, width):
    """Rows of 0/1 values, top row first, as bottom-up 1-bit rows."""
    stride = row_stride(width, 1)
    out = bytearray()
    for row in reversed(bits_per_row):
        packed = bytearray(stride)
        for x, bit in enumerate(row):
            if bit:
                packed[x // 8] |= 0x80 >> (x % 8)
        out += packed
    return bytes(out)


def and_mask(image):
    """1 where the RGBA image is transparent."""
    alpha = image.getchannel("A")
    return pack_bits([[alpha.getpixel((x, y)) < MASK_ALPHA for x in range(image.width)]
                      for y in range(image.height)], image.width)


def icon_image_32bit(image):
    pixels = bytearray()
    for y in reversed(range(image.height)):
        for x in range(image.width):
            r, g, b, a = image.getpixel((x, y))
            pixels += bytes((b, g, r, a))
    mask = and_mask(image)
    return bitmap_info_header(image.width, image.height, 32, len(pixels) + len(mask)) + pixels + mask


def icon_image_8bit(image):
    flat = Image.new("RGB", image.size, (0, 0, 0))
    flat.paste(image, mask=image.getchannel("A").point(lambda a: 255 if a >= MASK_ALPHA else 0))
    indexed = flat.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = indexed.getpalette()[:256 * 3]
    palette += [0] * (256 * 3 - len(palette))
    table = b"".join(bytes((palette[i + 2], palette[i + 1], palette[i], 0)) for i in range(0, 256 * 3, 3))
    stride = row_stride(image.width, 8)
    pixels = bytearray()
    for y in reversed(range(image.height)):
        row = bytes(indexed.getpixel((x, y)) for x in range(image.width))
        pixels += row + bytes(stride - len(row))
    mask = and_mask(image)
    header = bitmap_info_header(image.width, image.height, 8, len(pixels) + len(mask), 256)
    return header + table + pixels + mask


def icon_file(file_type, entries):
    """entries: (width, height, colour count, field1, field2, image bytes). For
    icons the two fields are planes and bit count, for cursors the hot spot."""
    out = struct.pack("<HHH", 0, file_type, len(entries))
    offset = DIRECTORY_SIZE + DIRECTORY_ENTRY_SIZE * len(entries)
    for width, height, colours, field1, field2, data in entries:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, colours, 0, field1, field2, len(data), offset)
        offset += len(data)
    return out + b"".join(entry[-1] for entry in entries)


def supersampled(size, painter, factor=8):
    """painter(draw, side) draws at factor times the size; scaled down for smooth edges."""
    big = Image.new("RGBA", (size * factor, size * factor), (0, 0, 0, 0))
    painter(ImageDraw.Draw(big), size * factor)
    return big.resize((size, size), Image.Resampling.LANCZOS)


def write_icon(path, images):
    """images: square RGBA images, largest first."""
    entries = []
    for image in images:
        size = image.width
        entries.append((size, size, 0, 1, 32, icon_image_32bit(image)))
        entries.append((size, size, 0, 1, 8, icon_image_8bit(image)))
    path.write_bytes(icon_file(ICON_FILE_TYPE, entries))


def write_cursor(path, rows, hot_spot):
    """rows: "#" outline (black), "." fill (white), blank transparent; top row first."""
    rows = [line.ljust(CURSOR_SIZE) for line in rows]
    rows += [" " * CURSOR_SIZE] * (CURSOR_SIZE - len(rows))
    # Screen AND mask, then XOR: white where filled, black outline.
    colour = pack_bits([[c == "." for c in row] for row in rows], CURSOR_SIZE)
    mask = pack_bits([[c == " " for c in row] for row in rows], CURSOR_SIZE)
    black_and_white = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    header = bitmap_info_header(CURSOR_SIZE, CURSOR_SIZE, 1, len(colour) + len(mask), 2)
    entry = (CURSOR_SIZE, CURSOR_SIZE, 2, hot_spot[0], hot_spot[1], header + black_and_white + colour + mask)
    path.write_bytes(icon_file(CURSOR_FILE_TYPE, [entry]))
