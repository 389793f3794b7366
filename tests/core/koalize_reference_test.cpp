// The multicolour koalizer against a straightforward pixel-by-pixel model of the slot rules,
// over many random pictures: the fast version works on each cell's set of values and must
// agree with the model on every byte, including the partial writes of a failed run.
#include <gtest/gtest.h>

#include <random>

#include "core/koala/koalize.h"

namespace pxm {
namespace {

struct ModelResult {
    bool ok;
    int failedCell;
};

ModelResult ModelKoalize(const Canvas& canvas, KoalaImage& image, std::uint8_t b) {
    std::array<std::uint8_t, 4> s{0, 16, 16, 16};
    for (int cell = 0; cell < CellCount; ++cell) {
        std::array<std::uint8_t, 32> px{};
        const int cx = cell % 40, cy = cell / 40;
        for (int k = 0; k < 8; ++k)
            for (int p = 0; p < 4; ++p) px[static_cast<std::size_t>(4 * k + p)] = canvas[CanvasIndex(4 * cx + p, 8 * cy + k)];
        std::array<bool, 4> u{};
        int n = 0;
        for (const std::uint8_t v : px) {
            for (int j = 1; j <= 3; ++j) {
                if (!u[j] && s[j] == v) {
                    u[j] = true;
                    ++n;
                    break;
                }
            }
        }
        for (const std::uint8_t v : px) {
            bool isNew = v != b;
            for (int j = 1; j <= 3; ++j) isNew = isNew && !(u[j] && s[j] == v);
            if (!isNew) continue;
            ++n;
            for (int j = 1; j <= 3; ++j) {
                if (!u[j]) {
                    s[j] = v;
                    u[j] = true;
                    break;
                }
            }
        }
        if (n > 3) return {false, cell};
        for (int i = 0; i <= n - 2; ++i)
            for (int j = 1; j <= n - 1 - i; ++j)
                if (s[j] > s[j + 1]) std::swap(s[j], s[j + 1]);
        for (int k = 0; k < 8; ++k) {
            int byte = 0;
            for (int p = 0; p < 4; ++p) {
                const std::uint8_t v = px[static_cast<std::size_t>(4 * k + p)];
                const int bits = v == b ? 0 : v == s[1] ? 1 : v == s[2] ? 2 : 3;
                byte |= bits << (6 - 2 * p);
            }
            image[8 * static_cast<std::size_t>(cell) + k] = static_cast<std::uint8_t>(byte);
        }
        image[8000 + static_cast<std::size_t>(cell)] = static_cast<std::uint8_t>((s[1] & 15) << 4 | (s[2] & 15));
        image[9000 + static_cast<std::size_t>(cell)] = s[3] & 15;
    }
    image[10000] = b;
    return {true, -1};
}

// Cells drawn from a small palette per cell, so that most cells fit and runs get far.
Canvas RandomCanvas(std::mt19937& random, int coloursPerCell, int valueRange) {
    Canvas canvas{};
    std::uniform_int_distribution<int> value(0, valueRange - 1);
    for (int cell = 0; cell < CellCount; ++cell) {
        std::array<std::uint8_t, 6> palette{};
        for (auto& c : palette) c = static_cast<std::uint8_t>(value(random));
        std::uniform_int_distribution<int> pick(0, coloursPerCell - 1);
        const int cx = cell % 40, cy = cell / 40;
        for (int k = 0; k < 8; ++k)
            for (int p = 0; p < 4; ++p)
                canvas[CanvasIndex(4 * cx + p, 8 * cy + k)] = palette[static_cast<std::size_t>(pick(random))];
    }
    return canvas;
}

TEST(KoalizeMulticolourModel, AgreesWithThePixelByPixelRulesOnRandomPictures) {
    std::mt19937 random(1234);
    for (int round = 0; round < 300; ++round) {
        const int coloursPerCell = 1 + round % 5;                                      // 1..5 values a cell
        const int valueRange = round % 3 == 0 ? 4 : round % 3 == 1 ? 16 : 20;          // 20: values 16..19 too
        const Canvas canvas = RandomCanvas(random, coloursPerCell, valueRange);
        const auto background = static_cast<std::uint8_t>(round % 4);
        KoalaImage expected{}, actual{};
        expected.fill(0xA5);
        actual.fill(0xA5);
        const ModelResult model = ModelKoalize(canvas, expected, background);
        const KoalizeOutcome result = KoalizeMulticolour(canvas, actual, background);
        ASSERT_EQ(result.ok(), model.ok) << "round " << round;
        ASSERT_EQ(result.failedCell, model.failedCell) << "round " << round;
        ASSERT_EQ(actual, expected) << "round " << round;
    }
}

// AUTO decides from each cell's colours instead of running all sixteen backgrounds; it must
// give what running them in turn gives, down to the image the last attempt leaves.
TEST(AutoBackgroundSearchModel, AgreesWithTryingEveryBackgroundInTurn) {
    std::mt19937 random(99);
    for (int round = 0; round < 200; ++round) {
        const Canvas canvas = RandomCanvas(random, 3 + round % 3, round % 2 == 0 ? 16 : 18);
        KoalaImage expected{}, actual{};
        std::optional<std::uint8_t> chosen;
        int furthestCell = -1;
        std::uint8_t furthestBackground = 0;
        for (int b = 0; b < 16 && !chosen; ++b) {
            const ModelResult model = ModelKoalize(canvas, expected, static_cast<std::uint8_t>(b));
            if (model.ok) chosen = static_cast<std::uint8_t>(b);
            else if (model.failedCell > furthestCell) {
                furthestCell = model.failedCell;
                furthestBackground = static_cast<std::uint8_t>(b);
            }
        }
        const KoalizeOutcome result = AutoBackgroundSearch(canvas, actual);
        ASSERT_EQ(result.autoBackground, chosen) << "round " << round;
        ASSERT_EQ(actual, expected) << "round " << round;
        if (!chosen) {
            ASSERT_EQ(result.failedBackground, furthestBackground) << "round " << round;
            ASSERT_EQ(result.failedCell, furthestCell) << "round " << round;
        }
    }
}

}  // namespace
}  // namespace pxm
