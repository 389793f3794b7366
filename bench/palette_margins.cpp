// The figures behind the palette recognition's distance and limit (docs/architecture.md): each
// candidate measure tried on the published palettes matched as if unlisted, on perturbed copies
// of them (lighter, saturation halved or half as much again), and on foreign colours (a hue turned,
// a lightness step moved). For each it prints how many colours got a wrong number, the largest
// distance a right picture needs and the least a foreign colour reaches: the margins a limit has.
//   palette_margins [CHROMA_WEIGHT HUE_WEIGHT fitted|plain]...
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
#include "core/palette/c64_palettes.h"

namespace {

using namespace pxm;
using Colours = std::array<Rgb, 16>;

struct Measure {
    double chroma;  // a chroma difference counts 1/chroma of a lightness difference
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
    return PaletteDistanceSquared(x, y, {1 / m.chroma, 1 / m.hue});
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

Rgb HueTurned(Rgb c, double degrees) {
    const Lab lab = LabOf(c);
    const double t = degrees * 3.14159265358979 / 180;
    return RgbOf({lab.l, lab.a * std::cos(t) - lab.b * std::sin(t), lab.a * std::sin(t) + lab.b * std::cos(t)});
}

Rgb LightnessMoved(Rgb c, double by) {
    const Lab lab = LabOf(c);
    return RgbOf({lab.l + by, lab.a, lab.b});
}

struct Outcome {
    bool right = true;  // every colour on its own number
    double farthest = 0;
};

// The picture's sixteen colours (colour n at position n) against the palettes but `skip`.
Outcome Match(const Colours& colours, const Measure& m, std::size_t skip) {
    std::vector<EntryCosts> rows(16);
    double bestTotal = 1e300;
    Outcome best;
    for (std::size_t p = 0; p < C64Palettes.size(); ++p) {
        if (p == skip) continue;
        double shift = 0, scale = 1;
        std::optional<Assignment> assignment;
        std::vector<Lab> labs, entries;
        for (std::size_t c = 0; c < 16; ++c) labs.push_back(LabOf(colours[c]));
        for (int round = 0; round < (m.fitted ? 3 : 1); ++round) {
            for (std::size_t c = 0; c < 16; ++c) {
                for (std::size_t e = 0; e < 16; ++e)
                    rows[c][e] = Distance2(labs[c], Adjusted(LabOf(C64Palettes[p].colours[e]), shift, scale), m);
            }
            assignment = LeastCostAssignment(rows, m.fitted ? 1e300 : bestTotal);
            if (!assignment || !m.fitted) break;
            entries.clear();
            for (std::size_t c = 0; c < 16; ++c) entries.push_back(LabOf(C64Palettes[p].colours[assignment->entryOf[c]]));
            Fit(labs, entries, shift, scale);
        }
        if (!assignment || assignment->total >= bestTotal) continue;
        bestTotal = assignment->total;
        best = {};
        for (std::size_t c = 0; c < 16; ++c) {
            best.right = best.right && assignment->entryOf[c] == c;
            best.farthest = std::max(best.farthest, std::sqrt(rows[c][assignment->entryOf[c]]));
        }
    }
    return best;
}

struct Margin {
    const char* name;
    int wrong = 0;
    double worst = 0;  // accepted: the largest; foreign: the least
    std::string where;
};

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
    Margin step{"foreign: one colour a lightness step (12) off", 0, 1e9, {}};
    const auto accepted = [](Margin& margin, const Outcome& o, const std::string& where) {
        margin.wrong += o.right ? 0 : 1;
        if (o.farthest > margin.worst) margin.worst = o.farthest, margin.where = where;
    };
    const auto foreign = [](Margin& margin, const Outcome& o, const std::string& where) {
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
            if (std::hypot(lab.a, lab.b) >= 30) {
                for (const double degrees : {90.0, 180.0}) {
                    Colours c = own;
                    c[e] = HueTurned(own[e], degrees);
                    foreign(hue, Match(c, m, None), where);
                }
            }
            for (const double by : {-12.0, 12.0}) {
                if (lab.l + by < 0 || lab.l + by > 100) continue;
                Colours c = own;
                c[e] = LightnessMoved(own[e], by);
                foreign(step, Match(c, m, None), where + (by > 0 ? " lighter" : " darker"));
            }
        }
    }
    Colours vice = C64Palettes[0].colours;
    vice[5] = {0x79, 0xD5, 0x70};
    accepted(real, Match(vice, m, None), "listed");
    accepted(real, Match(vice, m, 0), "unlisted");
    vice = C64Palettes[0].colours;
    vice[3] = {0x10, 0x90, 0x76};
    foreign(teal, Match(vice, m, None), "listed");
    std::printf("chroma weight 1/%.2f, hue weight 1/%.2f%s\n", m.chroma, m.hue, m.fitted ? ", palette fitted" : "");
    for (const Margin* margin : {&unlisted, &lighter10, &lighter25, &lighter40, &saturation, &real, &hue, &step, &teal})
        std::printf("  %-52s wrong %3d  %s %5.1f (%s)\n", margin->name, margin->wrong,
                    margin == &hue || margin == &step || margin == &teal ? "least  " : "largest", margin->worst, margin->where.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<Measure> measures;
    for (int i = 1; i + 2 < argc; i += 3) measures.push_back({std::atof(argv[i]), std::atof(argv[i + 1]), argv[i + 2][0] == 'f'});
    if (measures.empty()) measures = {{1, 1, false}, {2, 1.5, false}, {2, 1.5, true}};
    for (const Measure& m : measures) Report(m);
}
