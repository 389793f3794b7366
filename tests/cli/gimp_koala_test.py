#!/usr/bin/env python3
"""Koala files written by GIMP's C64 plug-ins (Debian's gimp-cbmplugs) read back by the converter.

gimp_koala_test.py CONVERTER GIMP_CONSOLE MAKE_EXAMPLES GIMP_HOME
GIMP, run headless in batch mode, loads the converter's Koala file of an example picture and
saves it again with its own plug-in (its own choice of which colour goes where in each cell).
The converter must read that file and show exactly the pixels of its own: both as BMP, byte for
byte equal. GIMP_HOME keeps GIMP's caches between runs (its first start takes a minute).
"""
import os
import re
import subprocess
import sys
import tempfile
import unittest

import gimp_batch
from gimp_batch import scheme_text

CONVERTER, GIMP, MAKE_EXAMPLES, GIMP_HOME = sys.argv[1:5]


def converter(*args):
    return gimp_batch.converter(CONVERTER, *args)


class GimpKoalaTest(unittest.TestCase):
    def test_gimps_koala_file_shows_the_same_pixels(self):
        with tempfile.TemporaryDirectory() as tmp:
            subprocess.run([sys.executable, MAKE_EXAMPLES, tmp], check=True, capture_output=True)
            ours = os.path.join(tmp, "ours.koa")
            converter(os.path.join(tmp, "landscape-16.bmp"), "-c", "prg", "-o", ours)
            background = int(re.search(r"Background: .* \((\d+)\)", converter("--info", ours)).group(1))

            theirs = os.path.join(tmp, "gimp.koa")
            gimp = gimp_batch.run_gimp(GIMP, GIMP_HOME,
                                       [f"(koala-resave {scheme_text(ours)} {scheme_text(theirs)} {background})"])
            self.assertTrue(os.path.exists(theirs), gimp[-2000:])
            with open(ours, "rb") as f_ours, open(theirs, "rb") as f_theirs:
                self.assertNotEqual(f_ours.read(), f_theirs.read(), "GIMP's file should be its own")

            self.assertIn("Format: Koala-Painter", converter("--info", theirs))
            converter(ours, "-o", os.path.join(tmp, "ours.bmp"))
            converter(theirs, "-o", os.path.join(tmp, "theirs.bmp"))
            with open(os.path.join(tmp, "ours.bmp"), "rb") as a, open(os.path.join(tmp, "theirs.bmp"), "rb") as b:
                self.assertEqual(a.read(), b.read())


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
