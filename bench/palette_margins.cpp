// The figures behind the palette recognition's distance and limit (docs/architecture.md): each
// candidate measure tried on the published palettes matched as if unlisted, on perturbed copies
// of them (lighter, saturation halved or half as much again), and on foreign colours (a hue turned,
// a lightness step moved). For each it prints how many colours got a wrong number, the largest
// distance a right picture needs and the least a foreign colour reaches: the margins a limit has.
//   palette_margins [--limit DISTANCE] [CHROMA_SLOPE HUE_SLOPE fitted|plain]...
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "core/import/cielab.h"
#include "core/import/colour_assignment.h"
#include "core/import/palette_distance.h"
#include "core/import/palette_match.h"
#include "core/palette/c64_palettes.h"

namespace {

using namespace pxm;
using Colours = std::array<Rgb, 16>;

struct Measure {
    double chroma;  // DistanceWeights: the slopes of S_C and S_H
    double hue;
    bool fitted;    // the palette made lighter or darker and more or less saturated to fit first
};

// The palette's entry made lighter (white kept) or darker (black kept) by `shift` and its chroma
// scaled by `scale`.
Lab Adjusted(const Lab& e, double shift, double scale) {
    const double l = shift >= 0 ? e.l + shift * (1 - e.l / 100) : e.l + shift * e.l / 100;
    return {l, e.a * scale, e.b * scale};
}

constexpr double MaxShift = 25, MinScale = 0.5, MaxScale = 1.6;

// The least-squares shift and scale that take the entries to the colours.
void Fit(const std::vector<Lab>& colours, const std::vector<Lab>& entries, double& shift, double& scale) {
    double num = 0, den = 0;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        num += colours[i].a * entries[i].a + colours[i].b * entries[i].b;
        den += entries[i].a * entries[i].a + entries[i].b * entries[i].b;
    }
    scale = den > 1e-9 ? std::clamp(num / den, MinScale, MaxScale) : 1.0;
    double bestResidual = 1e300;
    for (const int side : {1, -1}) {
        double wd = 0, ww = 0;
        for (std::size_t i = 0; i < colours.size(); ++i) {
            const double w = side > 0 ? 1 - entries[i].l / 100 : entries[i].l / 100;
            wd += w * (colours[i].l - entries[i].l);
            ww += w * w;
        }
        double s = ww > 1e-9 ? wd / ww : 0;
        s = side > 0 ? std::clamp(s, 0.0, MaxShift) : std::clamp(s, -MaxShift, 0.0);
        double residual = 0;
        for (std::size_t i = 0; i < colours.size(); ++i) {
            const double d = colours[i].l - Adjusted(entries[i], s, 1).l;
            residual += d * d;
        }
        if (residual < bestResidual) bestResidual = residual, shift = s;
    }
}

double Distance2(const Lab& x, const Lab& y, const Measure& m) {
    return PaletteDistanceSquared(x, y, {m.chroma, m.hue});
}

// An sRGB colour from CIELAB (clipped into the cube).
Rgb RgbOf(const Lab& lab) {
    const double fy = (lab.l + 16) / 116, fx = fy + lab.a / 500, fz = fy - lab.b / 200;
    const auto inv = [](double f) { return f * f * f > 216.0 / 24389 ? f * f * f : (116 * f - 16) / (24389.0 / 27); };
    const double x = inv(fx) * 0.95047, y = inv(fy), z = inv(fz) * 1.08883;
    const double lin[3] = {3.2404542 * x - 1.5371385 * y - 0.4985314 * z, -0.9692660 * x + 1.8760108 * y + 0.0415560 * z,
                           0.0556434 * x - 0.2040259 * y + 1.0572252 * z};
    std::uint8_t c[3];
    for (int i = 0; i < 3; ++i) {
        const double v = std::clamp(lin[i], 0.0, 1.0);
        c[i] = static_cast<std::uint8_t>(std::lround(255 * (v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055)));
    }
    return {c[0], c[1], c[2]};
}

