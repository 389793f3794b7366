#include "core/nearest/seen_refinement.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>

#include "core/base/second_thread.h"
#include "core/nearest/level_table.h"
#include "core/nearest/local_metric.h"
#include "core/nearest/seen_blur.h"

namespace pxm {

namespace {

// The working grids have a margin as wide as the blur reaches, whose metric is zero, so that no
// tap needs a test for the edge: beyond the screen nothing is seen.
constexpr int PaddedColumns = CanvasColumns + 2 * SeenReachAcross;
constexpr int PaddedRows = CanvasRows + 2 * SeenReachDown;
constexpr std::size_t PaddedCount = static_cast<std::size_t>(PaddedColumns) * PaddedRows;
constexpr std::size_t Padded(int x, int y) {
    return static_cast<std::size_t>(y + SeenReachDown) * PaddedColumns + static_cast<std::size_t>(x + SeenReachAcross);
}

struct Tap {
    std::ptrdiff_t offset;  // in the padded grid
    float weight;
};

constexpr std::size_t TapCount = SeenBlurAcross.size() * SeenBlurDown.size();
constexpr std::array<Tap, TapCount> Taps = [] {
    std::array<Tap, TapCount> taps{};
    std::size_t k = 0;
    for (int dy = -SeenReachDown; dy <= SeenReachDown; ++dy) {
        for (int dx = -SeenReachAcross; dx <= SeenReachAcross; ++dx) {
            taps[k++] = {std::ptrdiff_t{dy} * PaddedColumns + dx, SeenBlurAcross[static_cast<std::size_t>(dx + SeenReachAcross)] *
                                                                       SeenBlurDown[static_cast<std::size_t>(dy + SeenReachDown)]};
        }
    }
    return taps;
}();

// Changes smaller than this (in the weighed units of SeenError) are not worth taking: they would
// only shuffle pixels between equals.
constexpr float LeastGain = 1e-3f;
// Below this (CIEDE2000 units) a pixel's difference counts as this much in its weight: nearer,
// a difference of no account would weigh its pixel up many times (measured over the 36
// photographs of docs/performance.md: 2 nearer than 1 and 0.5, and a sky's texture evener).
constexpr float LeastDifference = 2.0f;

// Four lanes for the three channels (the fourth is zero in every colour and error), one 16-byte
// vector, so that an error is weighed, added and summed in one instruction each. GCC keeps the
// lanes of a plain array of four floats apart here (a fifth more instructions in all), so with
// GCC and Clang, which build every target (MinGW's GCC, Emscripten's Clang with SIMD128), the
// lanes are their vector type; any other compiler, and the sanitizers' build (so that the tests
// run it too), takes the array. Each lane's arithmetic is IEEE's either way: the same bits.
#if defined(__GNUC__) && !defined(PIXMOSAIC_STANDARD_LANES)
using Four = float __attribute__((vector_size(16)));
#else
struct alignas(16) Four {
    std::array<float, 4> lane{};

    float operator[](std::size_t i) const { return lane[i]; }
    float& operator[](std::size_t i) { return lane[i]; }
    template <typename Op>
    friend Four Each(Four a, const Four& b, Op op) {
        for (std::size_t i = 0; i < 4; ++i) a.lane[i] = op(a.lane[i], b.lane[i]);
        return a;
    }
    Four& operator+=(const Four& b) { return *this = Each(*this, b, std::plus<>{}); }
    friend Four operator-(const Four& a, const Four& b) { return Each(a, b, std::minus<>{}); }
    friend Four operator*(const Four& a, const Four& b) { return Each(a, b, std::multiplies<>{}); }
    friend Four operator-(const Four& a, float b) { return a - Four{{b, b, b, b}}; }
    friend Four operator*(const Four& a, float b) { return a * Four{{b, b, b, b}}; }
};
#endif
struct Lanes {
    Four lane{};

