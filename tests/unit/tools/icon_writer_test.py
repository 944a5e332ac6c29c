"""The icon writer's files, read back by an independent reader (Pillow) and by
their directory, as Windows reads them."""

import struct
import sys
from pathlib import Path

from PIL import Image

sys.path.insert(0, str(Path(__file__).resolve().parents[3] / "tools"))
import icon_writer as icons  # noqa: E402


def paint_square(draw, side):
    """An opaque red square in the middle, transparent around it."""
    draw.rectangle([side // 4, side // 4, side * 3 // 4, side * 3 // 4], fill=(255, 0, 0, 255))


def directory(data):
    reserved, file_type, count = struct.unpack_from("<HHH", data)
    entries = [struct.unpack_from("<BBBBHHII", data, 6 + 16 * i) for i in range(count)]
    return reserved, file_type, entries


def test_icon_holds_each_size_in_both_colour_depths(tmp_path):
    path = tmp_path / "test.ico"
    icons.write_icon(path, [icons.supersampled(size, paint_square) for size in (32, 16)])
    data = path.read_bytes()

    reserved, file_type, entries = directory(data)
    assert (reserved, file_type) == (0, icons.ICON_FILE_TYPE)
    assert [(width, height, bits) for width, height, _, _, _, bits, _, _ in entries] == [
        (32, 32, 32), (32, 32, 8), (16, 16, 32), (16, 16, 8)]

    with Image.open(path) as image:
        assert image.info["sizes"] == {(32, 32), (16, 16)}
        image.size = (32, 32)
        pixels = image.convert("RGBA")
        assert pixels.getpixel((16, 16)) == (255, 0, 0, 255)
        assert pixels.getpixel((1, 1))[3] == 0


def test_cursor_keeps_its_hot_spot_and_outline(tmp_path):
    path = tmp_path / "test.cur"
    icons.write_cursor(path, ["#", "#.#", "###"], (1, 2))
    data = path.read_bytes()

    _, file_type, [entry] = directory(data)
    width, height, colours, _, hot_x, hot_y, size, offset = entry
    assert (file_type, width, height, colours, (hot_x, hot_y)) == (icons.CURSOR_FILE_TYPE, 32, 32, 2, (1, 2))
    assert offset + size == len(data)
    with Image.open(path) as cursor:
        pixels = cursor.convert("RGB")
        assert (pixels.getpixel((0, 0)), pixels.getpixel((1, 1))) == ((0, 0, 0), (255, 255, 255))

    # The screen mask (Pillow does not read it): its last rows are the top of the cursor.
    def transparent(x, y):
        row = len(data) - 4 * (y + 1)
        return bool(data[row + x // 8] & 0x80 >> x % 8)
    assert [transparent(x, 1) for x in range(4)] == [False, False, False, True]
    assert transparent(5, 5)