// HSL lightness raised by `amount` of 255, hue and saturation kept: a paint program's slider.
Rgb Lighter(Rgb c, int amount) {
    const double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
    const double hi = std::max({r, g, b}), lo = std::min({r, g, b});
    const double l = (hi + lo) / 2, d = hi - lo;
    const double s = d == 0 ? 0 : d / (1 - std::abs(2 * l - 1));
    const double l2 = std::min(1.0, l + amount / 255.0);
    const double k = (1 - std::abs(2 * l2 - 1)) * s;  // new max - min
    const double scale = d == 0 ? 0 : k / d;
    const double mid = (hi + lo) / 2;
    const auto ch = [&](double v) { return static_cast<std::uint8_t>(std::lround(255 * std::clamp(l2 + (v - mid) * scale, 0.0, 1.0))); };
    return {ch(r), ch(g), ch(b)};
}

Rgb Saturation(Rgb c, double factor) {
    const Lab lab = LabOf(c);
    return RgbOf({lab.l, lab.a * factor, lab.b * factor});
}

// The colour of that CIELAB value, when sRGB has it (within 2): a foreign colour the cube clips is
// no longer the one meant.
std::optional<Rgb> InGamut(const Lab& lab) {
    const Rgb rgb = RgbOf(lab);
    if (std::sqrt(LabDistanceSquared(LabOf(rgb), lab)) > 2) return std::nullopt;
    return rgb;
}

constexpr double Pi = 3.14159265358979;

struct Outcome {
    bool right = true;  // every colour on its own number
    double farthest = 0;
};

// The picture's colours (colour n at position n, but the number `absent`) against the palettes
// but `skip`.
Outcome Match(const Colours& colours, const Measure& m, std::size_t skip, std::size_t absent = 16) {
    std::vector<std::size_t> numbers;
    for (std::size_t c = 0; c < 16; ++c) {
        if (c != absent) numbers.push_back(c);
    }
    std::vector<EntryCosts> rows(numbers.size());
    std::vector<Lab> labs;
    for (const std::size_t c : numbers) labs.push_back(LabOf(colours[c]));
    double bestTotal = 1e300;
    Outcome best;
    for (std::size_t p = 0; p < C64Palettes.size(); ++p) {
        if (p == skip) continue;
        double shift = 0, scale = 1;
        std::optional<Assignment> assignment;
        std::vector<Lab> entries;
        for (int round = 0; round < (m.fitted ? 3 : 1); ++round) {
            for (std::size_t i = 0; i < labs.size(); ++i) {
                for (std::size_t e = 0; e < 16; ++e)
                    rows[i][e] = Distance2(labs[i], Adjusted(LabOf(C64Palettes[p].colours[e]), shift, scale), m);
            }
            assignment = LeastCostAssignment(rows, m.fitted ? 1e300 : bestTotal);
            if (!assignment || !m.fitted) break;
            entries.clear();
            for (std::size_t i = 0; i < labs.size(); ++i) entries.push_back(LabOf(C64Palettes[p].colours[assignment->entryOf[i]]));
            Fit(labs, entries, shift, scale);
        }
        if (!assignment || assignment->total >= bestTotal) continue;
        bestTotal = assignment->total;
        best = {};
        for (std::size_t i = 0; i < labs.size(); ++i) {
            best.right = best.right && assignment->entryOf[i] == numbers[i];
            best.farthest = std::max(best.farthest, std::sqrt(rows[i][assignment->entryOf[i]]));
        }
    }
    return best;
}

struct Margin {
    const char* name;
    int wrong = 0;
    double worst = 0;  // accepted: the largest; foreign: the least
    std::string where;
    int cases = 0;
    int beyond = 0;  // cases whose farthest colour lies beyond the limit (refused)
};

double limit = ForeignColourDistance;

constexpr std::size_t None = ~std::size_t{0};

