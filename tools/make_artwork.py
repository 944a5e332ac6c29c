#!/usr/bin/python3
"""Draws the lobby client's artwork into OUTDIR.

    python3 tools/make_artwork.py OUTDIR

Writes button_<id>.bmp for every image of the lobby's buttons, hand.cur,
client.ico and bg.bmp. The output is the same bytes on every run, so the
build can regenerate it freely.
"""

import functools
import pathlib
import struct
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

import icon_writer as icons

FONT_DIR = pathlib.Path("/usr/share/fonts/truetype/nanum")
FONT_REGULAR = FONT_DIR / "NanumGothic.ttf"
FONT_BOLD = FONT_DIR / "NanumGothicBold.ttf"

# The lobby dialog's font is 9-point "굴림", shown with NanumGothic.
DIALOG_FONT_POINTS = 9
SCREEN_DPI = 96
# The background also covers the window at 125 % scaling.
LARGEST_DPI = 120

BUTTON_SIZE_DLU = (42, 16)
LOBBY_CLIENT_DLU = (273, 287)

# Lobby buttons: control id, label, image ids (normal, selected, hovered).
BUTTONS = [
    (1003, "방만들기", (166, 153, 145)),
    (1, "나가기", (181, 149, 150)),
    (1004, "접속", (178, 147, 148)),
    (1042, "기타게임", (163, 151, 152)),
    (1043, "게이트록", (160, 154, 146)),
    (1044, "쪽지", (172, 170, 171)),
    (1007, "방참여", (169, 167, 168)),
    (1048, "접속끊기", (175, 173, 174)),
    (1045, "인터넷", (192, 194, 193)),
]

LOBBY_TITLE = "다락 게임방"


# --- Dialog units -----------------------------------------------------------

