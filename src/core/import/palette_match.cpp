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
#include "core/import/palette_distance.h"
#include "core/palette/palette_book.h"

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

using PaletteLab = std::array<WeighedLab, PaletteEntries>;

// A palette's entries in CIELAB, weighed: the listed palettes' worked out once, the own
// palette's whenever it is not the one worked out last on this thread.
const PaletteLab& LabsOf(std::size_t palette) {
    static const auto listed = [] {
        std::array<PaletteLab, C64Palettes.size()> all{};
        for (std::size_t p = 0; p < C64Palettes.size(); ++p) {
            for (std::size_t e = 0; e < PaletteEntries; ++e) all[p][e] = Weighed(LabOf(C64Palettes[p].colours[e]));
        }
        return all;
    }();
    if (palette < listed.size()) return listed[palette];
    thread_local std::optional<std::array<Rgb, PaletteEntries>> ownColours;
    thread_local PaletteLab own{};
    const auto& colours = PaletteAt(palette).colours;
    if (ownColours != colours) {
        ownColours = colours;
        for (std::size_t e = 0; e < PaletteEntries; ++e) own[e] = Weighed(LabOf(colours[e]));
    }
    return own;
}

struct Fit {
    std::size_t palette = 0;
    Assignment assignment;  // by position in the colours fitted
};

// The palette whose entries take the colours at the least total cost; on a tie the one listed first.
Fit BestFit(const Palettes& palettes, std::span<const WeighedLab> colours) {
    std::array<EntryCosts, MaxPictureColours> rows;
    std::optional<Fit> best;
    for (std::size_t p = palettes.first; p < palettes.end; ++p) {
        const double below = best ? best->assignment.total : std::numeric_limits<double>::infinity();
        // Each colour costs at least its cheapest entry: a palette whose cheapest entries alone
        // reach the best total so far is left as soon as they do (after pepto, every palette
        // for a picture in pepto).
        const PaletteLab& entries = LabsOf(p);
        double cheapest = 0;
        std::size_t c = 0;
        for (; c < colours.size() && cheapest < below; ++c) {
            for (std::size_t e = 0; e < PaletteEntries; ++e) rows[c][e] = PaletteDistanceSquared(colours[c], entries[e]);
            cheapest += *std::min_element(rows[c].begin(), rows[c].end());
        }
        if (cheapest >= below) continue;
        if (auto assignment = LeastCostAssignment(std::span(rows).first(colours.size()), below)) {
            best = Fit{p, *assignment};
        }
    }
    return *best;
}

double EntryDistanceSquared(const WeighedLab& colour, std::size_t palette, std::size_t entry) {
    return PaletteDistanceSquared(colour, LabsOf(palette)[entry]);
}

// The colour's nearest entry in the palette, and how far it lies.
ForeignColour NearestEntry(const ColourAt& colour, const WeighedLab& lab, std::size_t palette) {
    std::size_t nearest = 0;
    for (std::size_t e = 1; e < PaletteEntries; ++e) {
        if (EntryDistanceSquared(lab, palette, e) < EntryDistanceSquared(lab, palette, nearest)) nearest = e;
    }
    return {colour, static_cast<int>(nearest), std::sqrt(EntryDistanceSquared(lab, palette, nearest))};
}

// A colour is foreign: name the one without which the others fit best, and say whether it is far
// from every entry of that fit's palette or the C64 colour another colour already is.
// full: the fit of every colour, whose palette speaks for a picture of one colour.
void RefuseForeign(PaletteMatch& match, const Palettes& palettes, bool named, const Fit& full,
                   std::span<const ColourAt> colours, const std::vector<WeighedLab>& labs) {
    std::size_t left = 0;
    std::optional<Fit> best;
    std::vector<WeighedLab> others;
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
    const ForeignColour foreign = NearestEntry(colours[left], labs[left], match.palette);
    match.colour = foreign.colour;
    match.nearest = foreign.nearest;
    match.distance = foreign.distance;
    match.refusal = named ? ColourRefusal::NotInPalette : ColourRefusal::UnknownColour;
    if (foreign.distance > ForeignColourDistance) return;
    for (std::size_t k = 0; k + 1 < labs.size(); ++k) {
        if (best->assignment.entryOf[k] == foreign.nearest) {
            match.refusal = ColourRefusal::SharedEntry;
            match.other = colours[k < left ? k : k + 1];
        }
    }
}

// Every colour lies close to its entry: each colour's number, and the largest RGB difference.
void Accept(PaletteMatch& match, const Fit& fit, std::span<const ColourAt> colours) {
    match.palette = fit.palette;
    const C64Palette& palette = PaletteAt(fit.palette);
    int farthest = 0;
    for (std::size_t c = 0; c < colours.size(); ++c) {
        const std::uint8_t entry = fit.assignment.entryOf[c];
        match.numberOf.push_back(entry);
        farthest = std::max(farthest, DistanceSquared(colours[c].rgb, palette.colours[entry]));
    }
    match.differsBy = static_cast<int>(std::lround(std::sqrt(farthest)));
}

// Whether every colour of a fit lies within the limit of its entry, and no nearer to an entry
// another colour took: near-identical colours (a photograph's whites) are one C64 colour, not
// several that happen to lie within the limit (white, light grey, light green, cyan).
bool WithinLimit(const Fit& fit, std::span<const WeighedLab> labs) {
    for (std::size_t c = 0; c < labs.size(); ++c) {
        const double assigned = std::sqrt(EntryDistanceSquared(labs[c], fit.palette, fit.assignment.entryOf[c]));
        double nearest = assigned;
        for (std::size_t e = 0; e < PaletteEntries; ++e)
            nearest = std::min(nearest, std::sqrt(EntryDistanceSquared(labs[c], fit.palette, e)));
        if (assigned > ForeignColourDistance || assigned > nearest + PushedAsideDistance) return false;
    }
    return true;
}

