#!/usr/bin/python3
"""Draws the connector's skin into OUTDIR.

    python3 dialer/win32/make_dialer_art.py OUTDIR

Writes the resources pondial.ico, hand.cur, lamp_dial.bmp, lamp_line.bmp,
minimize.bmp and close.bmp, and the skin files that "position.ini" names:
dial_bg.bmp, dial_connect.bmp, dial_settings.bmp, dial_hangup.bmp,
dial_quit.bmp and dial_help.avi. Same bytes on every run.
"""

import math
import pathlib
import sys

from PIL import Image, ImageDraw, ImageFont

TOOLS = pathlib.Path(__file__).resolve().parents[2] / "tools"
sys.path.insert(0, str(TOOLS))
import icon_writer as icons  # noqa: E402
import make_artwork as art  # noqa: E402  (the suite's dialog units, buttons and hand cursor)
import make_filecopy_avi as clip  # noqa: E402  (the suite's AVI writer)

# The window (template 102) and the skin's buttons, in pixels; the sample
# "position.ini" places the controls at these rectangles.
WINDOW_DLU = (231, 187)
BUTTONS = {
    "dial_connect.bmp": ((24, 244, 80, 64), "접속"),
    "dial_settings.bmp": ((116, 244, 80, 64), "설정"),
    "dial_hangup.bmp": ((208, 244, 80, 64), "끊기"),
    "dial_quit.bmp": ((300, 244, 80, 64), "종료"),
}
HELP_RECT = (318, 40, 64, 64)
LAMPS_DLU = [(103 + 7 * i, 96, 5, 6) for i in range(7)]
CAPTION_BUTTONS_DLU = [(161, 1, 10, 12), (172, 1, 10, 12)]
TITLE = "Lumanet"

BACK_TOP, BACK_BOTTOM = (18, 44, 70), (6, 14, 26)
PANEL, PANEL_EDGE = (26, 58, 88), (70, 120, 160)
ACCENT = (255, 184, 64)
TEXT = (236, 244, 250)


def font(size, bold=True):
    return ImageFont.truetype(str(art.FONT_BOLD if bold else art.FONT_REGULAR), size)


def save_indexed(image, path):
    image.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE).save(path, format="BMP")