    float operator[](std::size_t i) const { return lane[i]; }
    Lanes& operator+=(const Lanes& other) {
        lane += other.lane;
        return *this;
    }
    friend Lanes operator+(Lanes a, const Lanes& b) { return a += b; }
    friend Lanes operator-(const Lanes& a, const Lanes& b) { return Lanes{a.lane - b.lane}; }
    friend Lanes operator-(const Lanes& a, float b) { return Lanes{a.lane - b}; }
    friend Lanes operator*(const Lanes& a, const Lanes& b) { return Lanes{a.lane * b.lane}; }
    friend Lanes operator*(const Lanes& a, float b) { return Lanes{a.lane * b}; }
    friend Lanes operator*(float a, const Lanes& b) { return b * a; }
};
Lanes LanesOf(LinearRgb c) { return Lanes{{c.r, c.g, c.b, 0.0f}}; }
float SumOf(const Lanes& v) { return v[0] + v[1] + v[2]; }

// A local metric (symmetric: rr, gg, bb, rg, rb, gb) as two blocks of lanes, its first two
// columns with the third column's two lower entries in their fourth lanes: M d is three products
// of lanes in two thirds of the room of three columns (the picture-sized grids of metrics are
// the refinement's largest). What M d leaves in the fourth lane is no channel: it only ever meets
// the zero fourth lane of a colour step, or is not read.
struct Metric {
    Lanes r{};  // rr, rg, rb, gb
    Lanes g{};  // rg, gg, gb, bb

    Lanes Third() const { return Lanes{{r[2], r[3], g[3], 0.0f}}; }
    Lanes Times(Lanes d) const { return r * d[0] + g * d[1] + Third() * d[2]; }
    Metric operator*(float by) const { return {r * by, g * by}; }
    Metric operator+(const Metric& other) const { return {r + other.r, g + other.g}; }
};
Metric MetricOf(const LocalMetric& metric) {
    const std::array<float, 6>& m = metric.m;
    return {Lanes{{m[0], m[3], m[4], m[5]}}, Lanes{{m[3], m[1], m[5], m[2]}}};
}

constexpr int CellOf(int x, int y) { return (y / 8) * CellColumns + x / 4; }

// The rows a thread takes at a time where the work of a row is the same for every row.
constexpr int RowsAPiece = 8;

}  // namespace

// The picture's seen error, kept up to date pixel by pixel: the blurred difference from the
// target at every pixel (made CIELAB's exact difference at each reweighing), and that
// difference weighed by the eye's metric there. The cost of the picture is the sum over pixels
// of eᵀ M e; a change of one pixel by δ changes it by 2 δ·Σ K (M e) + δᵀ (Σ K² M) δ over the
// blur's taps K around it. Cells near a change are marked, so that passes look again only
// where something moved.
class SeenError {
public:
    // The target as the eye takes it in: blurred, in linear light and in CIELAB. Outside the
    // picture the screen shows the background.
    void SeeTarget(const NearestTarget& target, const ShownColours& shown, std::uint8_t background, SecondThread* second) {
        target_ = &target;
        for (std::size_t c = 0; c < shown_.size(); ++c) {
            shown_[c] = LanesOf(shown.linear[c]);
            const auto [r, g, b] = shown.linear[c];
            const std::array<float, PaletteTerms> products{r * r, g * g, b * b, 2 * r * g, 2 * r * b, 2 * g * b, r, g, b};
            for (std::size_t k = 0; k < PaletteTerms; ++k) terms_[k][c / 4].lane[c % 4] = products[k];
        }
        const Lanes behind = shown_[background];
        // The target in the padded grid, blurred from weighted_ (room that Reweigh fills): its
        // edge rows and columns repeated into the margin, so that what lies beyond blurs in as
        // the edge.
        for (int y = -SeenReachDown; y < CanvasRows + SeenReachDown; ++y) {
            for (int x = -SeenReachAcross; x < CanvasColumns + SeenReachAcross; ++x) {
                const std::size_t at = NearestTarget::At(std::clamp(x, 0, CanvasColumns - 1), std::clamp(y, 0, CanvasRows - 1));
                weighted_[Padded(x, y)] = target.Inside(at) ? LanesOf(target.colours[at]) : behind;
            }
        }
        BlurInto(weighted_, measuredFrom_, second);
        ShareOut(second, 0, CanvasRows, RowsAPiece, [&](Part rows) {
            for (int y = rows.first; y < rows.end; ++y) {
                for (int x = 0; x < CanvasColumns; ++x) {
                    const Lanes& t = measuredFrom_[Padded(x, y)];
                    const Lab lab = LabOf(LinearRgb{t[0], t[1], t[2]});
                    targetLab_[Padded(x, y)] = Lanes{{static_cast<float>(lab.l), static_cast<float>(lab.a), static_cast<float>(lab.b), 0.0f}};
                }
            }
        });
    }