// One palette's account of a picture of more than sixteen colours: the colours it keeps (from the
// one most pixels have down, each kept while the kept ones still fit it, up to sixteen) and the
// stray rest, with a cost that charges each pixel its squared distance from its entry, a stray
// pixel as much as the limit.
struct StrayAccount {
    Fit fit;
    std::vector<std::size_t> strays;
    double cost = 0;
};

std::optional<StrayAccount> AccountInPalette(std::size_t palette, std::span<const ColourAt> colours,
                                             std::span<const std::size_t> byUse) {
    const Palettes only{palette, palette + 1};
    StrayAccount account;
    std::vector<WeighedLab> kept;
    std::vector<std::size_t> keptColours;
    for (const std::size_t c : byUse) {
        if (kept.size() < MaxPictureColours) {
            kept.push_back(Weighed(LabOf(colours[c].rgb)));
            if (Fit with = BestFit(only, kept); WithinLimit(with, kept)) {
                account.fit = std::move(with);
                keptColours.push_back(c);
                continue;
            }
            kept.pop_back();
        }
        account.strays.push_back(c);
        account.cost += static_cast<double>(colours[c].pixels) * Squared(ForeignColourDistance);
    }
    if (kept.empty()) return std::nullopt;
    for (std::size_t k = 0; k < kept.size(); ++k) {
        account.cost += static_cast<double>(colours[keptColours[k]].pixels) *
                        EntryDistanceSquared(kept[k], palette, account.fit.assignment.entryOf[k]);
    }
    return account;
}

// More than sixteen colours, a few of them stray: the palette that accounts for the picture at the
// least cost (AUTO) or the one named, and each stray colour with its nearest colour there. So a
// stray colour is named whether or not the picture holds sixteen colours of its own, and a stray
// colour that some other palette happens to hold does not pull the picture into that palette.
void TellStrays(PaletteMatch& match, std::span<const ColourAt> colours, const PaletteChoice& choice) {
    std::vector<std::size_t> byUse(colours.size());
    for (std::size_t c = 0; c < byUse.size(); ++c) byUse[c] = c;
    std::stable_sort(byUse.begin(), byUse.end(),
                     [&](std::size_t x, std::size_t y) { return colours[x].pixels > colours[y].pixels; });
    const Palettes palettes = PalettesOf(choice);
    std::optional<StrayAccount> best;
    for (std::size_t p = palettes.first; p < palettes.end; ++p) {
        std::optional<StrayAccount> account = AccountInPalette(p, colours, byUse);
        if (account && (!best || account->cost < best->cost)) best = std::move(account);
    }
    if (!best) return;
    match.refusal = ColourRefusal::StrayColours;
    match.palette = best->fit.palette;
    std::sort(best->strays.begin(), best->strays.end());
    for (const std::size_t c : best->strays)
        match.strays.push_back(NearestEntry(colours[c], Weighed(LabOf(colours[c].rgb)), best->fit.palette));
}

bool Counted(std::span<const ColourAt> colours) {
    return std::all_of(colours.begin(), colours.end(), [](const ColourAt& c) { return c.pixels > 0; });
}

}  // namespace

PaletteMatch MatchColours(std::span<const ColourAt> colours, const PaletteChoice& choice) {
    PaletteMatch match;
    match.colourCount = colours.size();
    if (colours.size() > MaxPictureColours) {
        match.refusal = ColourRefusal::TooManyColours;
        if (colours.size() <= MaxPictureColours + MaxStrayColours && Counted(colours)) TellStrays(match, colours, choice);
        return match;
    }

    const bool named = choice.kind == PaletteChoice::Kind::Named;
    const Palettes palettes = PalettesOf(choice);
    std::vector<WeighedLab> labs;
    for (const ColourAt& colour : colours) labs.push_back(Weighed(LabOf(colour.rgb)));
    const Fit fit = BestFit(palettes, labs);
    if (WithinLimit(fit, labs)) {
        Accept(match, fit, colours);
        return match;
    }
    RefuseForeign(match, palettes, named, fit, colours, labs);
    return match;
}

PaletteMatch MatchPalette(const DecodedPicture& picture, const PictureArea& area, const PaletteChoice& choice) {
    UsedColours used = CollectColours(picture, area);
    // Stray colours are told by how many pixels have them: while there are few, each pixel's byte
    // names its colour.
    if (used.colours.size() > MaxPictureColours && used.colours.size() <= MaxPictureColours + MaxStrayColours) {
        for (const std::uint8_t c : used.ofPixel) ++used.colours[c].pixels;
    }
    PaletteMatch match = MatchColours(used.colours, choice);
    if (match.refusal != ColourRefusal::None) return match;
    // At most sixteen colours: each pixel's byte names its colour.
    match.numbers = std::move(used.ofPixel);
    for (std::uint8_t& n : match.numbers) n = match.numberOf[n];
    return match;
}

Palettes PalettesOf(const PaletteChoice& choice) {
    return choice.kind == PaletteChoice::Kind::Named ? Palettes{choice.palette, choice.palette + 1}
                                                     : Palettes{0, C64Palettes.size()};
}

}  // namespace pxm
