#!/usr/bin/python3
"""Runs tools/quality-error and tools/compare-peers as processes on pictures made here: the
blockiness finds the 8 x 8 cell borders, and compare-peers scores a peer (a stand-in that counts
its runs) once per picture and setting, keeps its scores, refuses a result that is no
multicolour picture and writes the side-by-side sheet. Needs Debian's python3-numpy, -scipy,
-skimage and -pil (skipped without them).

    compare_peers_test.py PIXMOSAIC_CLI"""
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest

try:
    import numpy
    from PIL import Image
    import scipy  # noqa: F401  (the tools need them too)
    import skimage  # noqa: F401
except ImportError as missing:
    print(f"skipped: {missing.name} is not installed (Debian's python3-numpy, -scipy, -skimage, -pil)")
    sys.exit(77)

TOOLS = pathlib.Path(__file__).resolve().parent.parent.parent / "tools"
CLI = sys.argv.pop(1) if len(sys.argv) > 1 else None
PNG2C64_SETTINGS = 118  # as many as compare-peers runs png2c64 with


def save(pixels, path):
    Image.fromarray(numpy.asarray(pixels, dtype=numpy.uint8)).save(path)
    return str(path)


def cell_blocks(shift=0):
    """A flat random colour in each 8 x 8 cell, shifted right and down by shift pixels."""
    cells = numpy.random.default_rng(7).integers(0, 256, (25, 40, 3))
    return numpy.roll(numpy.kron(cells, numpy.ones((8, 8, 1))), (shift, shift), axis=(0, 1))


def gradient():
    ramp = numpy.linspace(0, 255, 320)
    return numpy.stack([numpy.tile(ramp, (200, 1)), numpy.tile(ramp[::-1], (200, 1)), numpy.full((200, 320), 90)],
                       axis=2)


def quality(input_path, result_path):
    done = subprocess.run([str(TOOLS / "quality-error"), input_path, result_path], capture_output=True, text=True)
    assert done.returncode == 0, done.stderr
    return [float(field) for field in done.stdout.split()]


class QualityErrorTest(unittest.TestCase):
    def setUp(self):
        self.dir = pathlib.Path(tempfile.mkdtemp())

    def tearDown(self):
        shutil.rmtree(self.dir)

    def test_line_and_blockiness(self):
        smooth = save(gradient(), self.dir / "gradient.png")
        blocks = save(cell_blocks(), self.dir / "blocks.png")
        nudged = save(cell_blocks(1), self.dir / "nudged.png")
        halfway = save(cell_blocks(4), self.dir / "halfway.png")
        error, own, photo = quality(smooth, smooth)
        self.assertEqual(error, 0.0)
        self.assertEqual(own, photo)
        self.assertAlmostEqual(photo, 1.0, delta=0.05)  # a smooth picture: borders like anything else
        error, aligned, photo_again = quality(smooth, blocks)
        self.assertGreater(error, 10)
        self.assertEqual(photo_again, photo)
        self.assertGreater(aligned, 3)  # every step lies on a cell border
        # The same blocks off the grid: their steps fall inside the cells (one pixel off, the blur
        # still spreads a quarter of each step over the border next to it).
        self.assertLess(quality(smooth, nudged)[1], aligned / 1.5)
        self.assertLess(quality(smooth, halfway)[1], 0.2)
        # Its own blockiness as a result is the one it has as the input.
        self.assertEqual(quality(blocks, smooth)[2], aligned)
        # Random double-wide pixels, no cells in them: the halves of a pixel always match, and the
        # borders are compared with the steps between pixels, not within them.
        wide = numpy.repeat(numpy.random.default_rng(3).integers(0, 256, (200, 160, 3)), 2, axis=1)
        self.assertAlmostEqual(quality(smooth, save(wide, self.dir / "wide.png"))[1], 1.0, delta=0.05)

    def test_usage(self):
        done = subprocess.run([str(TOOLS / "quality-error"), "only-one.png"], capture_output=True, text=True)
        self.assertNotEqual(done.returncode, 0)
        self.assertIn("INPUT.png RESULT.png", done.stderr)