def mul_div(a, b, c):
    """Windows' MulDiv for non-negative numbers: rounded a * b / c."""
    return (a * b + c // 2) // c


def font_tables(path):
    data = path.read_bytes()
    count = struct.unpack_from(">H", data, 4)[0]
    tables = {}
    for i in range(count):
        tag, _, offset, _ = struct.unpack_from(">4sIII", data, 12 + 16 * i)
        tables[tag] = offset
    return data, tables


def font_line_height(path, pixels_per_em):
    """tmHeight as Windows computes it: the scaled Windows ascent plus descent."""
    data, tables = font_tables(path)
    units_per_em = struct.unpack_from(">H", data, tables[b"head"] + 18)[0]
    win_ascent, win_descent = struct.unpack_from(">HH", data, tables[b"OS/2"] + 74)
    scale = pixels_per_em / units_per_em
    return int(win_ascent * scale + 0.5) + int(win_descent * scale + 0.5)


def dialog_base_units(dpi):
    """Horizontal and vertical base units of a dialog in the lobby's font."""
    pixels_per_em = mul_div(DIALOG_FONT_POINTS, dpi, 72)
    font = ImageFont.truetype(str(FONT_REGULAR), pixels_per_em)
    alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
    extent = round(font.getlength(alphabet))
    return (extent // 26 + 1) // 2, font_line_height(FONT_REGULAR, pixels_per_em)


def dlu_to_pixels(size_dlu, dpi=SCREEN_DPI):
    base_x, base_y = dialog_base_units(dpi)
    return mul_div(size_dlu[0], base_x, 4), mul_div(size_dlu[1], base_y, 8)


def dlu_rect(x, y, w, h):
    """A control's rectangle in pixels at 96 dpi (left, top, right, bottom)."""
    left, top = dlu_to_pixels((x, y))
    width, height = dlu_to_pixels((w, h))
    return left, top, left + width, top + height


# --- Buttons ----------------------------------------------------------------

# Per look: gradient top and bottom, bevel light and dark, label colour.
BUTTON_LOOKS = {
    "normal": ((70, 98, 138), (34, 52, 80), (120, 148, 186), (18, 28, 44), (240, 244, 250)),
    "hovered": ((104, 142, 194), (52, 82, 124), (176, 204, 238), (26, 40, 62), (255, 236, 160)),
    "selected": ((22, 34, 52), (44, 66, 96), (14, 22, 34), (92, 118, 154), (200, 210, 226)),
}
BUTTON_OUTLINE = (8, 12, 20)
LABEL_SHADOW = (10, 16, 26)


def blend(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def vertical_gradient(draw, box, top, bottom):
    left, y0, right, y1 = box
    rows = max(y1 - y0, 1)
    for y in range(y0, y1 + 1):
        draw.line([(left, y), (right, y)], fill=blend(top, bottom, (y - y0) / rows))


def draw_button(size, label, look):
    top, bottom, light, dark, text = BUTTON_LOOKS[look]
    width, height = size
    image = Image.new("RGB", size, BUTTON_OUTLINE)
    draw = ImageDraw.Draw(image)
    vertical_gradient(draw, (1, 1, width - 2, height - 2), top, bottom)
    # Raised: light edge top-left, dark bottom-right; pressed swaps them.
    draw.line([(1, 1), (width - 2, 1)], fill=light)
    draw.line([(1, 1), (1, height - 2)], fill=light)
    draw.line([(1, height - 2), (width - 2, height - 2)], fill=dark)
    draw.line([(width - 2, 1), (width - 2, height - 2)], fill=dark)

    font = ImageFont.truetype(str(FONT_BOLD), mul_div(DIALOG_FONT_POINTS, SCREEN_DPI, 72))
    shift = 1 if look == "selected" else 0
    centre = (width // 2 + shift, height // 2 + shift)
    draw.text((centre[0] + 1, centre[1] + 1), label, font=font, fill=LABEL_SHADOW, anchor="mm")
    draw.text(centre, label, font=font, fill=text, anchor="mm")
    return image


def write_buttons(outdir):
    size = dlu_to_pixels(BUTTON_SIZE_DLU)
    for _, label, ids in BUTTONS:
        for look, image_id in zip(("normal", "selected", "hovered"), ids):
            draw_button(size, label, look).save(outdir / f"button_{image_id}.bmp", format="BMP")


# --- Icon and cursor --------------------------------------------------------

# Pip positions of a die face, as fractions of the die's side.
DIE_FIVE = ((0.25, 0.25), (0.75, 0.25), (0.5, 0.5), (0.25, 0.75), (0.75, 0.75))
DIE_THREE = ((0.25, 0.25), (0.5, 0.5), (0.75, 0.75))


def paint_icon(draw, s, die_margin, pips):
    """A die on a deep blue tile: the game room."""
    draw.rounded_rectangle([0, 0, s - 1, s - 1], radius=s * 0.22, fill=(40, 78, 146, 255),
                           outline=(16, 34, 74, 255), width=s // 16)
    left, right = s * die_margin, s * (1 - die_margin)
    side = right - left
    draw.rounded_rectangle([left, left, right, right], radius=side * 0.2, fill=(250, 246, 236, 255),
                           outline=(14, 24, 44, 255), width=s // 24)
    radius = side * 0.11
    for fx, fy in pips:
        colour = (206, 40, 48, 255) if (fx, fy) == (0.5, 0.5) else (24, 30, 44, 255)
        x, y = left + side * fx, left + side * fy
        draw.ellipse([x - radius, y - radius, x + radius, y + radius], fill=colour)


def write_icon(outdir):
    # The small icon gets a bigger die with fewer pips, to stay legible.
    icons.write_icon(outdir / "client.ico", [
        icons.supersampled(size, functools.partial(paint_icon, die_margin=die_margin, pips=pips))
        for size, die_margin, pips in ((32, 0.2, DIE_FIVE), (16, 0.14, DIE_THREE))])


# A pointing hand: "#" outline, "." fill, blank transparent. The hot spot is
# the top of the index finger.
HAND = [
    "     ##",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..###",
    "    #..#..###",
    "    #..#..#..###",
    "    #..#..#..#..#",
    " ## #..#..#..#..#",
    "#..##..#..#..#..#",
    "#...#...........#",
    " #..............#",
    " #..............#",
    "  #.............#",
    "  #............#",
    "   #...........#",
    "    #..........#",
    "    #.........#",
    "     #........#",
    "     #........#",
    "     ##########",
]
HAND_HOT_SPOT = (5, 0)


# --- Background -------------------------------------------------------------

BACKGROUND_TOP = (22, 32, 54)
BACKGROUND_BOTTOM = (8, 11, 20)
PANEL_FILL = (30, 42, 66)
PANEL_EDGE = (58, 78, 112)
ACCENT = (214, 170, 88)
TITLE_COLOUR = (244, 234, 208)
TITLE_SHADOW = (4, 6, 12)
TITLE_GLOW = (52, 74, 118)


def grown(rect, margin):
    left, top, right, bottom = rect
    return left - margin, top - margin, right + margin, bottom + margin


def lobby_panels():
    """Frames behind the control groups of the lobby window at 96 dpi."""
    users = dlu_rect(14, 46, 51, 142)
    rooms = dlu_rect(70, 47, 142, 138)
    chat = dlu_rect(14, 193, 199, 52)
    chat_input = dlu_rect(14, 246, 199, 14)
    buttons_top = dlu_rect(225, 52, 42, 16)
    buttons_bottom = dlu_rect(225, 237, 42, 16)
    talk_and_lists = (users[0], min(users[1], rooms[1]), max(rooms[2], chat[2]), chat_input[3])
    column = (buttons_top[0], buttons_top[1], buttons_bottom[2], buttons_bottom[3])
    return [grown(talk_and_lists, 6), grown(column, 6)]


def draw_title(image, width, title_bottom):
    font = ImageFont.truetype(str(FONT_BOLD), 26)
    centre = (width // 2, title_bottom // 2 - 3)
    glow = Image.new("L", image.size, 0)
    ImageDraw.Draw(glow).ellipse([centre[0] - 150, centre[1] - 22, centre[0] + 150, centre[1] + 22], fill=160)
    image.paste(TITLE_GLOW, mask=glow.filter(ImageFilter.GaussianBlur(20)))

    draw = ImageDraw.Draw(image)
    draw.text((centre[0] + 2, centre[1] + 2), LOBBY_TITLE, font=font, fill=TITLE_SHADOW, anchor="mm")
    draw.text(centre, LOBBY_TITLE, font=font, fill=TITLE_COLOUR, anchor="mm")
    text_width = draw.textlength(LOBBY_TITLE, font=font)
    rule_y = centre[1] + 19
    half = int(text_width / 2) + 30
    draw.line([(centre[0] - half, rule_y), (centre[0] + half, rule_y)], fill=ACCENT)
    # Small diamonds on both sides of the title.
    for side in (-1, 1):
        x = centre[0] + side * (int(text_width / 2) + 18)
        y = centre[1]
        draw.polygon([(x, y - 5), (x + 5, y), (x, y + 5), (x - 5, y)], fill=ACCENT)


def write_background(outdir):
    width, height = dlu_to_pixels(LOBBY_CLIENT_DLU, LARGEST_DPI)
    width, height = (width + 7) // 8 * 8, (height + 7) // 8 * 8
    image = Image.new("RGB", (width, height))
    draw = ImageDraw.Draw(image)
    vertical_gradient(draw, (0, 0, width - 1, height - 1), BACKGROUND_TOP, BACKGROUND_BOTTOM)
    panels = lobby_panels()
    for panel in panels:
        draw.rounded_rectangle(panel, radius=6, fill=PANEL_FILL, outline=PANEL_EDGE)
    draw_title(image, dlu_to_pixels(LOBBY_CLIENT_DLU)[0], min(panel[1] for panel in panels))
    indexed = image.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.FLOYDSTEINBERG)
    indexed.save(outdir / "bg.bmp", format="BMP")


def draw_into_folder(argv, usage, *writers):
    """The art scripts' command line: OUTDIR, made when missing, handed to each writer."""
    if len(argv) != 2:
        print(usage.strip(), file=sys.stderr)
        return 2
    outdir = pathlib.Path(argv[1])
    outdir.mkdir(parents=True, exist_ok=True)
    for write in writers:
        write(outdir)
    return 0


def write_cursor(outdir):
    icons.write_cursor(outdir / "hand.cur", HAND, HAND_HOT_SPOT)


if __name__ == "__main__":
    sys.exit(draw_into_folder(sys.argv, __doc__, write_buttons, write_cursor, write_icon, write_background))