    // The picture to refine (after SeeTarget): its blurred difference from the target, weighed;
    // every cell to be looked at.
    void SeePicture(Canvas& canvas, SecondThread& second) {
        canvas_ = &canvas;
        second_ = &second;
        // The difference is zero in the margin, as weighted_ must stay.
        std::ranges::fill(weighted_, Lanes{});
        for (int y = 0; y < CanvasRows; ++y) {
            for (int x = 0; x < CanvasColumns; ++x) {
                const std::size_t at = NearestTarget::At(x, y);
                if (target_->Inside(at)) weighted_[Padded(x, y)] = shown_[canvas[CanvasIndex(x, y)]] - LanesOf(target_->colours[at]);
            }
        }
        BlurInto(weighted_, error_, second_);
        Reweigh();
        for (std::size_t cell = 0; cell < CellCount; ++cell) {
            pixelsToVisit_[cell].store(true, std::memory_order_relaxed);
            cellsToVisit_[cell].store(true, std::memory_order_relaxed);
        }
    }

    // The eye's metric at each pixel taken anew for the picture as it now is (local_metric.h):
    // CIEDE2000 between the blurred target and the blurred picture, exactly, and its pull on the
    // picture's colour, with CIELAB's slopes at that colour rounded to 5-bit sRGB levels. The
    // passes then move in straight lines from there. And the measure is the mean difference, not
    // its square: each pixel's weight is divided by its difference now, so that errors no colour
    // can mend do not rule.
    void Reweigh() {
        ShareOut(second_, 0, CanvasRows, RowsAPiece, [&](Part rows) { ReweighRows(rows); });
        // Σ K² M over the taps: K² is the product of the squared weights across and down, so the
        // sums across (of the margin's rows too) are laid out in spread_ and summed down in place,
        // the two rows above the one summed kept aside before they are overwritten.
        const auto times = [](const Metric& m, float w) { return m * w; };
        const auto plus = [](const Metric& m, const Metric& n) { return m + n; };
        const auto squared = [](float w) { return w * w; };
        ShareOut(second_, -SeenReachDown, CanvasRows + SeenReachDown, RowsAPiece, [&](Part rows) {
            for (int y = rows.first; y < rows.end; ++y) {
                for (int x = 0; x < CanvasColumns; ++x) {
                    Metric across;
                    for (int dx = -SeenReachAcross; dx <= SeenReachAcross; ++dx)
                        across = plus(across, times(metric_[Padded(x + dx, y)], squared(SeenBlurAcross[static_cast<std::size_t>(dx + SeenReachAcross)])));
                    spread_[Padded(x, y)] = across;
                }
            }
        });
        static_assert(SeenReachDown == 2, "two rows above are kept aside");
        std::array<std::vector<Metric>, 2> above{std::vector<Metric>(CanvasColumns), std::vector<Metric>(CanvasColumns)};
        for (int x = 0; x < CanvasColumns; ++x) {
            above[0][static_cast<std::size_t>(x)] = spread_[Padded(x, -2)];
            above[1][static_cast<std::size_t>(x)] = spread_[Padded(x, -1)];
        }
        for (int y = 0; y < CanvasRows; ++y) {
            std::vector<Metric>& twoUp = above[static_cast<std::size_t>(y % 2)];  // row y - 2; row y - 1 in the other
            const std::vector<Metric>& oneUp = above[static_cast<std::size_t>((y + 1) % 2)];
            for (int x = 0; x < CanvasColumns; ++x) {
                const auto column = static_cast<std::size_t>(x);
                const Metric here = spread_[Padded(x, y)];
                Metric down = times(twoUp[column], squared(SeenBlurDown[0]));
                down = plus(down, times(oneUp[column], squared(SeenBlurDown[1])));
                down = plus(down, times(here, squared(SeenBlurDown[2])));
                down = plus(down, times(spread_[Padded(x, y + 1)], squared(SeenBlurDown[3])));
                down = plus(down, times(spread_[Padded(x, y + 2)], squared(SeenBlurDown[4])));
                twoUp[column] = here;
                spread_[Padded(x, y)] = down;
            }
        }
    }

