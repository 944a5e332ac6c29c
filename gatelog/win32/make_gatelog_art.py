#!/usr/bin/python3
"""Draws the server notebook's icon and cursors into OUTDIR.

    python3 gatelog/win32/make_gatelog_art.py OUTDIR

Writes gatelog.ico, hover.cur (the pointing hand over buttons and the list)
and picked.cur (shown when a row is picked). Same bytes on every run.
"""

import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tools"))
import icon_writer as icons  # noqa: E402
import make_artwork as art  # noqa: E402  (the lobby's hand cursor, the command line)


def paint_icon(draw, s):
    """A gateway arch on a green tile, with a signal dot: the server notebook."""
    draw.rounded_rectangle([0, 0, s - 1, s - 1], radius=s * 0.22, fill=(32, 112, 84, 255),
                           outline=(12, 52, 38, 255), width=max(1, s // 16))
    left, right, top, bottom = s * 0.22, s * 0.78, s * 0.2, s * 0.84
    pillar = (right - left) * 0.24
    stone = (244, 238, 222, 255)
    draw.rectangle([left, top + (right - left) / 2, left + pillar, bottom], fill=stone)
    draw.rectangle([right - pillar, top + (right - left) / 2, right, bottom], fill=stone)
    draw.pieslice([left, top, right, top + (right - left)], 180, 360, fill=stone)
    inner = pillar
    draw.pieslice([left + inner, top + inner, right - inner, top + (right - left) - inner], 180, 360,
                  fill=(32, 112, 84, 255))
    dot = s * 0.1
    cx, cy = s * 0.5, bottom - dot * 1.2
    draw.ellipse([cx - dot, cy - dot, cx + dot, cy + dot], fill=(250, 204, 64, 255))


def write_icon(outdir):
    icons.write_icon(outdir / "gatelog.ico", [icons.supersampled(size, paint_icon) for size in (32, 16)])


# An arrow with a check mark: "#" outline, "." fill, blank transparent.
PICKED = [
    "#",
    "##",
    "#.#",
    "#..#",
    "#...#",
    "#....#",
    "#.....#",
    "#......#",
    "#.......#",
    "#........#",
    "#.........#             ##",
    "#......#####           #.#",
    "#...#..#              #..#",
    "#..##..#      ##     #..#",
    "#.#  #..#    #..#   #..#",
    "##   #..#     #..# #..#",
    "#     #..#     #..#..#",
    "      #..#      #....#",
    "       ##        #..#",
    "                  ##",
]


def write_cursors(outdir):
    icons.write_cursor(outdir / "hover.cur", art.HAND, art.HAND_HOT_SPOT)
    icons.write_cursor(outdir / "picked.cur", PICKED, (0, 0))


if __name__ == "__main__":
    sys.exit(art.draw_into_folder(sys.argv, __doc__, write_icon, write_cursors))
