#!/usr/bin/env python3
"""Runs tools/pixelart.py as a process and checks the files it writes byte for byte."""
import os
import struct
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "pixelart.py")

SMALL = """# a 5x2 picture, 16 colours
width 5
height 2
colours 16   # 4 bits per pixel
key . 000000
key w FFFFFF
key r 880000 # index 2
rows
.wr.w
rrw.. # trailing comment
"""


def run(*args):
    return subprocess.run([sys.executable, SCRIPT, *args], capture_output=True, text=True)


class PixelArtTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.dir.cleanup()

    def source(self, text, name="art.txt"):
        path = os.path.join(self.dir.name, name)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path

    def convert_bmp(self, text):
        out = os.path.join(self.dir.name, "out.bmp")
        result = run("bmp", self.source(text), out)
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(out, "rb") as f:
            return f.read()

    def test_16_colour_bmp_bytes(self):
        data = self.convert_bmp(SMALL)
        palette = bytes([0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 0x88, 0]) + bytes(13 * 4)
        # Rows bottom-up, two pixels a byte (left pixel high), padded to 4 bytes.
        pixels = bytes([0x22, 0x10, 0x00, 0x00]) + bytes([0x01, 0x20, 0x10, 0x00])
        header = struct.pack("<2sIHHI", b"BM", 54 + 64 + 8, 0, 0, 118)
        info = struct.pack("<IiiHHIIiiII", 40, 5, 2, 1, 4, 0, 8, 2835, 2835, 16, 16)
        self.assertEqual(data, header + info + palette + pixels)
        self.assertEqual(data[50], 16)  # the important-colours count the program reads

    def test_256_colour_bmp_with_scale(self):
        data = self.convert_bmp("width 4\nheight 2\ncolours 256\nscale 2 2\nkey a 010203\nkey b 0A0B0C\nrows\nab\n")
        self.assertEqual(struct.unpack_from("<HI", data, 28), (8, 0))
        self.assertEqual(struct.unpack_from("<H", data, 50)[0], 256)
        self.assertEqual(data[54:62], bytes([3, 2, 1, 0, 0x0C, 0x0B, 0x0A, 0]))
        offset = 54 + 1024
        self.assertEqual(struct.unpack_from("<I", data, 10)[0], offset)
        self.assertEqual(data[offset:], bytes([0, 0, 1, 1]) * 2)
        self.assertEqual(len(data), struct.unpack_from("<I", data, 2)[0])

    def test_ico_images(self):
        small = self.source("width 2\nheight 2\ncolours 16\nkey - transparent\nkey x FF0000\nrows\n-x\nx-\n", "a.txt")
        big = self.source("width 3\nheight 1\ncolours 256\nkey k 000000\nkey - transparent\nrows\nk-k\n", "b.txt")
        out = os.path.join(self.dir.name, "out.ico")
        result = run("ico", out, small, big)
        self.assertEqual(result.returncode, 0, result.stderr)
        with open(out, "rb") as f:
            data = f.read()
        self.assertEqual(struct.unpack_from("<HHH", data, 0), (0, 1, 2))
        first = struct.unpack_from("<BBBBHHII", data, 6)
        second = struct.unpack_from("<BBBBHHII", data, 22)
        self.assertEqual(first[:6], (2, 2, 16, 0, 1, 4))
        self.assertEqual(second[:6], (3, 1, 0, 0, 1, 8))
        self.assertEqual(first[7], 38)
        self.assertEqual(second[7], 38 + first[6])
        self.assertEqual(len(data), second[7] + second[6])

        image = data[first[7]:first[7] + first[6]]
        self.assertEqual(struct.unpack_from("<iiHH", image, 4), (2, 4, 1, 4))
        xor = image[40 + 64:40 + 64 + 8]
        mask = image[40 + 64 + 8:]
        # No black key and a free entry: index 1 (left black) serves the transparent pixels.
        self.assertEqual(image[40:48], bytes([0, 0, 255, 0, 0, 0, 0, 0]))
        self.assertEqual(xor, bytes([0x01, 0, 0, 0, 0x10, 0, 0, 0]))
        self.assertEqual(mask, bytes([0x40, 0, 0, 0, 0x80, 0, 0, 0]))

        image = data[second[7]:]
        self.assertEqual(struct.unpack_from("<iiHH", image, 4), (3, 2, 1, 8))
        # The black key at index 0 serves the transparent pixel.
        self.assertEqual(image[40 + 1024:], bytes([0, 0, 0, 0]) + bytes([0x40, 0, 0, 0]))

    def expect_error(self, text, where, words, command="bmp"):
        path = self.source(text)
        out = os.path.join(self.dir.name, "bad.out")
        args = ("bmp", path, out) if command == "bmp" else ("ico", out, path)
        result = run(*args)
        self.assertEqual(result.returncode, 1)
        self.assertIn(f"{path}:{where}:", result.stderr)
        self.assertIn(words, result.stderr)
        self.assertFalse(os.path.exists(out))

    def test_errors_name_file_and_line(self):
        self.expect_error("width 2\nheight 1\ncolours 16\nkey a 000000\nrows\nab\n", 6, "'b' at column 2 has no key")
        self.expect_error("width 2\nheight 1\ncolours 16\nkey a 000000\nrows\na\n", 6, "expected 2")
        self.expect_error("width 2\nheight 1\ncolours 16\nkey a 000000\nrows\naaa\n", 6, "more than 2")
        self.expect_error("width 2\nheight 1\ncolours 8\nkey a 000000\nrows\naa\n", 5, "16 or 256")
        self.expect_error("width 2\nheight 2\ncolours 16\nkey a 000000\nrows\naa\n", 7, "expected 2 rows")
        self.expect_error("width 2\n\n# c\nheight 1\ncolours 16\nkey a 00000\nrows\naa\n", 6, "6 hex digits")
        self.expect_error("width 2\nheight 1\ncolours 16\nkey a 000000\nkey a 111111\nrows\naa\n", 5, "twice")
        self.expect_error("width 3\nheight 1\ncolours 16\nscale 2 1\nkey a 000000\nrows\naa\n", 6, "multiples")
        self.expect_error("width 2\nheight 1\nkey a 000000\nrows\naa\n", 4, "'colours' missing")
        self.expect_error("width 2\nheight 1\ncolours 16\nfoo 3\nrows\naa\n", 4, "unknown word 'foo'")
        keys = "".join(f"key {chr(97 + i)} 000000\n" for i in range(17))
        self.expect_error("width 1\nheight 1\ncolours 16\n" + keys + "rows\na\n", 20, "more colour keys")

    def test_transparent_only_in_icons(self):
        path = self.source("width 1\nheight 1\ncolours 16\nkey - transparent\nrows\n-\n")
        result = run("bmp", path, os.path.join(self.dir.name, "t.bmp"))
        self.assertEqual(result.returncode, 1)
        self.assertIn("ICO files only", result.stderr)

    def test_usage(self):
        self.assertEqual(run("png", "a", "b").returncode, 2)


if __name__ == "__main__":
    unittest.main()