    // Reweigh's first step for some of the rows, with the thread's own scratch.
    void ReweighRows(Part rows) {
        RowScratch& scratch = *scratch_[rows.thread];
        for (int y = rows.first; y < rows.end; ++y) {
            // The row's pairs gathered side by side, measured at once, then spread back.
            for (int x = 0; x < CanvasColumns; ++x) {
                const std::size_t at = Padded(x, y);
                const auto i = static_cast<std::size_t>(x);
                const Lanes result = measuredFrom_[at] + error_[at];
                const Lab seen = LabOf(LinearRgb{result[0], result[1], result[2]});
                const LabSlopes& slopes = scratch.slopes.At({result[0], result[1], result[2]},
                                                            [](Rgb rounded) { return LabSlopesAt(LinearOf(rounded)); });
                for (std::size_t k = 0; k < 3; ++k) scratch.pairs.target[k][i] = targetLab_[at][k];
                scratch.pairs.result[0][i] = static_cast<float>(seen.l);
                scratch.pairs.result[1][i] = static_cast<float>(seen.a);
                scratch.pairs.result[2][i] = static_cast<float>(seen.b);
                for (std::size_t k = 0; k < 9; ++k) scratch.pairs.slopes[k][i] = slopes.rows[k / 3][k % 3];
                scratch.slopesOf[i] = &slopes;
            }
            MeasurePairs(scratch.pairs, CanvasColumns);
            for (int x = 0; x < CanvasColumns; ++x) {
                const std::size_t at = Padded(x, y);
                const auto i = static_cast<std::size_t>(x);
                // The difference as CIELAB has it, exactly, taken back to linear light at the
                // picture's colour: the running error the passes' linear steps start from until
                // the next reweighing.
                std::array<float, 3> d{};
                for (std::size_t k = 0; k < 3; ++k) d[k] = scratch.pairs.result[k][i] - scratch.pairs.target[k][i];
                const Lanes modelled = LanesOf(scratch.slopesOf[i]->StepOf(d));
                measuredFrom_[at] = measuredFrom_[at] + error_[at] - modelled;
                error_[at] = modelled;
                LocalMetric local;
                for (std::size_t k = 0; k < 6; ++k) local.m[k] = scratch.pairs.metric[k][i];
                const Metric metric = MetricOf(local) * (1.0f / std::max(scratch.pairs.difference[i], LeastDifference));
                metric_[at] = metric;
                weighted_[at] = metric.Times(modelled);
            }
        }
    }

    static void BlurInto(const std::vector<Lanes>& from, std::vector<Lanes>& into, SecondThread* second) {
        ShareOut(second, 0, CanvasRows, RowsAPiece, [&](Part rows) {
            for (int y = rows.first; y < rows.end; ++y) {
                for (int x = 0; x < CanvasColumns; ++x) {
                    const std::size_t at = Padded(x, y);
                    Lanes sum{};
                    for (const Tap& t : Taps) sum += t.weight * from[static_cast<std::size_t>(static_cast<std::ptrdiff_t>(at) + t.offset)];
                    into[at] = sum;
                }
            }
        });
    }

