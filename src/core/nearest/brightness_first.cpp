#include "core/nearest/brightness_first.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "core/nearest/jpeg_colour.h"
#include "core/nearest/nearest_target.h"
#include "core/palette/palette_book.h"

namespace pxm {

namespace {

// A C64 pixel's brightness lies this near the palette colour it was (JPEG's noise on a pair of
// pixels); the palette whose levels nearly all pixels fit so may hold the picture.
constexpr float LumaFit = 6;
constexpr double FitShare = 0.9;
// A pixel's candidates: the colours whose brightness lies within this of the nearest level (in
// some palettes two colours of one level differ by a few steps). Beyond MixedLuma from every
// colour a pixel is mixed beyond telling.
constexpr float LumaSlack = 6;
constexpr float MixedLuma = 12;
// Brightness weighs more than the blurred hue in choosing between candidates.
constexpr float LumaWeight = 2;
// The palettes that fit the levels best are read in full; the one read with the least error is taken.
constexpr std::size_t PalettesRead = 6;
// The mean error of a reading (squared YCbCr units per C64 pixel) beyond which the hue does not
// fit the palette's colours of those levels: a photograph, not a C64 picture.
constexpr double MostMeanError = 135;

float Squared(float v) { return v * v; }

float ChromaError(const Ycc& seen, float cb, float cr) { return Squared(seen.cb - cb) + Squared(seen.cr - cr); }

// The area's C64 pixels, row by row: the mean of each double-wide pair.
struct Samples {
    int columns = 0;
    int rows = 0;
    bool firstRowEven = true;  // the area's first row is the top of a chroma sample's two
    std::vector<Ycc> at;
};

// The mean of the double-wide pixel in that column of row y.
Ycc PairMean(const DecodedPicture& picture, const PictureArea& area, int column, int y) {
    float r = 0, g = 0, b = 0;
    for (int k = 0; k < area.pixelWidth; ++k) {
        const Rgb c = picture.rgb[picture.At(area.left + column * area.pixelWidth + k, y)];
        r += c.r;
        g += c.g;
        b += c.b;
    }
    const auto n = static_cast<float>(area.pixelWidth);
    return YccOf(r / n, g / n, b / n);
}

Samples SamplesOf(const DecodedPicture& picture, const PictureArea& area) {
    Samples s{area.width / area.pixelWidth, area.height, area.top % 2 == 0, {}};
    s.at.reserve(static_cast<std::size_t>(s.columns) * static_cast<std::size_t>(s.rows));
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int column = 0; column < s.columns; ++column) s.at.push_back(PairMean(picture, area, column, y));
    }
    return s;
}

int LumaStep(float y) { return std::clamp(static_cast<int>(std::lround(y)), 0, 255); }

// How many C64 pixels have each brightness: enough to refuse a photograph before the samples
// are kept.
std::array<std::uint32_t, 256> LumaCounts(const DecodedPicture& picture, const PictureArea& area) {
    std::array<std::uint32_t, 256> counts{};
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int column = 0; column < area.width / area.pixelWidth; ++column)
            ++counts[static_cast<std::size_t>(LumaStep(PairMean(picture, area, column, y).y))];
    }
    return counts;
}

// How much of each chroma sample a decoder spreads over its neighbours' pixels: libjpeg-turbo a
// quarter each way; a decoder that enlarges the chroma in its DCT (IJG libjpeg 7 and later, as
// Wine's Windows Imaging Component) none. With 4:2:0 told both are tried and the reading that
// fits better is taken; else the first alone (the second fits some pictures with the chroma
// halved across only better but reads them worse).
constexpr std::array<float, 2> ChromaSpreads{0.25f, 0};

