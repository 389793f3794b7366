#!/usr/bin/env python3
"""Text pixel art to BMP and ICO files, for the program's pictures and the example pictures.

    pixelart.py bmp SOURCE.txt OUT.bmp
    pixelart.py ico OUT.ico SOURCE_A.txt [SOURCE_B.txt ...]

A source file reads:

    width 18
    height 16
    colours 16              # palette size: 16 (4 bits per pixel) or 256 (8 bits per pixel)
    scale 2 1               # optional: each character becomes 2x1 pixels
    key . C6C6C6            # a character and its RGB colour; palette index = order of the keys
    key - transparent       # ICO only: the pixel shows what lies beneath the icon
    rows
    ..................      # height/scaley lines of width/scalex characters

Before "rows", lines starting with '#' and blank lines are ignored, and a header line may end in
a '#' comment. After "rows" every line is a picture row; text after its characters must be
blank or a '#' comment.
"""
import struct
import sys


class SourceError(Exception):
    """A fault in a source file, already worded as file:line: text."""


class PixelArt:
    def __init__(self, width, height, colours, palette, transparent, pixels):
        self.width = width
        self.height = height
        self.colours = colours
        self.palette = palette          # list of (r, g, b), len == colours
        self.transparent = transparent  # palette index used for transparent pixels, or None
        self.pixels = pixels            # rows top to bottom: palette index, or None for transparent

    @property
    def bits_per_pixel(self):
        return 4 if self.colours == 16 else 8


def _fail(path, line, text):
    raise SourceError(f"{path}:{line}: {text}")


def _number(path, line, token, what, low, high):
    try:
        value = int(token, 10)
    except ValueError:
        _fail(path, line, f"{what} must be a whole number, not '{token}'")
    if not low <= value <= high:
        _fail(path, line, f"{what} must be {low} to {high}, not {value}")
    return value


def _check_trailing(path, line, tokens):
    if tokens and not tokens[0].startswith("#"):
        _fail(path, line, f"unexpected '{tokens[0]}' (comments start with '#')")


def _rgb(path, line, token):
    if len(token) != 6 or any(c not in "0123456789abcdefABCDEF" for c in token):
        _fail(path, line, f"colour must be 6 hex digits RRGGBB or 'transparent', not '{token}'")
    value = int(token, 16)
    return (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF


def parse_source(path, text):
    """Parses one source; raises SourceError with file:line on any fault."""
    lines = text.splitlines()
    header = {}
    keys = []  # (character, (r, g, b) or None, line)
    rows_line = None
    for number, raw in enumerate(lines, start=1):
        tokens = raw.split()
        if not tokens or tokens[0].startswith("#"):
            continue
        word = tokens[0]
        if word == "rows":
            _check_trailing(path, number, tokens[1:])
            rows_line = number
            break
        if word in ("width", "height", "colours"):
            if word in header:
                _fail(path, number, f"'{word}' given twice")
            if len(tokens) < 2:
                _fail(path, number, f"'{word}' needs a number")
            header[word] = _number(path, number, tokens[1], word, 1, 4096)
            _check_trailing(path, number, tokens[2:])
        elif word == "scale":
            if "scale" in header:
                _fail(path, number, "'scale' given twice")
            if len(tokens) < 3:
                _fail(path, number, "'scale' needs two numbers: x and y")
            header["scale"] = (_number(path, number, tokens[1], "scale x", 1, 4096),
                               _number(path, number, tokens[2], "scale y", 1, 4096))
            _check_trailing(path, number, tokens[3:])
        elif word == "key":
            if len(tokens) < 3:
                _fail(path, number, "'key' needs a character and a colour")
            character = tokens[1]
            if len(character) != 1:
                _fail(path, number, f"key must be one character, not '{character}'")
            if any(character == k[0] for k in keys):
                _fail(path, number, f"key '{character}' given twice")
            colour = None if tokens[2] == "transparent" else _rgb(path, number, tokens[2])
            _check_trailing(path, number, tokens[3:])
            keys.append((character, colour, number))
        else:
            _fail(path, number, f"unknown word '{word}' (expected width, height, colours, scale, key or rows)")

    end = len(lines) + 1
    for word in ("width", "height", "colours"):
        if word not in header:
            _fail(path, rows_line or end, f"'{word}' missing before 'rows'")
    if rows_line is None:
        _fail(path, end, "'rows' missing")
    width, height, colours = header["width"], header["height"], header["colours"]
    if colours not in (16, 256):
        _fail(path, rows_line, f"colours must be 16 or 256, not {colours}")
    scale_x, scale_y = header.get("scale", (1, 1))
    if width % scale_x or height % scale_y:
        _fail(path, rows_line, f"width {width} and height {height} must be multiples of the scale {scale_x} {scale_y}")

    palette, index_of, transparent_keys = _palette(path, keys, colours)
    columns, row_count = width // scale_x, height // scale_y

    # Trailing empty lines at the end of the file are not rows.
    body = lines[rows_line:]
    while body and not body[-1].strip():
        body.pop()
    if len(body) != row_count:
        _fail(path, rows_line + len(body) if len(body) > row_count else end,
              f"expected {row_count} rows (height {height} / scale {scale_y}), found {len(body)}")

    pixels = []
    for offset, raw in enumerate(body):
        number = rows_line + 1 + offset
        row, rest = raw[:columns], raw[columns:]
        if len(row) < columns:
            _fail(path, number, f"row has {len(row)} characters, expected {columns} (width {width} / scale {scale_x})")
        if rest and (not rest[0].isspace() or (rest.strip() and not rest.strip().startswith("#"))):
            _fail(path, number, f"row has more than {columns} characters (width {width} / scale {scale_x})")
        line_pixels = []
        for position, character in enumerate(row, start=1):
            if character in transparent_keys:
                line_pixels.append(None)
            elif character in index_of:
                line_pixels.append(index_of[character])
            else:
                _fail(path, number, f"character '{character}' at column {position} has no key")
        wide = [p for p in line_pixels for _ in range(scale_x)]
        pixels.extend(list(wide) for _ in range(scale_y))

    transparent = None
    if transparent_keys:
        transparent = _transparent_index(path, rows_line, palette, len(index_of))
    return PixelArt(width, height, colours, palette, transparent, pixels)


def _palette(path, keys, colours):
    """Palette indexes follow the order of the colour keys; transparent keys take none."""
    palette = []
    index_of = {}
    transparent_keys = set()
    for character, colour, number in keys:
        if colour is None:
            transparent_keys.add(character)
            continue
        if len(palette) == colours:
            _fail(path, number, f"more colour keys than the {colours} palette entries")
        index_of[character] = len(palette)
        palette.append(colour)
    return palette + [(0, 0, 0)] * (colours - len(palette)), index_of, transparent_keys


def _transparent_index(path, line, palette, used):
    # A transparent pixel is drawn as (screen AND mask) XOR colour: its colour must be black.
    # Index 0 when that is black, else a black key, else the first unused entry (black already).
    for index in range(used):
        if palette[index] == (0, 0, 0):
            return index
    if used < len(palette):
        return used
    _fail(path, line, "transparent pixels need a black palette entry: add a black key or free an entry")


def read_source(path):
    try:
        with open(path, encoding="utf-8") as source:
            text = source.read()
    except OSError as error:
        raise SourceError(f"{path}: {error.strerror}") from error
    except UnicodeDecodeError as error:
        raise SourceError(f"{path}: not UTF-8 text ({error.reason})") from error
    return parse_source(path, text)


def _pixel_rows(art, index_of_pixel):
    """Bottom-up rows of palette indexes, each padded to 4 bytes."""
    stride = 4 * ((art.width * art.bits_per_pixel + 31) // 32)
    data = bytearray()
    for row in reversed(art.pixels):
        indexes = [index_of_pixel(p) for p in row]
        if art.bits_per_pixel == 8:
            packed = bytes(indexes)
        else:
            indexes += [0] * (len(indexes) % 2)
            packed = bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, len(indexes), 2))
        data += packed + bytes(stride - len(packed))
    return bytes(data)