void Report(const Measure& m) {
    Margin unlisted{"unlisted (each against the other 34)", 0, 0, {}};
    Margin lighter10{"lighter by 10 (HSL, of 255)", 0, 0, {}};
    Margin lighter25{"lighter by 25", 0, 0, {}};
    Margin lighter40{"lighter by 40", 0, 0, {}};
    Margin real{"vice with green #79D570", 0, 0, {}};
    Margin teal{"foreign: vice with teal #109076 for cyan", 0, 1e9, {}};
    Margin saturation{"saturation x0.5 and x1.5", 0, 0, {}};
    Margin hue{"foreign: a hue turned 90 or 180 degrees (C >= 30)", 0, 1e9, {}};
    Margin step{"foreign: one colour 25 lighter or darker", 0, 1e9, {}};
    Margin tinted{"foreign: a grey given chroma 30 (four hues)", 0, 1e9, {}};
    const auto accepted = [](Margin& margin, const Outcome& o, const std::string& where) {
        margin.wrong += o.right ? 0 : 1;
        ++margin.cases;
        margin.beyond += o.farthest > limit ? 1 : 0;
        if (o.farthest > margin.worst) margin.worst = o.farthest, margin.where = where;
    };
    const auto foreign = [](Margin& margin, const Outcome& o, const std::string& where) {
        ++margin.cases;
        margin.beyond += o.farthest > limit ? 1 : 0;
        if (o.farthest < margin.worst) margin.worst = o.farthest, margin.where = where;
    };
    for (std::size_t p = 0; p < C64Palettes.size(); ++p) {
        const Colours& own = C64Palettes[p].colours;
        const std::string name(C64Palettes[p].name);
        accepted(unlisted, Match(own, m, p), name);
        for (const int amount : {10, 25, 40}) {
            Colours c = own;
            for (Rgb& rgb : c) rgb = Lighter(rgb, amount);
            accepted(amount == 10 ? lighter10 : amount == 25 ? lighter25 : lighter40, Match(c, m, None), name);
        }
        for (const double factor : {0.5, 1.5}) {
            Colours c = own;
            for (Rgb& rgb : c) rgb = Saturation(rgb, factor);
            accepted(saturation, Match(c, m, None), name + " x" + std::to_string(factor));
        }
        for (std::size_t e = 0; e < 16; ++e) {
            const Lab lab = LabOf(own[e]);
            const std::string where = name + " colour " + std::to_string(e);
            const auto tryForeign = [&](Margin& margin, const Lab& moved, const std::string& how) {
                const std::optional<Rgb> rgb = InGamut(moved);
                if (!rgb) return;
                Colours c = own;
                c[e] = *rgb;
                foreign(margin, Match(c, m, None), where + how);
            };
            const double chroma = std::hypot(lab.a, lab.b);
            for (const double degrees : {0.0, 90.0, 180.0, 270.0}) {
                const double t = degrees * Pi / 180;
                if (chroma < 10) tryForeign(tinted, {lab.l, 30 * std::cos(t), 30 * std::sin(t)}, "");
                if (chroma >= 30 && degrees >= 90 && degrees <= 180)
                    tryForeign(hue, {lab.l, lab.a * std::cos(t) - lab.b * std::sin(t), lab.a * std::sin(t) + lab.b * std::cos(t)}, "");
            }
            for (const double by : {-25.0, 25.0}) tryForeign(step, {lab.l + by, lab.a, lab.b}, by > 0 ? " lighter" : " darker");
        }
    }
    Colours vice = C64Palettes[0].colours;
    vice[5] = {0x79, 0xD5, 0x70};
    accepted(real, Match(vice, m, None), "listed");
    accepted(real, Match(vice, m, 0), "unlisted");
    accepted(real, Match(vice, m, None, 13), "without light green");
    vice = C64Palettes[0].colours;
    vice[3] = {0x10, 0x90, 0x76};
    foreign(teal, Match(vice, m, None), "listed");
    std::printf("S_C = 1 + %.3f C*, S_H = 1 + %.3f C*%s; refused beyond %.1f\n", m.chroma, m.hue,
                m.fitted ? ", palette fitted" : "", limit);
    for (const Margin* margin : {&unlisted, &lighter10, &lighter25, &lighter40, &saturation, &real, &hue, &step, &tinted, &teal})
        std::printf("  %-52s wrong %3d  refused %3d of %3d  %s %5.1f (%s)\n", margin->name, margin->wrong, margin->beyond,
                    margin->cases, margin == &hue || margin == &step || margin == &tinted || margin == &teal ? "least  " : "largest",
                    margin->worst, margin->where.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<Measure> measures;
    int i = 1;
    if (argc > 1 && std::string(argv[1]) == "--limit" && argc > 2) limit = std::atof(argv[2]), i = 3;
    for (; i + 2 < argc; i += 3) measures.push_back({std::atof(argv[i]), std::atof(argv[i + 1]), argv[i + 2][0] == 'f'});
    if (measures.empty()) measures = {{0, 0, false}, {0.045, 0.015, false}, {0.045, 0.015, true}};
    for (const Measure& m : measures) Report(m);
}
