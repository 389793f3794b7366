#include "cli/options/help_text.h"

#include <array>
#include <cstdio>

#include "cli/jobs/input_file.h"
#include "lib/reading/nearest_conversion.h"
#include "lib/output/output_names.h"
#include "lib/wording/text_join.h"
#include "core/format/export_format.h"
#include "core/koala/colour_names.h"
#include "core/palette/c64_palettes.h"
#include "core/import/palette_match.h"

namespace pxm::cli {

namespace {

constexpr std::string_view Options =
    "Converts C64 pictures into C64 multicolour picture files. INPUT is told by its content:\n"
    "  a BMP of 16 or 256 colours and at most 320x200 pixels, its palette indexes the C64 colour\n"
    "  numbers; or a PNG, GIF (its first frame), JPEG, WebP (its first frame), TIFF (its first\n"
    "  page), HEIC or AVIF of at most 320x200 pixels, or an emulator screenshot of exactly\n"
    "  384x272 pixels (the picture at 32,35 inside the border), in the RGB of a known C64\n"
    "  palette. Each two pixels of a row are one double-wide C64 pixel: in those files both\n"
    "  must have the same colour. A PNG or GIF of exactly 160x200 pixels (or a 192x272\n"
    "  screenshot) has one pixel per double-wide C64 pixel. A pixel that is not fully\n"
    "  opaque is refused. A JPEG, HEIC or AVIF saved lossy holds hundreds of colours: it is\n"
    "  refused, and --nearest makes the nearest C64 picture of it; so is a CMYK JPEG, saved\n"
    "  for print.\n"
    "  INPUT - is standard input. Or a C64 picture file: see \"C64 files as input\" below.\n"
    "\n"
    "  -o, --output OUTPUT                     the file to write, named exactly as given; its\n"
    "                                          extension says what it holds (see Outputs);\n"
    "                                          - writes to standard output (information then\n"
    "                                          goes to standard error); a name ending in / is\n"
    "                                          a folder, as --output-dir. Without -o: INPUT's\n"
    "                                          name with the container's extension (.prg\n"
    "                                          without -c), beside INPUT\n"
    "      --output-dir FOLDER                 each INPUT into FOLDER, named after it\n"
    "  -m, --mode multicolour|grey4|grey5      default multicolour\n"
    "  -b, --background auto|0..15|NAME        default auto; NAME from the colour list\n"
    "                                          (black, white, ..., \"light grey\")\n"
    "  -f, --format koala|artstudio|artist64|blazing|sp2    default koala, or OUTPUT's format\n"
    "                                          (a C64 INPUT keeps its own)\n"
    "  -c, --container p00|prg|tap|d64|png|bmp default: from OUTPUT's extension; png and bmp\n"
    "                                          write the picture as a C64 shows it (below)\n"
    "      --name NAME                         the C64 file name in the p00 header, the tape\n"
    "                                          header and the disk directory: at most 16 of\n"
    "                                          A-Z (a-z taken as A-Z), 0-9, space and the\n"
    "                                          punctuation a C64 shows as ASCII does;\n"
    "                                          default: the format's own name (a C64 INPUT\n"
    "                                          in its own format keeps its name; with -x:\n"
    "                                          OUTPUT's name)\n"
    "      --replace                           a file of the name on an existing D64 OUTPUT\n"
    "                                          is replaced (else a usage error)\n"
    "      --fix-sp2-flaw                      the \"Correct SP2 unpack flaw\" switch (-f sp2)\n"
    "  -x, --executable                        write a C64 program that shows the picture\n"
    "      --border auto|0..15|NAME            with -x: the border it shows; auto (default):\n"
    "                                          an emulator screenshot's border, a program's\n"
    "                                          own, else the background\n"
    "  -p, --palette auto|index|NAME           auto (default for PNG, GIF, JPEG): the palette\n"
    "                                          that fits the colours best, named on stdout;\n"
    "                                          NAME: that palette alone; index: the colour\n"
    "                                          table indexes are the colour numbers. A BMP is\n"
    "                                          read by its indexes, or by its colours when its\n"
    "                                          palette holds C64 colours out of their order;\n"
    "                                          auto and NAME read the same pixels by colour.\n"
    "                                          PNG and BMP OUTPUT and\n"
    "                                          the preview show their colours in the palette\n"
    "                                          taken; from a BMP in pepto; from a C64 file in\n"
    "                                          NAME (pepto by default)\n"
    "      --palette-file FILE                 a palette of your own, used as a NAME is: a\n"
    "                                          GIMP .gpl, a VICE .vpl or a list of 16 hex\n"
    "                                          colours (#RRGGBB, # or ; comments), the 16\n"
    "                                          C64 colours in the C64's order\n"
    "      --preview FILE                      also write the koalized picture as a C64 shows it,\n"
    "                                          a 320x200 PNG in the palette taken (pepto for\n"
    "                                          index and BMP); FILE named .bmp: the BMP that\n"
    "                                          OUTPUT .bmp is; FOLDER/: a PNG of each INPUT\n"
    "                                          named after it\n"
    "      --clash-map FILE                    also write the picture as read, a PNG (320x200 or\n"
    "                                          the screenshot's 384x272), with every cell that\n"
    "                                          cannot be koalized framed; written whether the\n"
    "                                          conversion succeeds or is refused; FILE named\n"
    "                                          .bmp: a 24-bit BMP; FOLDER/: one PNG of each\n"
    "                                          INPUT named after it\n"
    "      --backgrounds                       first list every background under which the\n"
    "                                          picture koalizes in multicolour mode; without\n"
    "                                          -o only list them\n"
    "      --info                              print what each INPUT is, one block each headed\n"
    "                                          \"File: INPUT\", and convert nothing; no -o\n"
    "                                          needed. A picture: its kind, size, colours, the\n"
    "                                          palette they fit and how near, and whether it\n"
    "                                          converts as it is or only with -n, and why\n"
    "                                          (judged with -m, -b, -p). A C64 file: format,\n"
    "                                          container, load address, C64 name, background,\n"
    "                                          bytes ignored after the picture, colours used;\n"
    "                                          of a D64 image also every file on it. A file\n"
    "                                          that cannot be read: why (exit status 1)\n"
    "      --file NAME                         D64 INPUT only: read the program file NAME\n"
    "                                          (typed as for --name) instead of the first\n"
    "                                          picture on the disk\n"
    "  -j, --jobs N                            pictures converted at once (default: the cores)\n"
    "  -q, --quiet                             no information lines\n"
    "  -v, --verbose                           also the palette's distances, the cells' colour\n"
    "                                          counts and the time taken; with -n the\n"
    "                                          palette, scaling and dither chosen and why\n"
    "  -n, --nearest                           make the nearest C64 picture instead of refusing\n"
    "                                          one that breaks a rule (see Nearest below)\n"
    "      --scale none|fit|fill|stretch       with -n: default none for C64 art of the sizes\n"
    "                                          taken without -n (16 colours or fewer, a lossy\n"
    "                                          copy, a screenshot's border one colour) and for\n"
    "                                          320x200 and 160x200; fit for any other\n"
    "      --dither none|bayer4|bayer8|floyd-steinberg|atkinson\n"
    "                                          with -n: default floyd-steinberg at 0.65,\n"
    "                                          then pixels and cells changed while the eye\n"
    "                                          sees the picture nearer; none for a picture\n"
    "                                          of C64 colours only\n"
    "      --dither-strength 0..1              with -n: the share of the error passed on (or\n"
    "                                          of the matrix); 1 with --dither; alone, it\n"
    "                                          asks for floyd-steinberg\n"
    "  -h, --help    --version\n"
    "\n"
    "Option values are taken in any case and spelling: gray, color, multicolor, lightblue.\n"
    "A single-valued option given twice, and an option without effect, are usage errors.\n"
    "Short options cluster: -nq is -n -q, and one taking a value may end a cluster with its\n"
    "value or before it (-ofile, -nqo FILE). -- ends the options: all after it are INPUTs.\n"
    "No output may be an input or another output (by the file, not its name).\n"
    "\n"
    "Modes:\n"
    "  multicolour  one background for the whole picture and at most 3 more colours in each\n"
    "               cell of 4x8 double-wide pixels (8x8 file pixels); auto picks the lowest\n"
    "               background that works. --background is used in this mode only.\n"
    "  grey4        black 0, dark grey 11, medium grey 12 and light grey 15 only\n"
    "  grey5        grey4 plus white 1 in cells that leave out one of the grey levels\n"
    "\n"
    "Nearest (-n): any picture becomes the C64 picture of the mode nearest to it, in the palette\n"
    "  detected (pepto when the colours fit none, or --palette NAME). Any picture file (of any\n"
    "  number of colours) may then be up to 64 MiB and 65535 pixels on a side, one of more than\n"
    "  4 megapixels brought down as it is decoded (a JPEG at 1/2, 1/4 or 1/8) before it is\n"
    "  scaled, a WebP, TIFF, HEIC or AVIF file decoded whole of up to 25 megapixels;\n"
    "  --clash-map maps the picture as read without -n;\n"
    "  a pixel not fully opaque takes the background (scaled, one less than half opaque);\n"
    "  fit shows the whole picture in the shape a PAL C64 shows it (a multicolour pixel about\n"
    "  1.87 times as wide as tall), the rest in the background colour; fill crops it to fill\n"
    "  the screen; stretch ignores its shape; none places it as without -n (the top left of a\n"
    "  larger one). The background is the colour that serves the whole picture best, each\n"
    "  cell's three further colours those that serve the cell best (CIEDE2000 differences).\n"
    "  The dithers choose among the colours each cell keeps. A picture of C64 colours only,\n"
    "  undithered, changes the fewest pixels possible, each to the nearest colour its cell\n"
    "  keeps, and says how many: \"Changed 37 pixels in 5 cells.\" (multicolour pixels, each\n"
    "  two pixels wide). A C64 picture gone lossy (a JPEG of it, a copy enlarged 2, 3 or 4\n"
    "  times) whose colours gather tightly around 16 centres or fewer that one palette takes,\n"
    "  or a JPEG of it with halved chroma (4:2:0, 4:2:2) whose brightness keeps to one\n"
    "  palette's levels, is read as that picture: each pixel the palette's colour of its\n"
    "  brightness whose hue fits, then as pixel art.\n"
    "\n";

constexpr std::string_view C64Input =
    "\n"
    "C64 files as input, told by content (.kla, .koa, .ocp and other names do not matter):\n"
    "  a PRG or P00 file holding one of the formats above, known by its load address and\n"
    "  length (sp2 by a stream that unpacks to exactly its picture); a TAP image holding one\n"
    "  (its first file that is a picture; version 0 or 1, the Commodore tape encoding; a block\n"
    "  whose first copy does not read is taken from its repeat); a D64 image holding one (the\n"
    "  first program file that is a picture, or --file NAME); or a program written with -x.\n"
    "  The picture is written as it is, in any format and container (or -x), its cells\n"
    "  keeping their colours: it is not koalized again, and -m, -b, --backgrounds,\n"
    "  --clash-map and -n are usage errors with it (it keeps its own colours and\n"
    "  background). An sp2 file keeps no background: it is read as black. Without -f or an\n"
    "  OUTPUT extension that names a format it keeps its format, and with it its C64 name\n"
    "  (a PRG has none: the format's own) unless --name gives one. A Koala PRG followed by\n"
    "  padding (one byte value repeated) is read, and so is a 10001-byte Koala file without\n"
    "  its load address when nothing else reads it: an information line tells what was\n"
    "  ignored or taken. Of Advanced Art Studio's two background bytes, when they differ,\n"
    "  the one whose colour no cell draws is read, else the first when the second is zero,\n"
    "  else the second; an information line names it. A file that is none of these, or is\n"
    "  damaged, is refused with what was found, and nothing is written.\n"
    "\n"
    "PNG and BMP output (OUTPUT ending in .png or .bmp, or -c png|bmp): the picture as a C64\n"
    "shows it, 320x200 with each multicolour pixel two pixels wide, in the palette --palette\n"
    "names (pepto by default; for a PNG or GIF INPUT the palette taken). The BMP has 16\n"
    "colours whose palette indexes are the C64 colour numbers: it opens in the Windows program\n"
    "and koalizes back to the same picture.\n";

constexpr std::string_view Containers =
    "\n"
    "Containers:\n"
    "  p00  PC64 file: a 26-byte header with the C64 file name, then the prg form\n"
    "  prg  C64 program file: the 2-byte load address, then the picture data\n"
    "  tap  TAP version 1 tape image: the file as a complete Commodore tape recording\n"
    "  d64  1541 disk image (35 tracks) with the file on it as a PRG, the prg form's bytes;\n"
    "       load it with LOAD\"*\",8,1 (or LOAD\"NAME\",8,1). An OUTPUT .d64 that is there\n"
    "       gets the file added as a 1541 saves it, its other files kept; a disk that is no\n"
    "       D64 image or is damaged, or has no room, is refused and left as it is\n"
    "\n"
    "Programs (-x): the file becomes a program that loads at $0801 and shows the picture in any\n"
    "format: LOAD\"NAME\",8 and RUN from disk, LOAD and RUN from tape, or let an emulator\n"
    "autostart the .prg, .p00, .tap or .d64. The picture stays on screen, with border and\n"
    "background in its background colour (black for sp2), until a key is pressed; then BASIC's\n"
    "READY comes back on a cleared text screen. Its C64 name is OUTPUT's file name without\n"
    "extension, in capitals, at most 16 characters, without the characters a C64 cannot show\n"
    "(the name taken is then told), unless --name gives one.\n"
    "\n"
    "Note: a Blazing Paddles file loads to $A000-$C7FF, under the BASIC ROM. Loaded from tape\n"
    "with BASIC's LOAD, the KERNAL's verify reads the ROM back and ends with ?LOAD ERROR although\n"
    "RAM holds the picture: the picture is loaded fine. As a program (-x) it loads at $0801\n"
    "without the message.\n"
    "\n"
    "Several inputs: each is converted into the folder given, several at once; one line per\n"
    "picture (\"a.png: written out/a.prg\" or its refusal), then a summary. Two inputs of one\n"
    "name are written apart (a.jpg as out/a-2.prg, its line says so). With -o DISK.d64 all go\n"
    "onto that disk, each named after its input (a second IN as IN-2).\n"
    "\n"
    "Exit status: 0 when the file was written (with --backgrounds alone: when a background\n"
    "works), 1 when the picture was refused or the file could not be written (of several\n"
    "pictures: the worst), 2 for a usage error.\n"
    "\n"
    "Examples:\n"
    "  pixmosaic-cli scene.png                      writes scene.prg, a Koala picture\n"
    "  pixmosaic-cli scene.png -o scene.kla -b blue\n"
    "  pixmosaic-cli -x scene.png -o scene.d64      a disk that shows the picture\n"
    "  pixmosaic-cli *.png -o koala/ -c p00         every picture into koala/\n"
    "  pixmosaic-cli scene.gif --backgrounds        only list the backgrounds that work\n"
    "  convert in.bmp png:- | pixmosaic-cli - -o - > out.prg\n";

// "  .kla   Koala-Painter, prg form" or "  .tap   tap container".
std::string OutputLine(const OutputExtension& row) {
    std::string line = Join({"  .", row.extension});
    line.resize(9, ' ');
    if (row.kind == OutputKind::PicturePng) return line + "the picture as a C64 shows it (320x200 PNG)\n";
    if (row.kind == OutputKind::PictureBmp) return line + "the picture as a C64 shows it (320x200 BMP, C64 colour numbers)\n";
    if (!row.format)
        return Join({line, "the ", row.extension, " container", row.extension == "p00" ? " (also .p01 to .p99)" : "", "\n"});
    return Join({line, InfoOf(*row.format).name, ", prg form\n"});
}

}  // namespace

// What the help adds after a format's load address.
std::string_view HelpNote(const FormatInfo& format) {
    if (format.key == InfoOf(ExportFormat::BlazingPaddles).key) return ", see the note below";
    if (format.encoding == Encoding::Sp2Packed)
        return ";\n               --fix-sp2-flaw keeps a packed block from starting where the C64\n"
               "               unpacker mishandles it";
    return {};
}

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
                  "  distance in CIELAB, lightness counting in full, chroma and hue less the more saturated\n"
                  "  the C64 colour (CIE94's weights); auto takes the palette with the least total and calls\n"
                  "  it nearest when it is no exact fit. A colour farther than ",
                  std::to_string(static_cast<int>(ForeignColourDistance)),
                  " from its C64 colour there is\n  refused, named with its first pixel and distance. A PNG, GIF, JPEG, WebP, TIFF, HEIC or\n  AVIF file longer than ",
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
        line += Join({", loads at ", load, HelpNote(format), "\n"});
        text += line;
    }
    text += C64Input;
    text += "\nOutputs by extension (any case):\n";
    for (const OutputExtension& row : OutputExtensions) text += OutputLine(row);
    text += "  none: p00; any other: a usage error unless -c gives the container; a -c that\n"
            "  contradicts the extension (-c tap -o p.prg) is a usage error\n";
    text += Containers;
    return text;
}

}  // namespace pxm::cli
