#!/usr/bin/env python3
"""Runs pixmosaic-cli.exe (under Wine) and the Linux pixmosaic-cli over the same pictures and
command lines and compares what they do: exit status, stdout, stderr and every output file byte
for byte; previews by their decoded pixels, as the two PNG encoders compress differently.

Two kinds of text are the platform's own and are compared only up to them: a system error's
text (each converter says it in its system's words: strerror's on Linux, FormatMessage's on
Windows, which Wine words its own way), on stderr or in an --info block's "Not read:" line, and
the decoder's words in a damaged file's refusal (libpng, giflib and libjpeg-turbo against the
Windows Imaging Component).

usage: compare_converters.py NATIVE_CLI WINE_RUN WINDOWS_CLI PICTURES_DIR EXAMPLES_DIR
Exits 77 (a skipped test for ctest) when NATIVE_CLI or PICTURES_DIR is missing.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

SKIPPED = 77
FORMATS = ["koala", "artstudio", "artist64", "blazing", "sp2"]
CONTAINERS = ["p00", "prg", "tap", "d64"]
EXAMPLE_MODES = {"landscape-16.bmp": "multicolour", "landscape-256.bmp": "multicolour",
                 "greys4.bmp": "grey4", "greys5.bmp": "grey5"}
GOOD_PICTURES = ["rgb-pepto.png", "rgba16-interlaced-colodore.png", "indexed-scrambled-vice.png",
                 "indexed4-numbers-pepto.png", "screenshot-pepto.png", "scrambled-colodore.gif",
                 "interlaced-numbers-pepto.gif", "screenshot-vice.gif", "frame-on-screen.gif",
                 "narrow-pepto.png", "narrow-screenshot-vice.gif", "cells-pepto.jpg", "cells-progressive.jpg",
                 "turned-3.jpg", "turned-6.jpg", "turned-8.jpg", "rgb-pepto.tif", "rgb-pepto-16.tif"]
# Pictures whose codec Wine's Windows Imaging Component lacks: the Windows converter refuses them,
# naming the codec, where the Linux one converts them.
CODEC_LACKING = {"rgb-pepto.webp": ("WebP", "a WebP codec, which this Windows does not have: install a WebP "
                                            "codec for the Windows Imaging Component"),
                 "photo.heic": ("HEIC", "a HEIF codec, which this Windows does not have: install Microsoft's HEIF "
                                        "Image Extensions"),
                 "photo.avif": ("AVIF", "an AVIF codec, which this Windows does not have: install Microsoft's "
                                        "HEIF Image Extensions and an AV1 codec")}
REFUSED_PICTURES = ["grey2.png", "transparent-pixel.png", "too-wide.png", "too-tall.gif", "declares-huge.png",
                    "unknown-colour.png", "differing-pairs.png", "two-palettes.png",
                    "cell-too-colourful.gif", "lossy-pepto.jpg", "cmyk.jpg", "declares-huge.jpg", "notes.txt"]
DAMAGED_PICTURES = ["cut.png", "damaged.png", "cut.gif", "header-only.gif", "cut.jpg"]


class Case:
    """One command line, run by both converters in a folder of their own holding `inputs`.

    outputs: the files it may write, compared byte for byte (a preview by its pixels);
    words: 'system' or 'decoder' when stderr (or --info's "Not read:") ends in the platform's own words;
    stdin: the file in the folder that is standard input;
    alike: the share of preview pixels that may differ, where the two decoders of a lossy file
    give the picture at another size (libjpeg-turbo decodes a large JPEG smaller, the Windows
    Imaging Component at full size) or enlarge halved chroma each its own way;
    windows_refuses: the refusal the Windows converter alone gives (a codec it lacks), where the
    Linux converter writes the outputs."""

    def __init__(self, name, args, inputs, outputs=(), previews=(), words=None, before=None, stdin=None, alike=0.0,
                 windows_refuses=None):
        self.name, self.args, self.inputs = name, args, inputs
        self.outputs, self.previews, self.words, self.before = list(outputs), list(previews), words, before
        self.stdin, self.alike, self.windows_refuses = stdin, alike, windows_refuses


def cases(pictures, examples):
    found = []
    for example, mode in EXAMPLE_MODES.items():
        for fmt in FORMATS:
            for container in CONTAINERS:
                out = f"{fmt}.{container}"
                found.append(Case(f"{example} -m {mode} -f {fmt} -o {out}",
                                  ["-m", mode, "-f", fmt, example, "-o", out], [examples + "/" + example], [out]))
    for fmt in FORMATS:
        for container in CONTAINERS:
            out = f"show-{fmt}.{container}"
            found.append(Case(f"-x -f {fmt} -o {out}", ["-x", "-f", fmt, "landscape-256.bmp", "-o", out],
                              [examples + "/landscape-256.bmp"], [out]))
    for i, picture in enumerate(GOOD_PICTURES):
        fmt, container = FORMATS[i % len(FORMATS)], CONTAINERS[i % len(CONTAINERS)]
        for extra in ([], ["-x"], ["--backgrounds", "-b", "auto"]):
            out = f"out.{container}"
            found.append(Case(f"{picture} {' '.join(extra)} -f {fmt} -o {out}",
                              extra + ["-f", fmt, picture, "-o", out, "--preview", "preview.png"],
                              [pictures + "/" + picture], [out], ["preview.png"]))
    numbered = ["indexed4-numbers-pepto.png", "interlaced-numbers-pepto.gif", "scrambled-colodore.gif",
                "rgb-pepto.png", "landscape-16.bmp"]
    for picture in numbered:
        folder = examples if picture.endswith(".bmp") else pictures
        for palette in ["auto", "index", "pepto", "colodore", "vice"]:
            found.append(Case(f"{picture} --palette {palette}", ["-p", palette, picture, "-o", "out.prg"],
                              [folder + "/" + picture], ["out.prg"]))
    for name in ["sunset 1", "ABCDEFGHIJKLMNOP", "a~b", ""]:
        for container in ["p00", "tap", "d64"]:
            out = f"named.{container}"
            found.append(Case(f"--name {name!r} -o {out}", ["--name", name, "landscape-16.bmp", "-o", out],
                              [examples + "/landscape-16.bmp"], [out]))
    found.append(Case("-x --name", ["-x", "--name", "show me", "greys5.bmp", "-m", "grey5", "-o", "x.d64"],
                      [examples + "/greys5.bmp"], ["x.d64"]))
    for picture in REFUSED_PICTURES:
        found.append(Case(f"refused {picture}", [picture, "-o", "out.prg", "--preview", "p.png"],
                          [pictures + "/" + picture], ["out.prg", "p.png"]))
    for picture, (kind, needs) in CODEC_LACKING.items():
        # The photographs are of a size only --nearest takes.
        for extra in ([], ["-n"]) if picture.startswith("rgb-") else (["-n"],):
            found.append(Case(f"{picture} {' '.join(extra)} without its codec", extra + [picture, "-o", "out.prg"],
                              [pictures + "/" + picture], ["out.prg"],
                              windows_refuses=f"Error: {picture}: This {kind} file needs {needs}, or convert the "
                                              "picture to PNG first.\n"))
    for picture in DAMAGED_PICTURES:
        found.append(Case(f"damaged {picture}", [picture, "-o", "out.prg"], [pictures + "/" + picture], ["out.prg"],
                          words="decoder"))
    bmp = examples + "/landscape-16.bmp"
    found += [
        Case("grey4 refuses white", ["-m", "grey4", "greys5.bmp", "-o", "out.prg"], [examples + "/greys5.bmp"],
             ["out.prg"]),
        Case("a colour mode's failing cell", ["-b", "white", "landscape-256.bmp", "-o", "out.prg"],
             [examples + "/landscape-256.bmp"], ["out.prg"]),
        Case("SP2 flaw fixed", ["-f", "sp2", "-b", "blue", "--fix-sp2-flaw", "landscape-16.bmp", "-o", "o.p00"],
             [bmp], ["o.p00"]),
        Case("no arguments", [], []),
        Case("--help", ["--help"], []),
        Case("--version", ["--version"], []),
        Case("unknown mode", ["-m", "hires", "landscape-16.bmp", "-o", "o.prg"], [bmp], ["o.prg"]),
        Case("unknown container", ["-c", "t64", "landscape-16.bmp", "-o", "o.prg"], [bmp], ["o.prg"]),
        Case("container from the extension", ["landscape-16.bmp", "-o", "o.TAP"], [bmp], ["o.TAP"]),
        Case("a palette for a BMP", ["-p", "pepto", "landscape-16.bmp", "-o", "o.prg"], [bmp], ["o.prg"]),
        Case("a missing input", ["missing.bmp", "-o", "o.prg"], [], ["o.prg"], words="system"),
        Case("a folder as input", ["folder", "-o", "o.prg"], [], ["o.prg"], words="system",
             before=lambda d: os.mkdir(os.path.join(d, "folder"))),
        Case("into a missing folder", ["landscape-16.bmp", "-o", "nowhere/o.prg"], [bmp], words="system"),
        Case("over a folder", ["landscape-16.bmp", "-o", "folder"], [bmp], words="system",
             before=lambda d: os.mkdir(os.path.join(d, "folder"))),
        Case("over a read-only file", ["landscape-16.bmp", "-o", "old.prg"], [bmp], ["old.prg"], words="system",
             before=lambda d: write_file(os.path.join(d, "old.prg"), b"old", 0o444)),
        Case("over an older file", ["landscape-16.bmp", "-o", "old.prg"], [bmp], ["old.prg"],
             before=lambda d: write_file(os.path.join(d, "old.prg"), b"old" * 5000, 0o644)),
        Case("the preview into a missing folder",
             ["landscape-16.bmp", "-o", "o.prg", "--preview", "nowhere/p.png"], [bmp], ["o.prg"], words="system"),
        Case("the clash map of a refused BMP", ["-b", "white", "landscape-256.bmp", "-o", "o.prg", "--clash-map", "m.png"],
             [examples + "/landscape-256.bmp"], ["o.prg"], ["m.png"]),
        Case("the clash map of a refused GIF under AUTO", ["cell-too-colourful.gif", "-o", "o.prg", "--clash-map", "m.png"],
             [pictures + "/cell-too-colourful.gif"], ["o.prg"], ["m.png"]),
        Case("the clash map of a screenshot", ["-b", "7", "screenshot-pepto.png", "-o", "o.prg", "--clash-map", "m.png"],
             [pictures + "/screenshot-pepto.png"], ["o.prg"], ["m.png"]),
        Case("the clash map of a JPEG that koalizes", ["cells-pepto.jpg", "-o", "o.prg", "--clash-map", "m.png"],
             [pictures + "/cells-pepto.jpg"], ["o.prg"], ["m.png"]),
        Case("the clash map over the input", ["landscape-16.bmp", "-o", "o.prg", "--clash-map", "./landscape-16.bmp"],
             [bmp], ["o.prg", "landscape-16.bmp"]),
        Case("the clash map is the output", ["landscape-16.bmp", "-o", "o.prg", "--clash-map", "o.prg"], [bmp], ["o.prg"]),
        Case("the clash map into a missing folder", ["landscape-16.bmp", "-o", "o.prg", "--clash-map", "nowhere/m.png"],
             [bmp], ["o.prg"], words="system"),
        Case("the clash map with the picture on standard output", ["-q", "cell-too-colourful.gif", "-o", "-",
                                                                    "--clash-map", "m.png"],
             [pictures + "/cell-too-colourful.gif"], [], ["m.png"]),
    ]
    # C64 files as input: a Koala file (any 10001 bytes at $6000 are one), whole and cut short.
    koala = bytes([0x00, 0x60]) + bytes((k * 7 + k // 320) % 256 for k in range(10000)) + bytes([6])
    with_koala = lambda d: write_file(os.path.join(d, "pic.kla"), koala, 0o644)
    with_cut_koala = lambda d: write_file(os.path.join(d, "cut.kla"), koala[:-1], 0o644)
    found += [
        Case("Koala into Art Studio", ["pic.kla", "-f", "artstudio", "-o", "o.ocp"], [], ["o.ocp"], before=with_koala),
        Case("Koala as a program on tape", ["pic.kla", "-x", "-o", "o.tap"], [], ["o.tap"], before=with_koala),
        Case("Koala as BMP", ["pic.kla", "-o", "o.bmp"], [], ["o.bmp"], before=with_koala),
        Case("Koala as PNG", ["pic.kla", "-p", "colodore", "-o", "o.png"], [], [], ["o.png"], before=with_koala),
        Case("Koala --info", ["--info", "pic.kla"], [], before=with_koala),
        Case("--info of pictures and C64 files", ["--info", "pic.kla", "rgb-pepto.png", "unknown-colour.png",
                                                  "differing-pairs.png", "cell-too-colourful.gif", "landscape-256.bmp",
                                                  "photo.png", "notes.txt"],
             [pictures + "/" + name for name in ["rgb-pepto.png", "unknown-colour.png", "differing-pairs.png",
                                                 "cell-too-colourful.gif", "photo.png", "notes.txt"]]
             + [examples + "/landscape-256.bmp"], before=with_koala),
        Case("--info of a missing file", ["--info", "missing.png", "pic.kla"], [], words="system", before=with_koala),
        Case("a Koala file cut short", ["cut.kla", "-o", "o.prg"], [], ["o.prg"], before=with_cut_koala),
    ]
    return found + nearest_cases(pictures) + command_line_cases(examples)


def nearest_cases(pictures):
    """The nearest picture: every scaling and dither, the grey modes, clashing pixel art, a JPEG
    decoded smaller, C64 pictures gone lossy, small and screenshot-sized photographs, a program on
    disk."""
    photo, tall = pictures + "/photo.png", pictures + "/photo-tall.png"
    found = []
    for scale in ["fit", "fill", "stretch", "none"]:
        found.append(Case(f"--nearest --scale {scale}", ["-n", "--scale", scale, "photo.png", "-o", "o.prg",
                                                          "--preview", "p.png"], [photo], ["o.prg"], ["p.png"]))
    for dither in ["none", "bayer4", "bayer8", "floyd-steinberg", "atkinson"]:
        found.append(Case(f"--nearest --dither {dither}", ["--nearest", "--dither", dither, "--dither-strength", "0.7",
                                                           "photo.png", "-f", "artstudio", "-o", "o.tap"],
                          [photo], ["o.tap"]))
    for mode in ["grey4", "grey5"]:
        found.append(Case(f"--nearest -m {mode}", ["-n", "-m", mode, "photo-tall.png", "-o", "o.p00"], [tall], ["o.p00"]))
    found += [
        Case("--nearest over clashing pixel art", ["-n", "cell-too-colourful.gif", "-o", "o.prg", "--clash-map", "m.png"],
             [pictures + "/cell-too-colourful.gif"], ["o.prg"], ["m.png"]),
        Case("--nearest over a lossy JPEG", ["-n", "lossy-pepto.jpg", "-o", "o.prg"], [pictures + "/lossy-pepto.jpg"],
             ["o.prg"]),
        Case("--nearest over a JPEG decoded smaller", ["-n", "--dither", "none", "photo.jpg", "-p", "colodore",
                                                       "--preview", "p.png"],
             [pictures + "/photo.jpg"], [], ["p.png"], alike=0.02),
        Case("--nearest over a C64 picture gone lossy", ["-n", "lossy-areas-vice.jpg", "-o", "o.prg"],
             [pictures + "/lossy-areas-vice.jpg"], ["o.prg"]),
        Case("--nearest over a C64 picture gone lossy with its chroma halved",
             ["-n", "-q", "lossy-halved-vice.jpg", "--preview", "p.png"], [pictures + "/lossy-halved-vice.jpg"], [],
             ["p.png"], alike=0.01),
        Case("--nearest over a lossy C64 picture enlarged twice", ["-n", "lossy-twice-vice.jpg", "--preview", "p.png"],
             [pictures + "/lossy-twice-vice.jpg"], [], ["p.png"], alike=0.01),
        # Each converter shows the inks in RGB its own way (the Windows Imaging Component's format
        # converter): the same picture, dithered otherwise in a third of its pixels; a negative
        # or wrong channels would differ nearly everywhere.
        Case("--nearest over a CMYK JPEG", ["-n", "photo-cmyk.jpg", "--preview", "p.png"],
             [pictures + "/photo-cmyk.jpg"], [], ["p.png"], alike=0.45),
        Case("--nearest over a picture of more than 4 megapixels", ["-n", "photo-large.png", "-o", "o.prg"],
             [pictures + "/photo-large.png"], ["o.prg"]),
        Case("--nearest over a small photograph", ["-n", "photo-small.png", "-o", "o.prg"],
             [pictures + "/photo-small.png"], ["o.prg"]),
        Case("--nearest over a 384x272 photograph", ["-n", "photo-screenshot.png", "-o", "o.prg"],
             [pictures + "/photo-screenshot.png"], ["o.prg"]),
        Case("--nearest over a screenshot framed by one colour", ["-n", "photo-framed.png", "-o", "o.prg"],
             [pictures + "/photo-framed.png"], ["o.prg"]),
        Case("--nearest as a program on disk", ["-n", "-x", "-b", "blue", "photo.png", "-o", "o.d64"], [photo],
             ["o.d64"]),
        Case("--dither without --nearest", ["--dither", "atkinson", "photo.png", "-o", "o.prg"], [photo], ["o.prg"]),
        Case("a size taken only with --nearest", ["photo.png", "-o", "o.prg"], [photo], ["o.prg"]),
    ]
    return found


def command_line_cases(examples):
    """Pipes, many pictures, files that are inputs, names and spellings."""
    bmp, bmp256 = examples + "/landscape-16.bmp", examples + "/landscape-256.bmp"
    both = [bmp, bmp256]
    make_out = lambda d: os.mkdir(os.path.join(d, "out"))
    link_input = lambda d: shutil.copy(os.path.join(d, "landscape-16.bmp"), os.path.join(d, "copy.bmp"))
    with_disk = lambda d: write_file(os.path.join(d, "notes.d64"), disk_with_a_note(), 0o644)

    def one_stem_twice(d):
        make_out(d)
        os.mkdir(os.path.join(d, "sub"))
        shutil.copy(os.path.join(d, "landscape-256.bmp"), os.path.join(d, "sub", "landscape-16.bmp"))
    pepto = [(0x00, 0x00, 0x00), (0xFF, 0xFF, 0xFF), (0x68, 0x37, 0x2B), (0x70, 0xA4, 0xB2), (0x6F, 0x3D, 0x86),
             (0x58, 0x8D, 0x43), (0x35, 0x28, 0x79), (0xB8, 0xC7, 0x6F), (0x6F, 0x4F, 0x25), (0x43, 0x39, 0x00),
             (0x9A, 0x67, 0x59), (0x44, 0x44, 0x44), (0x6C, 0x6C, 0x6C), (0x9A, 0xD2, 0x84), (0x6C, 0x5E, 0xB5),
             (0x95, 0x95, 0x95)]
    gimp = lambda colours: ("GIMP Palette\nName: mine\n#\n" +
                            "".join(f"{r} {g} {b}\tColour\n" for r, g, b in colours)).encode()
    with_palette = lambda d: write_file(os.path.join(d, "mine.gpl"), gimp(pepto), 0o644)
    with_short_palette = lambda d: write_file(os.path.join(d, "short.gpl"), gimp(pepto[:15]), 0o644)
    named_like_an_option = lambda d: shutil.copy(os.path.join(d, "landscape-16.bmp"), os.path.join(d, "-x.bmp"))

    def previews_folder(d):
        make_out(d)
        os.mkdir(os.path.join(d, "previews"))
    return [
        Case("short options clustered", ["-xqfsp2", "-qo", "o.prg", "landscape-16.bmp"], [bmp], ["o.prg"]),
        Case("an unknown letter in a cluster", ["-xkq", "landscape-16.bmp"], [bmp]),
        Case("an input named like an option after --", ["-o", "o.prg", "--", "-x.bmp"], [bmp], ["o.prg"],
             before=named_like_an_option),
        Case("a palette file", ["landscape-16.bmp", "--palette-file", "mine.gpl", "-o", "o.png"], [bmp], [], ["o.png"],
             before=with_palette),
        Case("a palette file of 15 colours", ["landscape-16.bmp", "--palette-file", "short.gpl", "-o", "o.prg"], [bmp],
             ["o.prg"], before=with_short_palette),
        Case("a program with a border", ["-x", "--border", "pink", "landscape-16.bmp", "-o", "o.prg"], [bmp], ["o.prg"]),
        Case("previews of many pictures into a folder", ["landscape-16.bmp", "landscape-256.bmp", "-o", "out/",
                                                         "--preview", "previews/"], both,
             ["out/landscape-16.prg", "out/landscape-256.prg"], ["previews/landscape-16.png", "previews/landscape-256.png"],
             before=previews_folder),
        Case("onto a disk with a file", ["landscape-16.bmp", "-o", "notes.d64"], [bmp], ["notes.d64"], before=with_disk),
        Case("a name on the disk already", ["landscape-16.bmp", "-o", "notes.d64", "--name", "note"], [bmp],
             ["notes.d64"], before=with_disk),
        Case("replacing a file on a disk", ["-x", "landscape-16.bmp", "-o", "notes.d64", "--name", "note", "--replace"],
             [bmp], ["notes.d64"], before=with_disk),
        Case("many pictures onto one disk", ["landscape-16.bmp", "landscape-256.bmp", "-o", "notes.d64"], both,
             ["notes.d64"], before=with_disk),
        Case("two inputs of one name", ["landscape-16.bmp", "sub/landscape-16.bmp", "-o", "out/"], both,
             ["out/landscape-16.prg", "out/landscape-16-2.prg"], before=one_stem_twice),
        Case("-c against the extension", ["landscape-16.bmp", "-c", "tap", "-o", "p.prg"], [bmp], ["p.prg"]),
        Case("a BMP preview and clash map", ["landscape-16.bmp", "-o", "o.prg", "--preview", "p.bmp",
                                             "--clash-map", "m.bmp"], [bmp], ["o.prg", "p.bmp", "m.bmp"]),
        Case("standard input to standard output", ["-", "-o", "-"], [bmp], stdin="landscape-16.bmp"),
        Case("standard input, -q", ["-q", "-", "-o", "o.kla"], [bmp], ["o.kla"], stdin="landscape-16.bmp"),
        Case("a tape to standard output", ["landscape-256.bmp", "-o", "-", "-c", "tap"], [bmp256]),
        Case("a program to standard output", ["-x", "landscape-256.bmp", "-o", "-", "-c", "d64"], [bmp256]),
        Case("many pictures into a folder", ["-j", "2", "landscape-16.bmp", "landscape-256.bmp", "greys4.bmp",
                                             "-o", "out/", "-c", "p00"],
             both + [examples + "/greys4.bmp"], ["out/landscape-16.p00", "out/landscape-256.p00", "out/greys4.p00"],
             before=make_out),
        Case("many pictures, --output-dir, -q", ["-q", "landscape-16.bmp", "landscape-256.bmp", "--output-dir", "out"],
             both, ["out/landscape-16.prg", "out/landscape-256.prg"], before=make_out),
        Case("many pictures into a missing folder", ["landscape-16.bmp", "landscape-256.bmp", "-o", "none/"], both,
             words="system"),
        Case("many pictures into one file", ["landscape-16.bmp", "landscape-256.bmp", "-o", "x.prg"], both),
        Case("the output is the input", ["landscape-16.bmp", "-c", "prg", "-o", "landscape-16.bmp"], [bmp]),
        Case("the output is the input by another path", ["landscape-16.bmp", "-c", "prg", "-o", "./landscape-16.bmp"],
             [bmp]),
        Case("the preview is the input", ["landscape-16.bmp", "-o", "o.prg", "--preview", "landscape-16.bmp"], [bmp],
             ["o.prg"]),
        Case("the preview is the output", ["landscape-16.bmp", "-o", "o.prg", "--preview", "o.prg"], [bmp], ["o.prg"]),
        Case("a copy is not the input", ["landscape-16.bmp", "-o", "copy.bmp"], [bmp], ["copy.bmp"],
             before=link_input),
        Case("values in any spelling", ["-b", "BLACK", "-f", "Koala", "-m", "Multicolor", "landscape-16.bmp",
                                        "-o", "o.prg"], [bmp], ["o.prg"]),
        Case("a colour without its space", ["-b", "lightblue", "landscape-256.bmp", "-o", "o.prg"], [bmp256],
             ["o.prg"]),
        Case("grey in American", ["-m", "gray4", "greys4.bmp", "-o", "o.prg"], [examples + "/greys4.bmp"], ["o.prg"]),
        Case("a repeated option", ["landscape-16.bmp", "-o", "a.prg", "-o", "b.prg"], [bmp], ["a.prg", "b.prg"]),
        Case("a background in a grey mode", ["-m", "grey4", "-b", "0", "greys4.bmp", "-o", "o.prg"],
             [examples + "/greys4.bmp"], ["o.prg"]),
        Case("a name in a PRG", ["--name", "x", "landscape-16.bmp", "-o", "o.prg"], [bmp], ["o.prg"]),
        Case("-j with one input", ["-j", "3", "landscape-16.bmp", "-o", "o.prg"], [bmp], ["o.prg"]),
        Case("Koala by its extension", ["landscape-16.bmp", "-o", "pic.kla"], [bmp], ["pic.kla"]),
        Case("Koala by its extension in capitals", ["landscape-256.bmp", "-o", "PIC.KOA"], [bmp256], ["PIC.KOA"]),
        Case("Art Studio by its extension", ["landscape-16.bmp", "-o", "pic.ocp"], [bmp], ["pic.ocp"]),
        Case("Blazing Paddles by its extension", ["landscape-16.bmp", "-o", "pic.pi"], [bmp], ["pic.pi"]),
        Case("an extension against -f", ["landscape-16.bmp", "-f", "sp2", "-o", "pic.kla"], [bmp], ["pic.kla"]),
        Case("an unknown extension", ["landscape-16.bmp", "-o", "pic.jpg"], [bmp], ["pic.jpg"]),
        Case("the picture as a PNG", ["landscape-16.bmp", "-o", "pic.png"], [bmp], previews=["pic.png"]),
        Case("named after the input", ["landscape-256.bmp"], [bmp256], ["landscape-256.prg"]),
        Case("named after the input, -c tap", ["landscape-256.bmp", "-c", "tap"], [bmp256], ["landscape-256.tap"]),
        Case("backgrounds only", ["--backgrounds", "landscape-16.bmp"], [bmp]),
        Case("a program name without what a C64 cannot show", ["-x", "landscape-16.bmp", "-o", "my_pic.d64"], [bmp],
             ["my_pic.d64"]),
        Case("a BMP by its colours", ["-p", "auto", "landscape-16.bmp", "-o", "o.prg"], [bmp], ["o.prg"]),
        Case("verbose", ["-v", "landscape-16.bmp", "-o", "o.prg"], [bmp], ["o.prg"]),
        Case("a folder as the output", ["landscape-16.bmp", "-o", "out"], [bmp], before=make_out),
    ]


def disk_with_a_note():
    """A 1541 disk image holding one program, NOTE, in one block on track 17 sector 0."""
    sectors = [21] * 17 + [19] * 7 + [18] * 6 + [17] * 5
    disk = bytearray(sum(sectors) * 256)
    at = lambda track, sector: (sum(sectors[:track - 1]) + sector) * 256
    used = {(18, 0), (18, 1), (17, 0)}
    bam = at(18, 0)
    disk[bam:bam + 4] = bytes([18, 1, 0x41, 0])
    for track in range(1, 36):
        bits = sum(1 << s for s in range(sectors[track - 1]) if (track, s) not in used)
        disk[bam + 4 * track:bam + 4 * track + 4] = bytes([bin(bits).count("1")]) + bits.to_bytes(3, "little")
    disk[bam + 0x90:bam + 0xAB] = b"NOTES" + b"\xa0" * 13 + b"NT\xa0" + b"2A" + b"\xa0" * 4
    note = bytes([0x01, 0x08]) + b"A NOTE FOR THE DISK"
    disk[at(17, 0):at(17, 0) + 2 + len(note)] = bytes([0, 1 + len(note)]) + note
    entry = at(18, 1)
    disk[entry:entry + 5] = bytes([0, 0xFF, 0x82, 17, 0])
    disk[entry + 5:entry + 21] = b"NOTE" + b"\xa0" * 12
    disk[entry + 30] = 1
    return bytes(disk)


def write_file(path, data, mode):
    with open(path, "wb") as f:
        f.write(data)
    os.chmod(path, mode)


def png_pixels(data):
    """The rows of an 8-bit RGB or RGBA PNG that is not interlaced, as RGB bytes."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    at, idat, header = 8, b"", None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        return ("unsupported", header)
    step = 3 if colour == 2 else 4
    raw, stride, rows, previous = zlib.decompress(idat), width * step, [], bytearray(width * step)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b = previous[i]
            c = previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line) if step == 3 else bytes(v for i, v in enumerate(line) if i % 4 != 3))
        previous = line
    return (width, height, b"".join(rows))