// The spread undone to the first order, each sample less its neighbours' share. Across: one
// sample per C64 pixel; down (4:2:0): one per two rows, both rows given their sample.
Samples Sharpened(Samples s, bool down, float spread) {
    const auto at = [&](int row, int column) {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(s.columns) + static_cast<std::size_t>(column);
    };
    const auto sharpen = [spread](Ycc& c, const Ycc& before, const Ycc& after) {
        c.cb += (c.cb - (before.cb + after.cb) / 2) * spread;
        c.cr += (c.cr - (before.cr + after.cr) / 2) * spread;
    };
    const std::vector<Ycc> seen = s.at;
    for (int row = 0; row < s.rows; ++row) {
        for (int column = 0; column < s.columns; ++column) {
            sharpen(s.at[at(row, column)], seen[at(row, std::max(column - 1, 0))],
                    seen[at(row, std::min(column + 1, s.columns - 1))]);
        }
    }
    if (!down) return s;
    // The two rows' mean is the sample, blurred with the samples above and below.
    const int first = s.firstRowEven ? 0 : 1;
    const int blocks = (s.rows - first) / 2;
    const auto mean = [&](const std::vector<Ycc>& from, int block, int column) {
        const Ycc& a = from[at(first + 2 * block, column)];
        const Ycc& b = from[at(first + 2 * block + 1, column)];
        return Ycc{0, (a.cb + b.cb) / 2, (a.cr + b.cr) / 2};
    };
    const std::vector<Ycc> across = s.at;
    for (int block = 0; block < blocks; ++block) {
        for (int column = 0; column < s.columns; ++column) {
            Ycc sample = mean(across, block, column);
            sharpen(sample, mean(across, std::max(block - 1, 0), column), mean(across, std::min(block + 1, blocks - 1), column));
            for (const int row : {first + 2 * block, first + 2 * block + 1}) {
                s.at[at(row, column)].cb = sample.cb;
                s.at[at(row, column)].cr = sample.cr;
            }
        }
    }
    return s;
}

// Where the brightness changes between two rows, the hue changes with it unless the two rows
// share a chroma sample: in a copy whose chroma was halved down, the hue changes between the
// rows of a sample much less than between samples (0.52 to 0.74 of it on quality-90 copies of
// C64 pictures; 0.88 and more with chroma kept down).
constexpr float EdgeLuma = 20;
constexpr double HalvedDownRatio = 0.8;

// Whether two rows share each chroma sample: told, or not to be told (no brightness edge within
// a sample's rows, which are then read alike either way).
enum class RowsShared { No, Yes, Untold };

RowsShared HalvedDown(const Samples& s) {
    std::array<double, 2> change{};  // within a sample's two rows, between samples
    std::array<double, 2> edges{};
    for (int row = 0; row + 1 < s.rows; ++row) {
        const std::size_t between = (row % 2 == 0) == s.firstRowEven ? 0 : 1;
        for (int column = 0; column < s.columns; ++column) {
            const std::size_t at = static_cast<std::size_t>(row) * static_cast<std::size_t>(s.columns) + static_cast<std::size_t>(column);
            const Ycc& a = s.at[at];
            const Ycc& b = s.at[at + static_cast<std::size_t>(s.columns)];
            if (std::abs(a.y - b.y) <= EdgeLuma) continue;
            change[between] += std::abs(a.cb - b.cb) + std::abs(a.cr - b.cr);
            ++edges[between];
        }
    }
    if (edges[0] == 0) return RowsShared::Untold;
    if (edges[1] == 0 || change[1] == 0) return RowsShared::No;
    return change[0] / edges[0] < HalvedDownRatio * (change[1] / edges[1]) ? RowsShared::Yes : RowsShared::No;
}

// One palette as the reading sees it: its colours, and for each brightness step the colours a
// pixel of that brightness may be (a bit per colour number; none when mixed beyond telling).
struct Levels {
    std::size_t palette = 0;
    std::array<Ycc, 16> colours{};
    std::array<std::uint16_t, 256> candidates{};
    double lumaError = 0;  // over the picture's pixels, each capped at LumaFit
    std::size_t fitting = 0;
};

