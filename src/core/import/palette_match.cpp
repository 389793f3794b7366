#include "core/import/palette_match.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <unordered_map>

#include "core/import/cielab.h"
#include "core/import/colour_assignment.h"

namespace pxm {

namespace {

constexpr double Squared(double d) { return d * d; }

// The distinct colours of the area in the order the picture first shows them, and for every
// pixel which of them it has. A palette takes at most sixteen colours, so a byte tells which as
// long as a match can succeed; past 256 colours the bytes mean nothing and are not used.
struct UsedColours {
    std::vector<ColourAt> colours;
    std::vector<std::uint8_t> ofPixel;
};

UsedColours CollectColours(const DecodedPicture& picture, const PictureArea& area) {
    UsedColours used;
    used.ofPixel.resize(static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height));
    std::uint8_t* ofPixel = used.ofPixel.data();
    std::unordered_map<std::uint32_t, std::uint32_t> known;
    // A painting has few colours, each pixel twice: the pixel before and a small cache in front
    // of the map answer nearly every pixel.
    struct Slot {
        std::uint32_t key = 0xFFFFFFFF;  // no colour: keys have 24 bits
        std::uint32_t index = 0;
    };
    std::array<Slot, 256> cache{};
    Slot before;
    for (int y = area.top; y < area.top + area.height; ++y) {
        const Rgb* row = picture.rgb.data() + picture.At(area.left, y);
        for (int x = 0; x < area.width; ++x) {
            const std::uint32_t key = Packed(row[x]);
            if (key != before.key) {
                Slot& slot = cache[(key * 2654435761u) >> 24];
                if (slot.key != key) {
                    const auto [it, added] = known.try_emplace(key, static_cast<std::uint32_t>(used.colours.size()));
                    if (added) used.colours.push_back({row[x], area.left + x, y});
                    slot = {key, it->second};
                }
                before = slot;
            }
            *ofPixel++ = static_cast<std::uint8_t>(before.index);
        }
    }
    return used;
}

using PaletteLab = std::array<Lab, PaletteEntries>;

// The known palettes' entries in CIELAB, worked out once.
const std::array<PaletteLab, C64Palettes.size()>& PaletteLabs() {
    static const auto labs = [] {
        std::array<PaletteLab, C64Palettes.size()> all{};
        for (std::size_t p = 0; p < C64Palettes.size(); ++p) {
            for (std::size_t e = 0; e < PaletteEntries; ++e) all[p][e] = LabOf(C64Palettes[p].colours[e]);
        }
        return all;
    }();
    return labs;
}

// The palettes a match looks at: every known one (AUTO) or the one named.
struct Palettes {
    std::size_t first = 0;
    std::size_t end = 0;
};

struct Fit {
    std::size_t palette = 0;
    Assignment assignment;  // by position in the colours fitted
};

// The palette whose entries take the colours at the least total cost; on a tie the one listed first.
Fit BestFit(const Palettes& palettes, std::span<const Lab> colours) {
    const auto& labs = PaletteLabs();
    std::array<EntryCosts, MaxPictureColours> rows;
    std::optional<Fit> best;
    for (std::size_t p = palettes.first; p < palettes.end; ++p) {
        const double below = best ? best->assignment.total : std::numeric_limits<double>::infinity();
        // Each colour costs at least its cheapest entry: a palette whose cheapest entries alone
        // reach the best total so far is left as soon as they do (after pepto, every palette
        // for a picture in pepto).
        double cheapest = 0;
        std::size_t c = 0;
        for (; c < colours.size() && cheapest < below; ++c) {
            for (std::size_t e = 0; e < PaletteEntries; ++e) rows[c][e] = LabDistanceSquared(colours[c], labs[p][e]);
            cheapest += *std::min_element(rows[c].begin(), rows[c].end());
        }
        if (cheapest >= below) continue;
        if (auto assignment = LeastCostAssignment(std::span(rows).first(colours.size()), below)) {
            best = Fit{p, *assignment};
        }
    }
    return *best;
}

double EntryDistanceSquared(const Lab& colour, std::size_t palette, std::size_t entry) {
    return LabDistanceSquared(colour, PaletteLabs()[palette][entry]);
}

// A colour is foreign: name the one without which the others fit best, and say whether it is far
// from every entry of that fit's palette or the C64 colour another colour already is.
// full: the fit of every colour, whose palette speaks for a picture of one colour.
void RefuseForeign(PaletteMatch& match, const Palettes& palettes, bool named, const Fit& full,
                   const std::vector<ColourAt>& colours, const std::vector<Lab>& labs) {
    std::size_t left = 0;
    std::optional<Fit> best;
    std::vector<Lab> others;
    for (std::size_t i = 0; i < labs.size(); ++i) {
        others = labs;
        others.erase(others.begin() + static_cast<std::ptrdiff_t>(i));
        Fit fit = BestFit(palettes, others);
        if (!best || fit.assignment.total < best->assignment.total) {
            left = i;
            best = fit;
        }
    }
    match.palette = labs.size() > 1 ? best->palette : full.palette;
    match.colour = colours[left];
    std::size_t nearest = 0;
    for (std::size_t e = 1; e < PaletteEntries; ++e) {
        if (EntryDistanceSquared(labs[left], match.palette, e) < EntryDistanceSquared(labs[left], match.palette, nearest))
            nearest = e;
    }
    match.nearest = static_cast<int>(nearest);
    match.refusal = named ? ColourRefusal::NotInPalette : ColourRefusal::UnknownColour;
    if (EntryDistanceSquared(labs[left], match.palette, nearest) > Squared(ForeignColourDistance)) return;
    for (std::size_t k = 0; k + 1 < labs.size(); ++k) {
        if (best->assignment.entryOf[k] == nearest) {
            match.refusal = ColourRefusal::SharedEntry;
            match.other = colours[k < left ? k : k + 1];
        }
    }
}

// Every colour lies close to its entry: at most sixteen colours, so each pixel's byte names its colour.
void Accept(PaletteMatch& match, const Fit& fit, UsedColours& used) {
    match.palette = fit.palette;
    const C64Palette& palette = C64Palettes[fit.palette];
    std::array<std::uint8_t, 256> number{};
    int farthest = 0;
    for (std::size_t c = 0; c < used.colours.size(); ++c) {
        const std::uint8_t entry = fit.assignment.entryOf[c];
        number[c] = entry;
        farthest = std::max(farthest, DistanceSquared(used.colours[c].rgb, palette.colours[entry]));
    }
    match.differsBy = static_cast<int>(std::lround(std::sqrt(farthest)));
    match.numbers = std::move(used.ofPixel);
    for (std::uint8_t& n : match.numbers) n = number[n];
}

}  // namespace

PaletteMatch MatchPalette(const DecodedPicture& picture, const PictureArea& area, const PaletteChoice& choice) {
    PaletteMatch match;
    UsedColours used = CollectColours(picture, area);
    match.colourCount = used.colours.size();
    if (used.colours.size() > MaxPictureColours) {
        match.refusal = ColourRefusal::TooManyColours;
        return match;
    }

    const bool named = choice.kind == PaletteChoice::Kind::Named;
    const Palettes palettes = named ? Palettes{choice.palette, choice.palette + 1} : Palettes{0, C64Palettes.size()};
    std::vector<Lab> labs;
    for (const ColourAt& colour : used.colours) labs.push_back(LabOf(colour.rgb));
    const Fit fit = BestFit(palettes, labs);
    for (std::size_t c = 0; c < labs.size(); ++c) {
        if (EntryDistanceSquared(labs[c], fit.palette, fit.assignment.entryOf[c]) > Squared(ForeignColourDistance)) {
            RefuseForeign(match, palettes, named, fit, used.colours, labs);
            return match;
        }
    }
    Accept(match, fit, used);
    return match;
}

}  // namespace pxm
