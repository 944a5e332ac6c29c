#!/usr/bin/python3
"""Draws the updater's program icon.

    python3 update/win32/make_update_icon.py OUT.ico

A blue disc with a white arrow pointing down into a tray, at 32 and 16
pixels. The same bytes on every run.
"""

import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tools"))
import icon_writer as icons  # noqa: E402

DISC = (40, 110, 200, 255)
RIM = (20, 60, 130, 255)
ARROW = (255, 255, 255, 255)


def paint_icon(draw, side):
    unit = side / 32

    def point(x, y):
        return (round(x * unit), round(y * unit))

    draw.ellipse(point(1, 1) + point(31, 31), fill=RIM)
    draw.ellipse(point(3, 3) + point(29, 29), fill=DISC)
    # Shaft and head of the arrow, then the tray it points into.
    draw.rectangle(point(13, 6) + point(19, 16), fill=ARROW)
    draw.polygon([point(8, 15), point(24, 15), point(16, 23)], fill=ARROW)
    draw.rectangle(point(8, 24) + point(24, 26), fill=ARROW)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    icons.write_icon(pathlib.Path(sys.argv[1]), [icons.supersampled(size, paint_icon) for size in (32, 16)])
