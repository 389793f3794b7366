// The lossy reading over JPEGs as libjpeg writes and libjpeg-turbo decodes them: C64 pictures
// saved at quality 90 with full, horizontally halved (4:2:2) or halved (4:2:0) chroma are read
// back as the picture but for a few pixels, in their palette (a shaded one with full chroma);
// photographs saved so are not.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "lib/reading/picture_decoder.h"
#include "core/nearest/lossy_picture.h"
#include "tests/support/jpeg_builder.h"

namespace pxm::test {
namespace {

struct Chroma {
    const char* name;
    JpegShape shape;
};

const std::vector<Chroma> Chromas{
    {"4:4:4", {.quality = 90, .fullChroma = true}},
    {"4:2:2", {.quality = 90, .chromaHalvedAcrossOnly = true}},
    {"4:2:0", {.quality = 90}},
};

// Colour numbers of C64 pixel column, row: each cell its background 0 and three more.
int CellColour(int column, int row, int k) {
    const int cell = (row / 8) * 40 + column / 4;
    const std::array<int, 4> set{0, 1 + cell % 15, 1 + (cell + 5) % 15, 1 + (cell + 10) % 15};
    return set[static_cast<std::size_t>(k % 4)];
}

// Areas of a colour two C64 pixels wide and four rows high, as drawings have them.
int Areas(int column, int row) { return CellColour(column, row, column / 2 % 2 * 2 + row / 4 % 2); }

// Areas shaded: every other pixel of their lower half the cell's background.
int Dithered(int column, int row) {
    return row % 4 >= 2 && (column + row) % 2 == 0 ? CellColour(column, row, 0) : Areas(column, row);
}

DecodedPicture Decoded(const JpegShape& shape, const std::function<std::uint32_t(int, int)>& pixel) {
    const DecodeOutcome outcome = DecodeJpeg(MakeJpeg(shape, pixel));
    EXPECT_EQ(outcome.status, DecodeOutcome::Status::Decoded);
    return outcome.picture;
}

TEST(LossyReading, Quality90JpegsOfC64PicturesAreReadBackInEveryChroma) {
    for (const std::string_view name : {"pepto", "vice"}) {
        const std::size_t palette = *FindPalette(name);
        for (const auto& picturePair :
             std::vector<std::pair<std::string, std::function<int(int, int)>>>{{"areas", Areas}, {"dithered", Dithered}}) {
            // Named, not bound: clang 14 cannot capture a structured binding in a lambda.
            const std::string& pictureName = picturePair.first;
            const std::function<int(int, int)>& number = picturePair.second;
            for (const Chroma& chroma : Chromas) {
                // Dots of one C64 pixel on another colour survive only full chroma.
                if (pictureName == "dithered" && !chroma.shape.fullChroma) continue;
                const DecodedPicture picture = Decoded(chroma.shape, [&](int x, int y) {
                    return Packed(C64Palettes[palette].colours[static_cast<std::size_t>(number(x / 2, y))]);
                });
                const std::string what = std::string(name) + " " + pictureName + " " + chroma.name;
                const std::optional<LossyPicture> read = ReadLossyPicture(picture, {0, 0, 320, 200}, {});
                ASSERT_TRUE(read.has_value()) << what;
                EXPECT_EQ(C64Palettes[read->palette].name, name) << what;
                int wrong = 0;
                for (int y = 0; y < 200; ++y) {
                    for (int x = 0; x < 320; x += 2) wrong += read->numbers[static_cast<std::size_t>(y * 320 + x)] != number(x / 2, y);
                }
                // Of the 32,000 C64 pixels.
                EXPECT_LE(wrong, 80) << what;
            }
        }
    }
}

TEST(LossyReading, PhotographsInEveryChromaAreNotTakenForC64Pictures) {
    const auto smooth = [](int x, int y) {
        const auto c = [](double v) { return static_cast<std::uint32_t>(127.5 + 120 * std::sin(v)); };
        return c(x * 0.02) << 16 | c(y * 0.03 + 1) << 8 | c((x + y) * 0.015 + 2);
    };
    // Few colours in soft shapes, as a logo has them.
    const auto logo = [](int x, int y) {
        const double r = std::hypot(x - 160, y - 100);
        const auto level = static_cast<std::uint32_t>(std::clamp(255 - r * 1.5, 0.0, 255.0));
        return level << 16 | (255 - level) << 8 | 0x80u;
    };
    for (const Chroma& chroma : Chromas) {
        for (const auto& [name, pixel] : std::vector<std::pair<std::string, std::function<std::uint32_t(int, int)>>>{
                 {"smooth", smooth}, {"logo", logo}}) {
            EXPECT_FALSE(ReadLossyPicture(Decoded(chroma.shape, pixel), {0, 0, 320, 200}, {}).has_value())
                << name << " " << chroma.name;
        }
    }
}

}  // namespace
}  // namespace pxm::test
