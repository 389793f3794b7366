#include "cli/help_text.h"

#include <array>
#include <cstdio>

#include "cli/input_file.h"
#include "cli/nearest_conversion.h"
#include "cli/text_join.h"
#include "core/format/export_format.h"
#include "core/koala/colour_names.h"
#include "core/palette/c64_palettes.h"
#include "core/import/palette_match.h"

namespace pxm::cli {

namespace {

constexpr std::string_view Options =
    "Converts a C64 picture into a C64 multicolour picture file. INPUT is told by its content:\n"
    "  a BMP of 16 or 256 colours and at most 320x200 pixels, its palette indexes the C64 colour\n"
    "  numbers; or a PNG, GIF (its first frame) or JPEG of at most 320x200 pixels, or an\n"
    "  emulator screenshot of exactly 384x272 pixels (the picture at 32,35 inside the border),\n"
    "  in the RGB of a known C64 palette. Each two pixels of a row are one double-wide C64\n"
    "  pixel: in a PNG, GIF or JPEG both must have the same colour. A JPEG saved lossy holds\n"
    "  hundreds of colours: it is refused, and --nearest makes the nearest C64 picture of it.\n"
    "\n"
    "  -o, --output OUTPUT                     the file to write, named exactly as given\n"
    "  -m, --mode multicolour|grey4|grey5      default multicolour\n"
    "  -b, --background auto|0..15|NAME        default auto; NAME from the colour list\n"
    "                                          (black, white, ..., \"light grey\")\n"
    "  -f, --format koala|artstudio|artist64|blazing|sp2    default koala\n"
    "  -c, --container p00|prg|tap|d64         default: from OUTPUT's extension\n"
    "                                          (case-insensitive), otherwise p00\n"
    "      --name NAME                         the C64 file name in the p00 header, the tape\n"
    "                                          header and the disk directory: at most 16 of\n"
    "                                          A-Z (a-z taken as A-Z), 0-9, space and the\n"
    "                                          punctuation a C64 shows as ASCII does;\n"
    "                                          default: the format's own name (with -x:\n"
    "                                          OUTPUT's name)\n"
    "      --fix-sp2-flaw                      the \"Correct SP2 unpack flaw\" switch\n"
    "  -x, --executable                        write a C64 program that shows the picture\n"
    "  -p, --palette auto|index|NAME           PNG, GIF, JPEG. auto (default): the known palette\n"
    "                                          that fits the colours best, named on stdout;\n"
    "                                          NAME: that palette alone; index: the colour table\n"
    "                                          indexes are the colour numbers, as in a BMP\n"
    "      --preview FILE                      also write the koalized picture as a C64 shows it,\n"
    "                                          a 320x200 PNG in the palette taken (pepto for\n"
    "                                          index and BMP)\n"
    "      --clash-map FILE                    also write the picture as read, a PNG (320x200 or\n"
    "                                          the screenshot's 384x272), with every cell that\n"
    "                                          cannot be koalized framed; written whether the\n"
    "                                          conversion succeeds or is refused\n"
    "      --backgrounds                       first list every background under which the\n"
    "                                          picture koalizes in multicolour mode\n"
    "  -n, --nearest                           make the nearest C64 picture instead of refusing\n"
    "                                          one that breaks a rule (see Nearest below)\n"
    "      --scale none|fit|fill|stretch       with -n: default none for the sizes taken\n"
    "                                          without -n, fit for any other\n"
    "      --dither none|bayer4|bayer8|floyd-steinberg|atkinson\n"
    "                                          with -n: default floyd-steinberg, none for a\n"
    "                                          picture of C64 colours only\n"
    "      --dither-strength 0..1              with -n: the share of the error passed on (or\n"
    "                                          of the matrix); default 0.5, 1 with --dither\n"
    "  -h, --help    --version\n"
    "\n"
    "Modes:\n"
    "  multicolour  one background for the whole picture and at most 3 more colours in each\n"
    "               cell of 4x8 double-wide pixels (8x8 file pixels); auto picks the lowest\n"
    "               background that works. --background is used in this mode only.\n"
    "  grey4        black 0, dark grey 11, medium grey 12 and light grey 15 only\n"
    "  grey5        grey4 plus white 1 in cells that leave out one of the grey levels\n"
    "\n"
    "Nearest (-n): any picture becomes the C64 picture of the mode nearest to it, in the palette\n"
    "  detected (pepto when the colours fit none, or --palette NAME). A PNG, GIF or JPEG (of any\n"
    "  number of colours) may then be up to 32 MiB and 25 megapixels, a large JPEG decoded at\n"
    "  1/2, 1/4 or 1/8 before it is scaled; --clash-map maps the picture as read without -n;\n"
    "  fit shows the whole picture in the shape a PAL C64 shows it (a multicolour pixel about\n"
    "  1.87 times as wide as tall), the rest in the background colour; fill crops it to fill\n"
    "  the screen; stretch ignores its shape; none places it as without -n (the top left of a\n"
    "  larger one). The background is the colour that serves the whole picture best, each\n"
    "  cell's three further colours those that serve the cell best (CIEDE2000 differences).\n"
    "  The dithers choose among the colours each cell keeps. A picture of C64 colours only,\n"
    "  undithered, changes the fewest pixels possible, each to the nearest colour its cell\n"
    "  keeps, and says how many: \"Changed 37 pixels in 5 cells.\" (multicolour pixels, each\n"
    "  two pixels wide).\n"
    "\n";

constexpr std::string_view Containers =
    "\n"
    "Containers:\n"
    "  p00  PC64 file: a 26-byte header with the C64 file name, then the prg form\n"
    "  prg  C64 program file: the 2-byte load address, then the picture data\n"
    "  tap  TAP version 1 tape image: the file as a complete Commodore tape recording\n"
    "  d64  1541 disk image (35 tracks) with the file on it as a PRG, the prg form's bytes;\n"
    "       load it with LOAD\"*\",8,1 (or LOAD\"NAME\",8,1)\n"
    "\n"
    "Programs (-x): the file becomes a program that loads at $0801 and shows the picture in any\n"
    "format: LOAD\"NAME\",8 and RUN from disk, LOAD and RUN from tape, or let an emulator\n"
    "autostart the .prg, .p00, .tap or .d64. The picture stays on screen, with border and\n"
    "background in its background colour (black for sp2), until a key is pressed; then BASIC's\n"
    "READY comes back on a cleared text screen. Its C64 name is OUTPUT's file name without\n"
    "extension, in capitals, at most 16 characters, unless --name gives one.\n"
    "\n"
    "Note: a Blazing Paddles file loads to $A000-$C7FF, under the BASIC ROM. Loaded from tape\n"
    "with BASIC's LOAD, the KERNAL's verify reads the ROM back and ends with ?LOAD ERROR although\n"
    "RAM holds the picture: the picture is loaded fine. As a program (-x) it loads at $0801\n"
    "without the message.\n"
    "\n"
    "Exit status: 0 when the file was written, 1 when the picture was refused or the file could\n"
    "not be written, 2 for a usage error.\n";

}  // namespace

std::string HelpText() {
    std::string text(UsageLine);
    text += Options;
    text += "Colours:\n ";
    for (int c = 0; c < 16; ++c) {
        text += Join({" ", std::to_string(c), " ", ColourName(c), c == 15 ? "\n" : ","});
        if (c % 6 == 5) text += "\n ";
    }
    text += "\nPalettes:\n ";
    std::size_t column = 1;
    for (std::size_t p = 0; p < C64Palettes.size(); ++p) {
        const std::string name = Join({" ", C64Palettes[p].name, p + 1 == C64Palettes.size() ? "\n" : ","});
        if (column + name.size() > 90) {
            text += "\n ";
            column = 1;
        }
        text += name;
        column += name.size();
    }
    text += Join({"  Each palette takes the picture's colours (", std::to_string(MaxPictureColours),
                  " or fewer) one to one, by the least total\n"
                  "  distance in CIELAB; auto takes the palette with the least total and calls it nearest\n"
                  "  when it is no exact fit. A colour farther than ",
                  std::to_string(static_cast<int>(ForeignColourDistance)),
                  " (CIELAB) from its C64 colour there is\n  refused. A PNG, GIF or JPEG longer than ",
                  std::to_string(MaxEncodedPictureBytes >> 20), " MiB is refused (with -n: longer than ",
                  std::to_string(MaxScalableFileBytes >> 20), " MiB).\n"});
    text += "\nFormats:\n";
    for (const FormatInfo& format : Formats) {
        char load[8];
        std::snprintf(load, sizeof load, "$%04X", format.loadAddress);
        std::string line = Join({"  ", format.key});
        line.resize(15, ' ');
        line += std::string(format.name) + ", ";
        line += format.encoding == Encoding::Plain ? std::to_string(format.layout.size) + " bytes" : "variable length";
        line += Join({", loads at ", load, format.helpNote, "\n"});
        text += line;
    }
    text += Containers;
    return text;
}

}  // namespace pxm::cli