def write_background(outdir):
    width, height = art.dlu_to_pixels(WINDOW_DLU)
    image = Image.new("RGB", (width, height))
    draw = ImageDraw.Draw(image)
    art.vertical_gradient(draw, (0, 0, width - 1, height - 1), BACK_TOP, BACK_BOTTOM)
    draw.rectangle([0, 0, width - 1, height - 1], outline=PANEL_EDGE)
    # The title strip along the top, where the window is dragged.
    draw.rectangle([1, 1, width - 2, 26], fill=PANEL)
    draw.text((12, 14), TITLE, font=font(16), fill=TEXT, anchor="lm")
    draw.text((12 + font(16).getlength(TITLE) + 8, 15), "전화접속", font=font(11, False), fill=ACCENT, anchor="lm")
    # The lamps' panel.
    first, last = art.dlu_rect(*LAMPS_DLU[0]), art.dlu_rect(*LAMPS_DLU[-1])
    draw.rounded_rectangle([first[0] - 12, first[1] - 24, last[2] + 12, last[3] + 10], radius=6, fill=PANEL,
                           outline=PANEL_EDGE)
    draw.text(((first[0] + last[2]) // 2, first[1] - 13), "접속 상태", font=font(11, False), fill=TEXT, anchor="mm")
    # Frames behind the buttons and the help clip.
    for (x, y, w, h), _ in BUTTONS.values():
        draw.rounded_rectangle([x - 3, y - 3, x + w + 2, y + h + 2], radius=5, outline=PANEL_EDGE)
    x, y, w, h = HELP_RECT
    draw.rounded_rectangle([x - 3, y - 3, x + w + 7, y + h + 7], radius=5, outline=PANEL_EDGE)
    save_indexed(image, outdir / "dial_bg.bmp")


def write_buttons(outdir):
    for name, ((_, _, w, h), label) in BUTTONS.items():
        image = art.draw_button((w, h), label, "normal")
        save_indexed(image, outdir / name)


def write_small_bitmap(outdir, name, size_dlu, painter):
    width, height = art.dlu_to_pixels(size_dlu)
    image = Image.new("RGB", (width, height), PANEL)
    painter(ImageDraw.Draw(image), width, height)
    image.save(outdir / name, format="BMP")


def lamp(colour):
    def paint(draw, w, h):
        draw.ellipse([0, 1, w - 1, h - 2], fill=colour, outline=(0, 0, 0))
    return paint


def paint_minimize(draw, w, h):
    draw.rectangle([0, 0, w - 1, h - 1], outline=PANEL_EDGE)
    draw.line([(4, h - 6), (w - 5, h - 6)], fill=TEXT, width=2)


def paint_close(draw, w, h):
    draw.rectangle([0, 0, w - 1, h - 1], outline=PANEL_EDGE)
    draw.line([(4, 5), (w - 5, h - 6)], fill=TEXT, width=2)
    draw.line([(4, h - 6), (w - 5, 5)], fill=TEXT, width=2)


# The help clip: a question mark in a ring whose light runs around it.
HELP_FRAMES = 12
HELP_PALETTE = [(26, 58, 88), (70, 120, 160), (255, 184, 64), (236, 244, 250)]


def help_frame(number):
    _, _, w, h = HELP_RECT
    image = Image.new("P", (w, h), 0)
    image.putpalette([c for colour in HELP_PALETTE for c in colour])
    draw = ImageDraw.Draw(image)
    draw.ellipse([4, 4, w - 5, h - 5], outline=1, width=4)
    angle = 2 * math.pi * number / HELP_FRAMES
    cx, cy, r = w / 2, h / 2, w / 2 - 6
    x, y = cx + r * math.cos(angle), cy + r * math.sin(angle)
    draw.ellipse([x - 5, y - 5, x + 5, y + 5], fill=2)
    draw.text((cx, cy), "?", font=font(30), fill=3, anchor="mm")
    return image


def write_help_clip(outdir):
    frames = [clip.rle8(help_frame(n)) for n in range(HELP_FRAMES)]
    (outdir / "dial_help.avi").write_bytes(clip.avi(frames, HELP_RECT[2:], HELP_PALETTE))


def paint_icon(draw, s):
    """A telephone handset over a signal arc on an orange tile: the connector."""
    draw.rounded_rectangle([0, 0, s - 1, s - 1], radius=s * 0.22, fill=(230, 132, 30, 255),
                           outline=(110, 54, 8, 255), width=max(1, s // 16))
    for i, radius in enumerate((0.42, 0.3)):
        box = [s * (0.5 - radius), s * (0.62 - radius), s * (0.5 + radius), s * (0.62 + radius)]
        draw.arc(box, 215, 325, fill=(255, 244, 220, 255), width=max(1, s // 14))
    draw.rounded_rectangle([s * 0.2, s * 0.62, s * 0.8, s * 0.8], radius=s * 0.08, fill=(32, 40, 58, 255))
    draw.rectangle([s * 0.2, s * 0.56, s * 0.34, s * 0.7], fill=(32, 40, 58, 255))
    draw.rectangle([s * 0.66, s * 0.56, s * 0.8, s * 0.7], fill=(32, 40, 58, 255))


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    outdir = pathlib.Path(argv[1])
    outdir.mkdir(parents=True, exist_ok=True)
    write_background(outdir)
    write_buttons(outdir)
    write_help_clip(outdir)
    write_small_bitmap(outdir, "lamp_dial.bmp", LAMPS_DLU[0][2:], lamp((255, 70, 60)))
    write_small_bitmap(outdir, "lamp_line.bmp", LAMPS_DLU[0][2:], lamp((80, 230, 90)))
    write_small_bitmap(outdir, "minimize.bmp", CAPTION_BUTTONS_DLU[0][2:], paint_minimize)
    write_small_bitmap(outdir, "close.bmp", CAPTION_BUTTONS_DLU[1][2:], paint_close)
    icons.write_icon(outdir / "pondial.ico", [icons.supersampled(size, paint_icon) for size in (32, 16)])
    icons.write_cursor(outdir / "hand.cur", art.HAND, art.HAND_HOT_SPOT)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