    // The error's weighed sum over the taps around the pixel: the first-order pull on it.
    Lanes PullAt(int x, int y) const {
        const std::size_t at = Padded(x, y);
        Lanes pull{};
        for (const Tap& t : Taps) pull += t.weight * weighted_[static_cast<std::size_t>(static_cast<std::ptrdiff_t>(at) + t.offset)];
        return pull;
    }
    // The change of cost were the pixel, whose pull is given, to take colour c.
    float GainOf(int x, int y, Lanes pull, std::uint8_t c) const {
        const Lanes step = shown_[c] - shown_[(*canvas_)[CanvasIndex(x, y)]];
        return SumOf(step * (2.0f * pull + spread_[Padded(x, y)].Times(step)));
    }
    // The change of cost were the pixel to take each of the sixteen colours, side by side: with
    // n the colour now and S the spread metric, colour c changes the cost by
    // cᵀ S c + c·(2 pull - 2 S n) - (nᵀ S n + n·(2 pull - 2 S n)), a sum of nine terms of c.
    void GainsOf(int x, int y, Lanes pull, std::array<float, 16>& gains) const {
        const std::uint8_t now = (*canvas_)[CanvasIndex(x, y)];
        const Metric& s = spread_[Padded(x, y)];
        const Lanes n = shown_[now];
        const Lanes toward = 2.0f * (pull - s.Times(n));
        const std::array<float, PaletteTerms> by{s.r[0], s.g[1], s.g[3], s.r[1], s.r[2], s.r[3], toward[0], toward[1], toward[2]};
        const float base = SumOf(n * (s.Times(n) + toward));
        for (std::size_t q = 0; q < Quarters; ++q) {
            Lanes sum = Lanes{} - base;
            for (std::size_t k = 0; k < PaletteTerms; ++k) sum += by[k] * terms_[k][q];
            for (std::size_t i = 0; i < 4; ++i) gains[4 * q + i] = sum[i];
        }
        gains[now] = 0;
    }
    void Set(int x, int y, std::uint8_t c) {
        const Lanes step = shown_[c] - shown_[(*canvas_)[CanvasIndex(x, y)]];
        (*canvas_)[CanvasIndex(x, y)] = c;
        const std::size_t at = Padded(x, y);
        for (const Tap& t : Taps) {
            const auto near = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(at) + t.offset);
            error_[near] += t.weight * step;
            weighted_[near] = metric_[near].Times(error_[near]);
        }
        // The cells whose pixels' pulls this moved.
        for (const int ny : {std::max(y - SeenReachDown, 0), std::min(y + SeenReachDown, CanvasRows - 1)}) {
            for (const int nx : {std::max(x - SeenReachAcross, 0), std::min(x + SeenReachAcross, CanvasColumns - 1)}) {
                pixelsToVisit_[static_cast<std::size_t>(CellOf(nx, ny))].store(true, std::memory_order_relaxed);
                cellsToVisit_[static_cast<std::size_t>(CellOf(nx, ny))].store(true, std::memory_order_relaxed);
            }
        }
    }
    std::uint8_t At(int x, int y) const { return (*canvas_)[CanvasIndex(x, y)]; }
    bool Inside(int x, int y) const { return target_->Inside(NearestTarget::At(x, y)); }