@unittest.skipIf(CLI is None, "needs the built pixmosaic-cli as its argument")
class ComparePeersTest(unittest.TestCase):
    def setUp(self):
        self.dir = pathlib.Path(tempfile.mkdtemp())
        self.work, self.pictures, self.sheets = self.dir / "work", self.dir / "pictures", self.dir / "sheets"
        self.pictures.mkdir()
        save(gradient(), self.pictures / "gradient.png")
        save(cell_blocks(), self.pictures / "blocks.png")
        self.runs = self.dir / "runs"

    def tearDown(self):
        shutil.rmtree(self.dir)

    def stand_in_png2c64(self, result):
        """A png2c64 that copies the given picture to its output and counts its runs."""
        program = self.work / "png2c64" / "build" / "png2c64"
        program.parent.mkdir(parents=True)
        program.write_text(f'#!/bin/sh\necho run >> "{self.runs}"\nfor a; do out=$a; done\ncp "{result}" "$out"\n')
        program.chmod(0o755)

    def compare(self):
        return subprocess.run([str(TOOLS / "compare-peers"), "--work", str(self.work), "--cli", CLI, "--pictures",
                               str(self.pictures), "--no-time", "--sheet", str(self.sheets)],
                              capture_output=True, text=True)

    def assertTablePair(self, cell, error, blocky):
        shown_error, shown_blocky = (float(v) for v in cell.split(" / "))
        self.assertAlmostEqual(shown_error, error, delta=0.0051)
        self.assertAlmostEqual(shown_blocky, blocky, delta=0.0051)

    def run_count(self):
        return len(self.runs.read_text().splitlines()) if self.runs.exists() else 0

    def test_scores_each_setting_once_and_keeps_them(self):
        grey = numpy.zeros((200, 320, 3))
        grey[:, :160] = 0x6C  # pepto's mid grey beside black: two colours, doubled pixels
        self.stand_in_png2c64(save(grey, self.dir / "result.png"))
        first = self.compare()
        self.assertEqual(first.returncode, 0, first.stderr)
        self.assertIn("retropixels: not set up", first.stderr)
        self.assertIn("dithertron: not set up", first.stderr)
        self.assertEqual(self.run_count(), 2 * PNG2C64_SETTINGS)
        rows = {row[0]: row for row in (line.strip("| ").split(" | ") for line in first.stdout.splitlines())
                if row[0] in ("gradient", "blocks")}
        self.assertEqual(set(rows), {"gradient", "blocks"})
        for name, row in rows.items():
            source, ours = self.work / "pictures" / f"{name}.png", self.work / "ours" / f"{name}-0.png"
            error, blocky, photo = quality(str(source), str(ours))
            # quality-error prints four places, the table two: rounded twice, they may differ by one.
            self.assertAlmostEqual(float(row[2]), photo, delta=0.0051)
            self.assertTablePair(row[3], error, blocky)
            peer_error, peer_blocky, _ = quality(str(source), str(self.dir / "result.png"))
            self.assertTablePair(row[4], peer_error, peer_blocky)
            self.assertEqual(row[5], "`--dither none --gamma 1`")  # all alike: the first setting
            with Image.open(self.sheets / f"{name}.png") as page:
                self.assertEqual(page.size, (3 * 644, 414))  # the picture, ours, png2c64's best
        self.assertIn("lower than png2c64's best on", first.stdout)

        again = self.compare()
        self.assertEqual(again.returncode, 0, again.stderr)
        self.assertEqual(again.stdout, first.stdout)
        self.assertEqual(self.run_count(), 2 * PNG2C64_SETTINGS)  # all from the cache

    def test_refuses_a_result_that_is_no_multicolour_picture(self):
        self.stand_in_png2c64(self.pictures / "gradient.png")  # pixels not doubled
        done = self.compare()
        self.assertEqual(done.returncode, 1)
        self.assertIn("has pixels that are not doubled", done.stderr)
        self.assertNotIn("| gradient", done.stdout)


if __name__ == "__main__":
    unittest.main()
