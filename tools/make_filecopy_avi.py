#!/usr/bin/python3
"""Draws the updater's copying clip: a sheet of paper flying from one folder
into another, as an AVI that the Windows animation control plays.

    python3 make_filecopy_avi.py OUT.avi

The animation control plays only uncompressed or RLE8 clips with frames
stored bottom-up; this writes 8-bit RLE8 frames, each a key frame, with an
index. The top-left pixel is the background, which the control's
transparent style replaces by the dialog's face. Same bytes on every run.
"""

import math
import struct
import sys

from PIL import Image, ImageDraw

WIDTH, HEIGHT = 200, 40
FRAMES = 12
MICROSECONDS_PER_FRAME = 100_000

# Palette indices and their colours.
BACKGROUND, OUTLINE, FOLDER, FOLDER_SHADE, PAPER, PAPER_LINE = range(6)
PALETTE = [
    (212, 208, 200),
    (0, 0, 0),
    (255, 220, 90),
    (200, 160, 40),
    (255, 255, 255),
    (120, 140, 170),
]

# RLE8 escape codes (a zero count followed by one of these).
END_OF_LINE, END_OF_BITMAP = 0, 1
MAX_RUN = 255
BI_RLE8 = 1
AVIF_HASINDEX = 0x10
AVIIF_KEYFRAME = 0x10


def draw_folder(draw, left):
    top = 10
    draw.polygon([(left, top + 4), (left + 12, top + 4), (left + 15, top), (left + 36, top),
                  (left + 36, top + 26), (left, top + 26)], fill=FOLDER_SHADE, outline=OUTLINE)
    draw.rectangle([left, top + 8, left + 36, top + 26], fill=FOLDER, outline=OUTLINE)


def draw_paper(draw, x, y):
    draw.rectangle([x, y, x + 14, y + 18], fill=PAPER, outline=OUTLINE)
    for line in range(4):
        draw.line([x + 3, y + 4 + 3 * line, x + 11, y + 4 + 3 * line], fill=PAPER_LINE)


def frame_image(number):
    image = Image.new("P", (WIDTH, HEIGHT), BACKGROUND)
    draw = ImageDraw.Draw(image)
    draw_folder(draw, 8)
    draw_folder(draw, WIDTH - 44)
    # Along an arc from the left folder's mouth to the right one's.
    t = number / (FRAMES - 1)
    x = round(20 + t * (WIDTH - 54))
    y = round(14 - 12 * math.sin(math.pi * t))
    draw_paper(draw, x, y)
    return image


def rle8(image):
    """Encoded runs of each row, bottom row first."""
    width, height = image.size
    out = bytearray()
    for y in reversed(range(height)):
        row = [image.getpixel((x, y)) for x in range(width)]
        x = 0
        while x < width:
            run = 1
            while x + run < width and run < MAX_RUN and row[x + run] == row[x]:
                run += 1
            out += bytes((run, row[x]))
            x += run
        out += bytes((0, END_OF_BITMAP if y == 0 else END_OF_LINE))
    return bytes(out)


def chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + b"\0" * (len(data) % 2)


def riff_list(kind, fourcc, data):
    return chunk(kind, fourcc + data)


def bitmap_info(frame_size, size, palette):
    header = struct.pack("<IiiHHIIiiII", 40, size[0], size[1], 1, 8, BI_RLE8, frame_size, 0, 0, len(palette), 0)
    return header + b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)


def avi(frames, size=(WIDTH, HEIGHT), palette=PALETTE):
    """An RLE8 clip of the encoded frames, which are size pixels and use palette."""
    width, height = size
    largest = max(len(f) for f in frames)
    rate = 1_000_000 // MICROSECONDS_PER_FRAME
    avih = struct.pack("<IIIIIIIIII16x", MICROSECONDS_PER_FRAME, largest * rate, 0, AVIF_HASINDEX,
                       len(frames), 0, 1, largest, width, height)
    strh = (b"vids" + b"\0\0\0\0"
            + struct.pack("<IHHIIIIIIII", 0, 0, 0, 0, 1, rate, 0, len(frames), largest, 0xFFFFFFFF, 0)
            + struct.pack("<hhhh", 0, 0, width, height))
    strl = riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", bitmap_info(largest, size, palette)))
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) + strl)

    movi_data, index = b"", b""
    for frame in frames:
        # Offsets count from the "movi" word.
        index += b"00dc" + struct.pack("<III", AVIIF_KEYFRAME, 4 + len(movi_data), len(frame))
        movi_data += chunk(b"00dc", frame)
    movi = riff_list(b"LIST", b"movi", movi_data)
    return riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index))


def main(out_path):
    frames = [rle8(frame_image(n)) for n in range(FRAMES)]
    with open(out_path, "wb") as out:
        out.write(avi(frames))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
