// The built converter on JPEG files, run as a process: read by their content whatever their
// name; a lossy picture refused with the count of its colours; CMYK, damaged files and sizes
// that are not taken refused before any output.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/palette/c64_palettes.h"
#include "tests/cli/cli_test_support.h"
#include "tests/cli/scratch_test.h"
#include "tests/support/jpeg_builder.h"

namespace pxm::test {
namespace {

std::uint32_t Pepto(int n) { return Packed(C64Palettes[DefaultPalette].colours[static_cast<std::size_t>(n)]); }

// One colour per cell: what a lossless coding of flat blocks keeps exactly enough to match.
int CellColour(int x, int y) { return (x / 8 * 7 + y / 8 * 3) % 16; }

class JpegProcess : public ScratchTest {
protected:
    // Refused with that message after "Error: FILE: " and no file written.
    void ExpectRefused(const std::vector<std::uint8_t>& jpeg, const std::string& err) {
        const std::string in = Write(jpeg, "in.bmp");
        const auto result = RunConverter({in, "-o", dir_ / "out.prg"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "Error: " + in + ": " + err);
        EXPECT_FALSE(std::filesystem::exists(dir_ / "out.prg"));
    }
};

TEST_F(JpegProcess, AJpegOfSixteenColoursGivesWhatItsBmpGives) {
    // Flat cells at quality 100 with full chroma decode within a unit or two of pepto.
    const auto jpeg =
        MakeJpeg({.quality = 100, .fullChroma = true}, [](int x, int y) { return Pepto(CellColour(x, y)); });
    const auto fromJpeg = RunConverter({Write(jpeg, "in.jpg"), "-o", dir_ / "jpeg.prg"});
    ASSERT_EQ(fromJpeg.status, 0) << fromJpeg.err;
    // Pepto, exactly or as the nearest palette to colours a unit or two off.
    EXPECT_EQ(fromJpeg.out.rfind("Palette: pepto", 0), 0u) << fromJpeg.out;
    EXPECT_TRUE(fromJpeg.out.ends_with("\nChosen background color: black.\n")) << fromJpeg.out;
    const auto fromBmp = RunConverter({Write(MakeBmp({}, CellColour), "in.bmp"), "-o", dir_ / "bmp.prg"});
    ASSERT_EQ(fromBmp.status, 0) << fromBmp.err;
    EXPECT_EQ(ReadFile(dir_ / "jpeg.prg"), ReadFile(dir_ / "bmp.prg"));
}

TEST_F(JpegProcess, ACamerasTurnedJpegIsReadAsAViewerShowsIt) {
    // Stored on its side or upside down with the EXIF orientation that turns it back: the same
    // Koala file as the upright picture's, byte for byte.
    const auto shown = [](int x, int y) { return Pepto(CellColour(x, y)); };
    const auto upright = RunConverter({Write(MakeJpeg({.quality = 100, .fullChroma = true}, shown), "upright.jpg"), "-o",
                                       dir_ / "upright.prg"});
    ASSERT_EQ(upright.status, 0) << upright.err;
    for (const unsigned orientation : {3u, 6u, 8u}) {
        SCOPED_TRACE(orientation);
        const auto jpeg = MakeTurnedJpeg({.quality = 100, .fullChroma = true}, orientation, 320, 200, shown);
        const auto turned = RunConverter({Write(jpeg, "turned.jpg"), "-o", dir_ / "turned.prg"});
        ASSERT_EQ(turned.status, 0) << turned.err;
        EXPECT_EQ(ReadFile(dir_ / "turned.prg"), ReadFile(dir_ / "upright.prg"));
    }
}

TEST_F(JpegProcess, ALossyPictureIsRefusedWithTheCountOfItsColours) {
    for (const bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        const auto jpeg =
            MakeJpeg({.quality = 80, .progressive = progressive}, [](int x, int y) { return Pepto((x / 2 + y) % 16); });
        const auto result = RunConverter({Write(jpeg, "shot.jpg"), "-o", dir_ / "out.prg"});
        EXPECT_EQ(result.status, 1);
        const std::string start = "Error: " + dir_ / "shot.jpg" + ": This JPEG file holds ";
        ASSERT_EQ(result.err.rfind(start, 0), 0u) << result.err;
        const int colours = std::stoi(result.err.substr(start.size()));
        EXPECT_GT(colours, 16);
        EXPECT_EQ(result.err.substr(start.size() + std::to_string(colours).size()),
                  " colours; a C64 picture holds at most 16. Saved lossy, its colours are near the picture's, not "
                  "the same. --nearest (-n) makes the nearest C64 picture of it.\n");
        EXPECT_FALSE(std::filesystem::exists(dir_ / "out.prg"));
    }
}

TEST_F(JpegProcess, CmykDamagedAndOversizedFilesAreRefused) {
    ExpectRefused(
        MakeJpeg({.width = 16, .height = 8, .colours = JpegColours::Cmyk}, [](int x, int) { return Pepto(x % 16); }),
        "This JPEG file holds CMYK colours, for print, which no C64 picture is saved in; save it in RGB. "
        "--nearest (-n) makes the nearest C64 picture of it.\n");
    ExpectRefused(MakeJpeg({.width = 400, .height = 300}, [](int, int) { return 0u; }),
                  "This JPEG file is 400x300 pixels. Pictures of up to 320x200 pixels are taken, or emulator "
                  "screenshots of exactly 384x272 pixels with the picture at 32,35 inside the border; at 160x200 and "
                  "192x272 one pixel is one double-wide C64 pixel. --nearest (-n) makes the nearest C64 picture of "
                  "it.\n");
    auto cut = MakeJpeg({.width = 64, .height = 64}, [](int x, int y) { return Pepto((x + y) % 16); });
    cut.resize(cut.size() / 2);
    const auto result = RunConverter({Write(cut, "cut.jpg"), "-o", dir_ / "out.prg"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Error: " + dir_ / "cut.jpg" +
                              ": This JPEG file is damaged or incomplete (libjpeg: Premature end of JPEG file).\n");
}

}  // namespace
}  // namespace pxm::test