Levels LevelsOf(std::size_t palette, const std::array<std::uint32_t, 256>& lumaCounts) {
    Levels levels{palette};
    for (std::size_t c = 0; c < 16; ++c) {
        const Rgb rgb = PaletteAt(palette).colours[c];
        levels.colours[c] = YccOf(rgb.r, rgb.g, rgb.b);
    }
    for (int v = 0; v < 256; ++v) {
        float nearest = std::numeric_limits<float>::infinity();
        for (const Ycc& c : levels.colours) nearest = std::min(nearest, std::abs(c.y - static_cast<float>(v)));
        std::uint16_t mask = 0;
        for (std::size_t c = 0; c < 16; ++c) {
            if (std::abs(levels.colours[c].y - static_cast<float>(v)) <= nearest + LumaSlack) mask |= 1u << c;
        }
        const auto step = static_cast<std::size_t>(v);
        levels.candidates[step] = nearest <= MixedLuma ? mask : 0;
        levels.lumaError += lumaCounts[step] * static_cast<double>(Squared(std::min(nearest, LumaFit)));
        if (nearest <= LumaFit) levels.fitting += lumaCounts[step];
    }
    return levels;
}

struct Reading {
    std::vector<std::uint8_t> numbers;  // per C64 pixel, AnyColour when mixed beyond telling
    double error = 0;
};

float LumaError(const Levels& levels, std::size_t c, const Ycc& seen) {
    return LumaWeight * Squared(seen.y - levels.colours[c].y);
}

// Each pixel by itself: the candidate nearest in brightness and hue (chroma at full resolution,
// or halved across only).
void ReadAlone(const Levels& levels, const Ycc& seen, std::uint8_t& number, double& error) {
    const std::uint16_t mask = levels.candidates[static_cast<std::size_t>(LumaStep(seen.y))];
    number = AnyColour;
    float best = std::numeric_limits<float>::infinity();
    for (std::size_t c = 0; c < 16; ++c) {
        if (!(mask >> c & 1)) continue;
        const float e = LumaError(levels, c, seen) + ChromaError(seen, levels.colours[c].cb, levels.colours[c].cr);
        if (e < best) {
            best = e;
            number = static_cast<std::uint8_t>(c);
        }
    }
    if (number != AnyColour) error += best;
}

// Two rows of one chroma sample together: both saw the mean of their two colours' hues, worn
// down by the JPEG. Which row had which hue, and between two colours of one brightness on a
// weakened hue, is told by the first reading of the C64 cell around (a cell has four colours):
// a colour that many of its pixels were read as weighs less.
struct Pair {
    const Ycc& top;
    const Ycc& bottom;
    const std::array<float, 16>& cellBonus;
};

void ReadPair(const Levels& levels, const Pair& pair, std::uint8_t& upper, std::uint8_t& lower, double& error) {
    const std::uint16_t topMask = levels.candidates[static_cast<std::size_t>(LumaStep(pair.top.y))];
    const std::uint16_t bottomMask = levels.candidates[static_cast<std::size_t>(LumaStep(pair.bottom.y))];
    if (topMask == 0 || bottomMask == 0) {
        ReadAlone(levels, pair.top, upper, error);
        ReadAlone(levels, pair.bottom, lower, error);
        return;
    }
    float best = std::numeric_limits<float>::infinity();
    float bestError = 0;
    for (std::size_t a = 0; a < 16; ++a) {
        if (!(topMask >> a & 1)) continue;
        for (std::size_t b = 0; b < 16; ++b) {
            if (!(bottomMask >> b & 1)) continue;
            const float cb = (levels.colours[a].cb + levels.colours[b].cb) / 2;
            const float cr = (levels.colours[a].cr + levels.colours[b].cr) / 2;
            const float e = LumaError(levels, a, pair.top) + LumaError(levels, b, pair.bottom) +
                            ChromaError(pair.top, cb, cr) + ChromaError(pair.bottom, cb, cr);
            const float judged = e - pair.cellBonus[a] - pair.cellBonus[b];
            if (judged < best) {
                best = judged;
                bestError = e;
                upper = static_cast<std::uint8_t>(a);
                lower = static_cast<std::uint8_t>(b);
            }
        }
    }
    error += bestError;
}

// A multicolour cell in C64 pixels; a first reading's colour over all of a cell weighs this much.
constexpr float CellWeight = 800;
constexpr int CellColumns = 4;
constexpr int CellRows = 8;