def differing_share(rgb_a, rgb_b):
    pixels = len(rgb_a) // 3
    return sum(rgb_a[3 * i:3 * i + 3] != rgb_b[3 * i:3 * i + 3] for i in range(pixels)) / pixels


def run(command, folder, stdin=None):
    """Exit status, stdout, stderr. Into files, not pipes: a Wine helper process that outlives
    the program keeps a pipe open for seconds after the program ended."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err, \
            open(os.path.join(folder, stdin) if stdin else os.devnull, "rb") as given:
        status = subprocess.run(command, cwd=folder, stdin=given, stdout=out, stderr=err).returncode
        out.seek(0)
        err.seek(0)
        return status, out.read(), err.read()


def own_words_cut(err, words):
    """stderr without the platform's own words at its end, and without the time taken."""
    text = re.sub(r"Time taken: \d+ ms\.", "Time taken: ... ms.", err.decode("utf-8", "replace"))
    if words == "system":
        return re.sub(r"^(System Error): .*", r"\1: ...", text, flags=re.S)
    if words == "decoder":
        return re.sub(r"damaged or incomplete \(.*\)\.\n$", "damaged or incomplete (...).\n", text, flags=re.S)
    return text


def own_words_cut_out(out, words):
    """stdout without the time taken, and without the system's words of --info's "Not read:"."""
    out = re.sub(rb"Time taken: \d+ ms\.", b"", out)
    return re.sub(rb"(Not read: ).*", rb"\1...", out) if words == "system" else out