    // Whether anything near the cell moved since the pass of that kind last looked; clears it.
    bool TakePixelVisit(int cell) { return Take(pixelsToVisit_[static_cast<std::size_t>(cell)]); }
    bool TakeCellVisit(int cell) { return Take(cellsToVisit_[static_cast<std::size_t>(cell)]); }

private:
    const NearestTarget* target_ = nullptr;
    Canvas* canvas_ = nullptr;
    SecondThread* second_ = nullptr;
    std::array<Lanes, 16> shown_{};
    // What each thread needs of its own while it reweighs rows: the slopes met so far, the
    // row's pairs and where its slopes are.
    struct RowScratch {
        LevelTable<LabSlopes> slopes;
        Pairs pairs;
        std::array<const LabSlopes*, CanvasColumns> slopesOf{};
    };
    std::array<std::unique_ptr<RowScratch>, 2> scratch_{std::make_unique<RowScratch>(), std::make_unique<RowScratch>()};
    std::vector<Lanes> targetLab_ = std::vector<Lanes>(PaddedCount);
    // The sixteen colours' terms of a gain, each for all sixteen side by side (four blocks of
    // four): rr, gg, bb, 2rg, 2rb, 2gb (the quadratic form's), r, g, b (the linear part's).
    static constexpr std::size_t PaletteTerms = 9;
    static constexpr std::size_t Quarters = 4;
    std::array<std::array<Lanes, Quarters>, PaletteTerms> terms_{};
    std::vector<Metric> metric_ = std::vector<Metric>(PaddedCount);
    std::vector<Metric> spread_ = std::vector<Metric>(PaddedCount);
    // What the running error is measured from: the blurred target, moved at each reweighing so
    // that the error is CIELAB's exact difference taken to linear light (blurred target and
    // error still sum to the blurred picture).
    std::vector<Lanes> measuredFrom_ = std::vector<Lanes>(PaddedCount);
    std::vector<Lanes> error_ = std::vector<Lanes>(PaddedCount);
    std::vector<Lanes> weighted_ = std::vector<Lanes>(PaddedCount);
    // Marks that the two threads of a pass may both set at once, each from a neighbouring row
    // (PassOverCells): atomic, though never raced for what they mean (a cell's visit, which
    // reads its marks, comes after every visit that may set them).
    using Mark = std::atomic<bool>;
    static bool Take(Mark& mark) {
        if (!mark.load(std::memory_order_relaxed)) return false;
        mark.store(false, std::memory_order_relaxed);
        return true;
    }
    std::array<Mark, CellCount> pixelsToVisit_{};
    std::array<Mark, CellCount> cellsToVisit_{};
};