def _mask_rows(art):
    stride = 4 * ((art.width + 31) // 32)
    data = bytearray()
    for row in reversed(art.pixels):
        line = bytearray(stride)
        for x, p in enumerate(row):
            if p is None:
                line[x // 8] |= 0x80 >> (x % 8)
        data += line
    return bytes(data)


def _palette_bytes(art):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in art.palette)


def _info_header(width, height, bits, image_size, colours_used):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835,
                       colours_used, colours_used)


def build_bmp(art, path="source"):
    if art.transparent is not None:
        raise SourceError(f"{path}: 'transparent' keys are for ICO files only")
    pixels = _pixel_rows(art, lambda p: p)
    offset = 14 + 40 + 4 * art.colours
    size = offset + len(pixels)
    file_header = struct.pack("<2sIHHI", b"BM", size, 0, 0, offset)
    return (file_header + _info_header(art.width, art.height, art.bits_per_pixel, len(pixels), art.colours)
            + _palette_bytes(art) + pixels)


def build_ico(arts):
    images = []
    for art in arts:
        xor = _pixel_rows(art, lambda p, t=art.transparent: t if p is None else p)
        mask = _mask_rows(art)
        header = _info_header(art.width, 2 * art.height, art.bits_per_pixel, len(xor) + len(mask), 0)
        images.append(header + _palette_bytes(art) + xor + mask)
    directory = struct.pack("<HHH", 0, 1, len(arts))
    offset = len(directory) + 16 * len(arts)
    entries = b""
    for art, image in zip(arts, images):
        entries += struct.pack("<BBBBHHII", art.width % 256, art.height % 256, art.colours % 256, 0, 1,
                               art.bits_per_pixel, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def _write(path, data):
    try:
        with open(path, "wb") as out:
            out.write(data)
    except OSError as error:
        raise SourceError(f"{path}: {error.strerror}") from error


USAGE = """usage: pixelart.py bmp SOURCE.txt OUT.bmp
       pixelart.py ico OUT.ico SOURCE.txt [SOURCE.txt ...]"""


def main(argv):
    try:
        if len(argv) == 3 and argv[0] == "bmp":
            _write(argv[2], build_bmp(read_source(argv[1]), argv[1]))
        elif len(argv) >= 3 and argv[0] == "ico":
            arts = [read_source(path) for path in argv[2:]]
            for path, art in zip(argv[2:], arts):
                if art.width > 256 or art.height > 256:
                    raise SourceError(f"{path}: an icon image is at most 256x256 pixels")
            _write(argv[1], build_ico(arts))
        else:
            print(USAGE, file=sys.stderr)
            return 2
    except SourceError as error:
        print(f"pixelart: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