def prepared_folder(case, side, scratch):
    folder = tempfile.mkdtemp(prefix=side + "-", dir=scratch)
    for path in case.inputs:
        shutil.copy(path, folder)
    if case.before:
        case.before(folder)
    return folder


# The converter says why whenever it exits with another status than 0; a run that failed without
# a word is Wine's own failure to start it (seen now and then under load), and is run again.
WINE_ATTEMPTS = 3


def run_windows(case, windows, scratch):
    for attempt in range(WINE_ATTEMPTS):
        folder = prepared_folder(case, "windows", scratch)
        status, out, err = run(windows + case.args, folder, case.stdin)
        if status == 0 or out or err or attempt + 1 == WINE_ATTEMPTS:
            return folder, (status, out, err)
        print(f"note: {case.name}: Wine ended with status {status} and no output; running it again", file=sys.stderr)
        shutil.rmtree(folder)


def compare_refused_on_windows(case, folders, results):
    """The Linux converter wrote every output; the Windows one refused as the case says and wrote none."""
    (status_l, _, err_l), (status_w, out_w, err_w) = results
    problems = []
    if status_l != 0:
        problems.append(f"Linux: exit status {status_l}: {err_l!r}")
    if status_w != 1 or out_w or err_w.decode("utf-8", "replace") != case.windows_refuses:
        problems.append(f"Windows: exit status {status_w}, stdout {out_w!r}, stderr {err_w!r}; "
                        f"expected 1 and {case.windows_refuses!r}")
    for name in case.outputs:
        if not os.path.exists(os.path.join(folders[0], name)):
            problems.append(f"{name} not written by Linux")
        if os.path.exists(os.path.join(folders[1], name)):
            problems.append(f"{name} written by Windows")
    return problems