// context: a first reading's numbers, or empty.
Reading Read(const Samples& s, const Levels& levels, bool inPairs, const std::vector<std::uint8_t>& context) {
    Reading reading{std::vector<std::uint8_t>(s.at.size(), AnyColour)};
    const auto at = [&](int row, int column) {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(s.columns) + static_cast<std::size_t>(column);
    };
    const auto bonuses = [&](int row, int column) {
        std::array<float, 16> bonus{};
        if (context.empty()) return bonus;
        const int top = row / CellRows * CellRows;
        const int left = column / CellColumns * CellColumns;
        for (int r = top; r < std::min(top + CellRows, s.rows); ++r) {
            for (int c = left; c < std::min(left + CellColumns, s.columns); ++c) {
                const std::uint8_t n = context[at(r, c)];
                if (n < 16) bonus[n] += CellWeight / (CellRows * CellColumns);
            }
        }
        return bonus;
    };
    for (int row = 0; row < s.rows; ++row) {
        const bool pairs = inPairs && (row % 2 == 0) == s.firstRowEven && row + 1 < s.rows;
        for (int column = 0; column < s.columns; ++column) {
            if (pairs) {
                const std::array<float, 16> bonus = bonuses(row, column);
                ReadPair(levels, {s.at[at(row, column)], s.at[at(row + 1, column)], bonus},
                         reading.numbers[at(row, column)], reading.numbers[at(row + 1, column)], reading.error);
            } else {
                ReadAlone(levels, s.at[at(row, column)], reading.numbers[at(row, column)], reading.error);
            }
        }
        if (pairs) ++row;
    }
    return reading;
}

}  // namespace

std::optional<LossyPicture> ReadBrightnessFirst(const DecodedPicture& picture, const PictureArea& area,
                                             const PaletteChoice& choice) {
    const std::array<std::uint32_t, 256> lumaCounts = LumaCounts(picture, area);
    const double pixels = static_cast<double>(area.width / area.pixelWidth) * area.height;

    // The palettes whose brightness levels nearly every pixel fits, the best fitting first.
    std::vector<Levels> fitting;
    const Palettes palettes = PalettesOf(choice);
    for (std::size_t p = palettes.first; p < palettes.end; ++p) {
        Levels levels = LevelsOf(p, lumaCounts);
        if (static_cast<double>(levels.fitting) >= FitShare * pixels) fitting.push_back(levels);
    }
    std::ranges::sort(fitting, [](const Levels& a, const Levels& b) { return a.lumaError < b.lumaError; });
    if (fitting.empty()) return std::nullopt;
    if (fitting.size() > PalettesRead) fitting.resize(PalettesRead);

    // The decoder's spread undone across (each C64 pixel one chroma sample), and down when the
    // chroma was halved down too; then read, and read again with each cell's first reading.
    const Samples samples = SamplesOf(picture, area);
    const RowsShared shared = HalvedDown(samples);
    const bool down = shared != RowsShared::No;
    std::optional<Reading> best;
    std::size_t palette = 0;
    for (const float spread : std::span(ChromaSpreads).first(shared == RowsShared::Yes ? ChromaSpreads.size() : 1)) {
        const Samples seen = Sharpened(samples, down, spread);
        for (const Levels& levels : fitting) {
            Reading reading = Read(seen, levels, down, {});
            if (down) reading = Read(seen, levels, down, reading.numbers);
            if (!best || reading.error < best->error) {
                best = std::move(reading);
                palette = levels.palette;
            }
        }
    }
    if (!best || best->error / pixels > MostMeanError) return std::nullopt;
    // One colour and noise is no C64 picture.
    if (std::ranges::all_of(best->numbers, [&](std::uint8_t n) { return n == best->numbers.front(); }))
        return std::nullopt;

    LossyPicture lossy{palette, {}};
    lossy.numbers.reserve(static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height));
    for (int row = 0; row < samples.rows; ++row) {
        for (int x = 0; x < area.width; ++x) {
            const int column = std::min(x / area.pixelWidth, samples.columns - 1);
            lossy.numbers.push_back(best->numbers[static_cast<std::size_t>(row * samples.columns + column)]);
        }
    }
    return lossy;
}

}  // namespace pxm