namespace {

constexpr int CellPixels = 32;
// Pixel p (0 to 31, row by row) of a cell, on the screen.
struct ScreenPixel {
    int x;
    int y;
};
constexpr ScreenPixel PixelOf(int cell, int p) { return {4 * (cell % CellColumns) + p % 4, 8 * (cell / CellColumns) + p / 4}; }

// Each pixel of the cell takes whichever colour of the cell lowers the cost most (one that is
// not kept must go). The summed change of cost.
float SettleCell(SeenError& seen, int cell, ColourSet set) {
    const KeptColours kept = KeptOf(set);
    float total = 0;
    for (int p = 0; p < CellPixels; ++p) {
        const auto [x, y] = PixelOf(cell, p);
        if (!seen.Inside(x, y)) continue;
        const Lanes pull = seen.PullAt(x, y);
        const std::uint8_t now = seen.At(x, y);
        std::uint8_t best = now;
        float bestGain = Holds(set, now) ? -LeastGain : std::numeric_limits<float>::max();
        for (std::size_t k = 0; k < kept.count; ++k) {
            if (kept.colours[k] == now) continue;
            if (const float gain = seen.GainOf(x, y, pull, kept.colours[k]); gain < bestGain) {
                bestGain = gain;
                best = kept.colours[k];
            }
        }
        if (best != now) {
            seen.Set(x, y, best);
            total += bestGain;
        }
    }
    return total;
}

// A pass visits the cells row by row, each row from left to right, as one thread would; with a
// second thread, each takes the next row not yet taken, a row behind the other. A cell's visit
// reads and moves the seen error no further than the blur reaches beyond its own pixels, which
// is within its eight neighbours: so a cell is visited once the row above has visited the cell
// above it and the one above to its right, and every two visits that touch the same pixel come
// in the order one thread gives them. The picture is the same bit for bit, one thread or two.
// Rows are taken, not dealt: while the second thread has no core to run on, this one goes on
// alone.
constexpr int CellHeight = CanvasRows / CellRows;
constexpr int CellWidth = CanvasColumns / CellColumns;
static_assert(2 * SeenReachDown < CellHeight && 2 * SeenReachAcross < CellWidth, "a visit reaches only the neighbours");

// visit(cell): whether the cell changed. Whether any did.
template <typename Visit>
bool PassOverCells(SecondThread& second, const Visit& visit) {
    std::array<std::atomic<int>, CellRows> visited{};  // each row's cells visited so far
    std::atomic<int> nextRow = 0;
    std::array<bool, 2> changed{};
    const auto rows = [&](std::size_t thread) {
        for (int row = nextRow.fetch_add(1); row < CellRows; row = nextRow.fetch_add(1)) {
            for (int column = 0; column < CellColumns; ++column) {
                if (row > 0) WaitUntilAtLeast(visited[static_cast<std::size_t>(row - 1)], std::min(column + 2, CellColumns));
                changed[thread] = visit(row * CellColumns + column) || changed[thread];
                visited[static_cast<std::size_t>(row)].store(column + 1, std::memory_order_release);
            }
        }
    };
    second.SideBySide([&] { rows(0); }, [&] { rows(1); });
    return changed[0] || changed[1];
}

// Every cell near a change settles its pixels. Whether anything changed.
bool PixelPass(SecondThread& second, SeenError& seen, const CellColourSets& sets) {
    return PassOverCells(second, [&](int cell) {
        return seen.TakePixelVisit(cell) && SettleCell(seen, cell, sets[static_cast<std::size_t>(cell)]) < 0;
    });
}

// The best set for the cell by estimate: every colour tried in place of each of the cell's own
// (besides the background; added, while the cell has room), each pixel then taking the best of
// the set as if the others stayed. The set as it is when nothing promises better.
ColourSet BestSetEstimate(const SeenError& seen, int cell, ColourSet now, ColourSet usable, std::uint8_t background) {
    std::array<std::array<float, 16>, CellPixels> gain{};  // gain[i][c]: pixel i taking colour c
    int count = 0;
    for (int p = 0; p < CellPixels; ++p) {
        const auto [x, y] = PixelOf(cell, p);
        if (!seen.Inside(x, y)) continue;
        seen.GainsOf(x, y, seen.PullAt(x, y), gain[static_cast<std::size_t>(count++)]);
    }
    if (count == 0) return now;
    const auto pixels = static_cast<std::size_t>(count);
    // Each pixel's best within a set, for the set as it is and for it without each of its own
    // colours but the background: a trial's estimate is then one minimum a pixel.
    const auto bestWithin = [&](ColourSet set) {
        std::array<float, CellPixels> best{};
        for (std::size_t i = 0; i < pixels; ++i) {
            best[i] = std::numeric_limits<float>::max();
            for (ColourSet s = set; s != 0; s &= static_cast<ColourSet>(s - 1))
                best[i] = std::min(best[i], gain[i][static_cast<std::size_t>(std::countr_zero(s))]);
        }
        return best;
    };
    const auto estimate = [&](const std::array<float, CellPixels>& within, std::uint8_t add) {
        float sum = 0;
        for (std::size_t i = 0; i < pixels; ++i) sum += std::min(within[i], gain[i][add]);
        return sum;
    };
    const std::array<float, CellPixels> kept = bestWithin(now);
    float keptSum = 0;
    for (std::size_t i = 0; i < pixels; ++i) keptSum += kept[i];
    // The colours some pixel would rather take than its best within the set, four at a time: a
    // colour no pixel would rather take cannot make the cell nearer.
    std::array<bool, 16> wanted{};
    for (std::size_t i = 0; i < pixels; ++i) {
        for (std::size_t c = 0; c < wanted.size(); ++c) wanted[c] = wanted[c] || gain[i][c] < kept[i];
    }
    const auto others = static_cast<ColourSet>(now & ~(1u << background));
    const bool full = std::popcount(others) >= 3;
    std::array<std::array<float, CellPixels>, 3> without{};
    std::array<std::uint8_t, 3> dropped{};
    std::size_t droppable = 0;
    for (ColourSet s = full ? others : ColourSet{0}; s != 0; s &= static_cast<ColourSet>(s - 1)) {
        dropped[droppable] = static_cast<std::uint8_t>(std::countr_zero(s));
        without[droppable] = bestWithin(static_cast<ColourSet>(now & ~(1u << dropped[droppable])));
        ++droppable;
    }
    ColourSet best = now;
    float bestEstimate = keptSum - LeastGain;
    for (std::uint8_t add = 0; add < 16; ++add) {
        if (!Holds(usable, add) || Holds(now, add) || !wanted[add]) continue;
        const auto with = static_cast<ColourSet>(now | 1u << add);
        if (!full) {
            if (const float e = estimate(kept, add); e < bestEstimate) bestEstimate = e, best = with;
            continue;
        }
        for (std::size_t k = 0; k < droppable; ++k) {
            if (const float e = estimate(without[k], add); e < bestEstimate)
                bestEstimate = e, best = static_cast<ColourSet>(with & ~(1u << dropped[k]));
        }
    }
    return best;
}

// Every cell near a change tries its best set by estimate, made pixel by pixel with the exact
// costs and kept if the cost went down. Whether any cell changed.
bool CellPass(SecondThread& second, SeenError& seen, ColourSet usable, std::uint8_t background, CellColourSets& sets) {
    return PassOverCells(second, [&](int cell) {
        if (!seen.TakeCellVisit(cell)) return false;
        ColourSet& set = sets[static_cast<std::size_t>(cell)];
        const ColourSet trial = BestSetEstimate(seen, cell, set, usable, background);
        if (trial == set) return false;
        std::array<std::uint8_t, CellPixels> before{};
        for (int p = 0; p < CellPixels; ++p) before[static_cast<std::size_t>(p)] = seen.At(PixelOf(cell, p).x, PixelOf(cell, p).y);
        if (SettleCell(seen, cell, trial) < 0) {
            set = trial;
            return true;
        }
        for (int p = 0; p < CellPixels; ++p) {
            const auto [x, y] = PixelOf(cell, p);
            if (seen.At(x, y) != before[static_cast<std::size_t>(p)]) seen.Set(x, y, before[static_cast<std::size_t>(p)]);
        }
        return false;
    });
}

// Rounds of settling pixels, then cells; the metric taken anew after the first, once the picture
// has moved from the dither (again after a later round it misleads the last: the picture moves
// away from what the round before weighed). Measured over 72 photographs and drawings
// (docs/performance.md): the first round brings most of the gain, the second most of the rest,
// a third 1.3 % more on the 36 not tuned on, for an eighth more instructions; a fourth 0.2 %.
constexpr int Rounds = 3;
constexpr int PixelPassesPerRound = 2;

}  // namespace