def compare(case, native, windows, scratch):
    folders = [prepared_folder(case, "linux", scratch)]
    results = [run(native + case.args, folders[0], case.stdin)]
    windows_folder, windows_result = run_windows(case, windows, scratch)
    folders.append(windows_folder)
    results.append(windows_result)
    if case.windows_refuses:
        return compare_refused_on_windows(case, folders, results)
    problems = []
    (status_l, out_l, err_l), (status_w, out_w, err_w) = results
    if status_l != status_w:
        problems.append(f"exit status {status_l} (Linux) against {status_w} (Windows)")
    if own_words_cut_out(out_l, case.words) != own_words_cut_out(out_w, case.words):
        problems.append(f"stdout differs:\n  Linux:   {out_l!r}\n  Windows: {out_w!r}")
    if own_words_cut(err_l, case.words) != own_words_cut(err_w, case.words):
        problems.append(f"stderr differs:\n  Linux:   {err_l!r}\n  Windows: {err_w!r}")
    for name in case.outputs + case.previews:
        files = [os.path.join(folder, name) for folder in folders]
        exists = [os.path.exists(f) for f in files]
        if exists[0] != exists[1]:
            problems.append(f"{name} written by {'Linux' if exists[0] else 'Windows'} only")
            continue
        if not exists[0]:
            continue
        data = [open(f, "rb").read() for f in files]
        if name in case.previews:
            data = [png_pixels(d) for d in data]
            if case.alike and data[0][:2] == data[1][:2]:
                share = differing_share(data[0][2], data[1][2])
                if share > case.alike:
                    problems.append(f"{name}: {share:.1%} of its pixels differ, more than {case.alike:.0%}")
                continue
        if data[0] != data[1]:
            problems.append(f"{name} differs")
    leftovers = [sorted(os.listdir(f)) for f in folders]
    if leftovers[0] != leftovers[1]:
        problems.append(f"the folders differ afterwards: {leftovers[0]} against {leftovers[1]}")
    return problems


def main(argv):
    if len(argv) != 6:
        print(__doc__, file=sys.stderr)
        return 2
    native_cli, wine_run, windows_cli, pictures, examples = argv[1:]
    for needed in (native_cli, pictures):
        if not os.path.exists(needed):
            print(f"SKIPPED: {needed} is missing; build the native preset first "
                  "(cmake --preset native && cmake --build --preset native)", file=sys.stderr)
            return SKIPPED
    native, windows = [os.path.abspath(native_cli)], [os.path.abspath(wine_run), os.path.abspath(windows_cli)]
    failures = 0
    all_cases = cases(pictures, examples)
    with tempfile.TemporaryDirectory(prefix="pixmosaic-compare-") as scratch:
        for case in all_cases:
            problems = compare(case, native, windows, scratch)
            if problems:
                failures += 1
                print(f"FAILED {case.name}: {' '.join(case.args)}", file=sys.stderr)
                for problem in problems:
                    print("  " + problem, file=sys.stderr)
    print(f"{len(all_cases) - failures} of {len(all_cases)} command lines alike")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
