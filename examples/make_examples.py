#!/usr/bin/env python3
"""Draws the example pictures and writes them as BMP files into the directory given.

    make_examples.py OUTDIR

landscape-16.bmp, landscape-256.bmp  sky, sun, clouds, hills, a house and a tree for the
                                     multicolour mode (background light blue, which AUTO finds)
greys4.bmp                           a lit sphere on a floor in black and three greys
greys5.bmp                           the same with white highlights, for the five-level mode

The palette indexes are C64 colour numbers; the palette's RGB values only make the files look
right in a PC viewer. Every picture is drawn on the 160x200 grid of double-wide C64 pixels and
each point is written as two equal BMP pixels. The drawing is checked against the C64 cell
rules here, so a change that breaks them fails loudly instead of giving a picture that the
converter refuses.
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import pixelart  # noqa: E402  (found through the line above)

COLUMNS, ROWS = 160, 200
BLACK, WHITE, RED, CYAN, PURPLE, GREEN, BLUE, YELLOW = range(8)
ORANGE, BROWN, PINK, DARK_GREY, MED_GREY, LIGHT_GREEN, LIGHT_BLUE, LIGHT_GREY = range(8, 16)

# A common rendering of the C64's sixteen colours.
C64_RGB = [
    (0x00, 0x00, 0x00), (0xFF, 0xFF, 0xFF), (0x68, 0x37, 0x2B), (0x70, 0xA4, 0xB2),
    (0x6F, 0x3D, 0x86), (0x58, 0x8D, 0x43), (0x35, 0x28, 0x79), (0xB8, 0xC7, 0x6F),
    (0x6F, 0x4F, 0x25), (0x43, 0x39, 0x00), (0x9A, 0x67, 0x59), (0x44, 0x44, 0x44),
    (0x6C, 0x6C, 0x6C), (0x9A, 0xD2, 0x84), (0x6C, 0x5E, 0xB5), (0x95, 0x95, 0x95),
]

LANDSCAPE_BACKGROUND = LIGHT_BLUE


def cells(picture):
    """Yields (cell column, cell row, set of colours) for the 40x25 cells of 4x8 points."""
    for cy in range(ROWS // 8):
        for cx in range(COLUMNS // 4):
            yield cx, cy, {picture[y][x] for y in range(8 * cy, 8 * cy + 8) for x in range(4 * cx, 4 * cx + 4)}


# --- the landscape -------------------------------------------------------------------------

def far_hill(x):
    return 116 + 7 * math.sin(x / 13.0) + 3 * math.sin(x / 5.0 + 1.0)


def near_hill(x):
    return 150 + 8 * math.sin(x / 19.0 + 2.0)


def in_ellipse(x, y, cx, cy, rx, ry):
    # x counts double-wide points: a round shape is half as many points wide as it is tall.
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 < 1.0


def landscape_point(x, y):
    # Sun: white core, yellow disc, orange rim, in the sky at the top right.
    sun = math.hypot(2 * (x - 130), y - 34)
    if sun < 5:
        return WHITE
    if sun < 13:
        return YELLOW
    if sun < 17:
        return ORANGE
    # A kite and a balloon, striped in three colours each: their cells hold the sky and three
    # colours, two sets with nothing in common, so no background but the sky's serves both.
    if abs(x - 66) / 5.0 + abs(y - 18) / 8.0 < 1.0:
        return (CYAN, PURPLE, YELLOW)[x % 3]
    if in_ellipse(x, y, 64, 76, 6, 9):
        return (ORANGE, WHITE, BLUE)[x % 3]
    # Clouds: white with a light grey underside.
    for cx, cy, rx, ry in ((34, 32, 14, 7), (46, 28, 9, 7), (84, 54, 12, 6), (93, 51, 7, 5)):
        if in_ellipse(x, y, cx, cy, rx, ry):
            return LIGHT_GREY if y > cy + ry / 3 else WHITE

    # The house stands on whole cells: walls at columns 20-51, rows 120-167; roof above.
    if 20 <= x < 52 and 120 <= y < 168:
        if 28 <= x < 36 and 128 <= y < 144 or 40 <= x < 48 and 128 <= y < 144:
            frame = x in (28, 35, 40, 47) or y in (128, 135, 136, 143)
            return BLACK if frame else YELLOW
        if 24 <= x < 28 and 144 <= y < 168:
            return YELLOW if (x, y) == (27, 156) else BROWN
        return PINK if (y // 4) % 6 else LIGHT_GREY  # plaster with faint seams
    if 96 <= y < 120:
        half = (y - 96) * 0.85 + 2
        if abs(x - 35.5) < half and 16 <= x < 56:
            return BROWN if abs(x - 35.5) > half - 1.5 or y == 119 else RED
    if 44 <= x < 48 and 92 <= y < 104:
        return MED_GREY  # chimney
    if in_ellipse(x, y, 47, 84, 3, 3) or in_ellipse(x, y, 50, 76, 3, 3):
        return LIGHT_GREY  # smoke

    # A tree right of the house: trunk and a two-tone crown.
    if 108 <= x < 112 and 126 <= y < 160:
        return BROWN
    if in_ellipse(x, y, 110, 116, 10, 18):
        return LIGHT_GREEN if in_ellipse(x, y, 107, 110, 5, 9) else GREEN

    # Hills, and flowers low in the meadow where only green is around.
    if y >= near_hill(x):
        if y >= 176 and (x * 7 + y * 3) % 23 == 0:
            return YELLOW if (x + y) % 2 else RED
        return GREEN
    if y >= far_hill(x):
        return LIGHT_GREEN
    return LIGHT_BLUE


def draw_landscape():
    picture = [[landscape_point(x, y) for x in range(COLUMNS)] for y in range(ROWS)]
    for cx, cy, colours in cells(picture):
        besides = colours - {LANDSCAPE_BACKGROUND}
        if len(besides) > 3:
            raise SystemExit(f"landscape: cell {cx},{cy} holds {sorted(besides)} besides the background")
    # AUTO tries backgrounds upwards: every lower one must meet a cell it cannot serve.
    for background in range(LANDSCAPE_BACKGROUND):
        if all(len(colours - {background}) <= 3 for _, _, colours in cells(picture)):
            raise SystemExit(f"landscape: background {background} would be chosen before {LANDSCAPE_BACKGROUND}")
    return picture


# --- the grey pictures ---------------------------------------------------------------------

# Brightness order of the C64 greys; the five-level mode adds white on top.
GREYS4 = [BLACK, DARK_GREY, MED_GREY, LIGHT_GREY]
GREYS5 = GREYS4 + [WHITE]
BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def sphere_brightness(x, y):
    """0..1: a sphere lit from the upper left above a floor that lightens towards the viewer."""
    # x counts double-wide points: the sphere is half as many points wide as it is tall.
    px, py = (x - 80) / 34.0, (y - 84) / 68.0
    r2 = px * px + py * py
    if r2 < 1.0:
        pz = math.sqrt(1.0 - r2)
        light = max(0.0, -0.45 * px - 0.55 * py + 0.70 * pz)
        return 0.18 + 0.82 * light ** 1.5
    if y >= 160:
        if in_ellipse(x, y, 88, 172, 34, 9):
            return 0.1  # the sphere's shadow
        return 0.3 + 0.4 * (y - 160) / 40.0
    return 0.04 + 0.16 * y / 160.0  # a dark wall behind


def dithered(brightness, levels, x, y):
    steps = len(levels) - 1
    scaled = min(max(brightness, 0.0), 1.0) * steps
    low = min(int(scaled), steps - 1)
    threshold = (BAYER4[y % 4][x % 4] + 0.5) / 16.0
    return levels[low + 1] if scaled - low > threshold else levels[low]


def draw_greys(levels):
    picture = [[dithered(sphere_brightness(x, y), levels, x, y) for x in range(COLUMNS)] for y in range(ROWS)]
    if WHITE in levels:
        # White may stand in only for a grey level the cell lacks; where a cell has all three,
        # its highlight stays light grey.
        for cx, cy, colours in cells(picture):
            if WHITE in colours and {DARK_GREY, MED_GREY, LIGHT_GREY} <= colours:
                for y in range(8 * cy, 8 * cy + 8):
                    for x in range(4 * cx, 4 * cx + 4):
                        if picture[y][x] == WHITE:
                            picture[y][x] = LIGHT_GREY
        if not any(WHITE in colours for _, _, colours in cells(picture)):
            raise SystemExit("greys5: no cell kept its white")
    return picture


# --- output ----------------------------------------------------------------------------------

def write_bmp(path, picture, colours):
    rows = [[c for c in row for _ in range(2)] for row in picture]
    palette = C64_RGB + [(0, 0, 0)] * (colours - 16)
    art = pixelart.PixelArt(2 * COLUMNS, ROWS, colours, palette, None, rows)
    with open(path, "wb") as out:
        out.write(pixelart.build_bmp(art, path))


def main(argv):
    if len(argv) != 1:
        print("usage: make_examples.py OUTDIR", file=sys.stderr)
        return 2
    outdir = argv[0]
    os.makedirs(outdir, exist_ok=True)
    landscape = draw_landscape()
    write_bmp(os.path.join(outdir, "landscape-16.bmp"), landscape, 16)
    write_bmp(os.path.join(outdir, "landscape-256.bmp"), landscape, 256)
    write_bmp(os.path.join(outdir, "greys4.bmp"), draw_greys(GREYS4), 16)
    write_bmp(os.path.join(outdir, "greys5.bmp"), draw_greys(GREYS5), 16)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
