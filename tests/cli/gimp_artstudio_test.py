#!/usr/bin/env python3
"""Advanced Art Studio files written by GIMP's C64 plug-ins (Debian's gimp-cbmplugs) with a
coloured background, read back by the converter.

gimp_artstudio_test.py CONVERTER GIMP_CONSOLE MAKE_EXAMPLES GIMP_HOME
GIMP keeps the background in the first of the two bytes after the screen and leaves the second
zero; the paint program's own files keep the border colour there. GIMP, run headless, loads the
converter's Koala file of a picture and saves it as Advanced Art Studio under the picture's
background: the converter must read the background GIMP wrote, showing exactly the pixels of its
own Koala file (both as BMP, byte for byte equal). The landscape draws black with its cells, so
the cells tell the byte; the second picture has no black, so the zero second byte tells it.
"""
import os
import re
import runpy
import sys
import tempfile
import types
import unittest

import gimp_batch
from gimp_batch import scheme_text

CONVERTER, GIMP, MAKE_EXAMPLES, GIMP_HOME = sys.argv[1:5]
BACKGROUND_BYTES = 2 + 9000  # after the load address, the bitmap and the screen


def converter(*args):
    return gimp_batch.converter(CONVERTER, *args)


def load_examples():
    """make_examples.py's drawing and BMP writing, without running its main."""
    return types.SimpleNamespace(**runpy.run_path(MAKE_EXAMPLES))


def no_black_picture(examples):
    """Background blue, three colours besides it in every cell, and no black anywhere."""
    colours = [examples.WHITE, examples.CYAN, examples.YELLOW, examples.GREEN, examples.PINK, examples.LIGHT_GREEN]

    def point(x, y):
        k = (x + y) % 4
        return examples.BLUE if k == 0 else colours[(x // 4 + y // 8 + k) % len(colours)]

    return [[point(x, y) for x in range(examples.COLUMNS)] for y in range(examples.ROWS)]


class GimpArtStudioTest(unittest.TestCase):
    def test_gimps_background_is_read(self):
        examples = load_examples()
        with tempfile.TemporaryDirectory() as tmp:
            examples.write_bmp(os.path.join(tmp, "landscape.bmp"), examples.draw_landscape(), 16)
            examples.write_bmp(os.path.join(tmp, "no-black.bmp"), no_black_picture(examples), 16)
            cases = {"landscape": examples.LIGHT_BLUE, "no-black": examples.BLUE}
            calls = []
            for name, background in cases.items():
                ours = os.path.join(tmp, name + ".koa")
                converter(os.path.join(tmp, name + ".bmp"), "-b", str(background), "-c", "prg", "-o", ours)
                calls.append(f"(c64-resave file-advanced-artstudio-save {scheme_text(ours)} "
                             f"{scheme_text(os.path.join(tmp, name + '.mpic'))} {background})")
            gimp = gimp_batch.run_gimp(GIMP, GIMP_HOME, calls)

            for name, background in cases.items():
                with self.subTest(name):
                    theirs = os.path.join(tmp, name + ".mpic")
                    self.assertTrue(os.path.exists(theirs), gimp[-2000:])
                    with open(theirs, "rb") as f:
                        data = f.read()
                    self.assertEqual(data[BACKGROUND_BYTES:BACKGROUND_BYTES + 2], bytes([background, 0]),
                                     "GIMP's convention changed")
                    info = converter("--info", theirs)
                    self.assertIn("Format: Advanced Art Studio", info)
                    shown = int(re.search(r"Background: .* \((\d+)\), from the first", info).group(1))
                    self.assertEqual(shown, background, info)
                    converter(os.path.join(tmp, name + ".koa"), "-o", os.path.join(tmp, name + "-ours.bmp"))
                    converter(theirs, "-o", os.path.join(tmp, name + "-theirs.bmp"))
                    with open(os.path.join(tmp, name + "-ours.bmp"), "rb") as a, \
                            open(os.path.join(tmp, name + "-theirs.bmp"), "rb") as b:
                        self.assertEqual(a.read(), b.read())


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