SeenRefinement::SeenRefinement() : seen_(std::make_unique<SeenError>()) {}
SeenRefinement::~SeenRefinement() = default;

void SeenRefinement::SeeTarget(const NearestTarget& target, const ShownColours& shown, std::uint8_t background,
                               SecondThread* second) {
    seen_->SeeTarget(target, shown, background, second);
    background_ = background;
}

void SeenRefinement::Refine(const ModeColours& mode, CellColourSets& sets, Canvas& canvas, SecondThread& second) {
    SeenError& seen = *seen_;
    seen.SeePicture(canvas, second);
    const auto usable = static_cast<ColourSet>(mode.cellColours | 1u << background_);
    for (int round = 0; round < Rounds; ++round) {
        for (int pass = 0; pass < PixelPassesPerRound && PixelPass(second, seen, sets); ++pass) {
        }
        if (!CellPass(second, seen, usable, background_, sets)) break;
        if (round == 0) seen.Reweigh();
    }
    PixelPass(second, seen, sets);
}

void RefineAsSeen(const NearestTarget& target, const ShownColours& shown, const ModeColours& mode,
                  std::uint8_t background, CellColourSets& sets, Canvas& canvas, SecondThread& second) {
    SeenRefinement refinement;
    refinement.SeeTarget(target, shown, background, &second);
    refinement.Refine(mode, sets, canvas, second);
}

}  // namespace pxm
