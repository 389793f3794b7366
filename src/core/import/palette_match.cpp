#include "core/import/palette_match.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <unordered_map>

namespace pxm {

namespace {

struct Nearest {
    int number = 0;
    int distance = std::numeric_limits<int>::max();
};

Nearest NearestIn(const C64Palette& palette, Rgb colour) {
    Nearest nearest;
    for (int c = 0; c < 16; ++c) {
        const int d = DistanceSquared(colour, palette.colours[static_cast<std::size_t>(c)]);
        if (d < nearest.distance) nearest = {c, d};
    }
    return nearest;
}

Nearest NearestInAny(Rgb colour) {
    Nearest nearest;
    for (const C64Palette& palette : C64Palettes) {
        const Nearest here = NearestIn(palette, colour);
        if (here.distance < nearest.distance) nearest = here;
    }
    return nearest;
}

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

// How one palette takes the used colours: the first that it cannot take, or each one's entry.
struct Walk {
    ColourRefusal refusal = ColourRefusal::None;
    std::size_t stoppedAt = 0;          // the used colour refused
    int entry = -1;                     // NotInPalette: nearest entry; SharedEntry: the entry
    std::size_t other = 0;              // SharedEntry: the used colour already there
    long long distance = 0;             // sum over the used colours: how well the palette fits
    std::vector<std::uint8_t> numbers;  // by used colour
};

Walk WalkPalette(const C64Palette& palette, const std::vector<ColourAt>& colours) {
    Walk walk;
    std::array<std::size_t, 16> takenBy;
    takenBy.fill(colours.size());
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const Nearest nearest = NearestIn(palette, colours[i].rgb);
        const auto entry = static_cast<std::size_t>(nearest.number);
        if (nearest.distance > CloseEnough || takenBy[entry] != colours.size()) {
            walk.refusal = nearest.distance > CloseEnough ? ColourRefusal::NotInPalette : ColourRefusal::SharedEntry;
            walk.stoppedAt = i;
            walk.entry = nearest.number;
            walk.other = takenBy[entry];
            return walk;
        }
        takenBy[entry] = i;
        walk.distance += nearest.distance;
        walk.numbers.push_back(static_cast<std::uint8_t>(nearest.number));
    }
    return walk;
}

void Refuse(PaletteMatch& match, std::size_t palette, const Walk& walk, const std::vector<ColourAt>& colours) {
    match.refusal = walk.refusal;
    match.palette = palette;
    match.colour = colours[walk.stoppedAt];
    match.nearest = walk.entry;
    if (walk.refusal == ColourRefusal::SharedEntry) match.other = colours[walk.other];
}

// A palette took every colour: at most sixteen, so each pixel's byte names its colour.
void Accept(PaletteMatch& match, std::size_t palette, const Walk& walk, UsedColours& used) {
    match.palette = palette;
    std::array<std::uint8_t, 256> number{};
    std::copy(walk.numbers.begin(), walk.numbers.end(), number.begin());
    match.numbers = std::move(used.ofPixel);
    for (std::uint8_t& n : match.numbers) n = number[n];
}

}  // namespace

PaletteMatch MatchPalette(const DecodedPicture& picture, const PictureArea& area, const PaletteChoice& choice) {
    PaletteMatch match;
    UsedColours used = CollectColours(picture, area);

    if (choice.kind == PaletteChoice::Kind::Named) {
        const Walk walk = WalkPalette(C64Palettes[choice.palette], used.colours);
        if (walk.refusal != ColourRefusal::None) {
            Refuse(match, choice.palette, walk, used.colours);
        } else {
            Accept(match, choice.palette, walk, used);
        }
        return match;
    }

    // A colour that no palette knows is told first: it is the one to repaint.
    for (const ColourAt& colour : used.colours) {
        const Nearest nearest = NearestInAny(colour.rgb);
        if (nearest.distance > CloseEnough) {
            match.refusal = ColourRefusal::UnknownColour;
            match.colour = colour;
            match.nearest = nearest.number;
            return match;
        }
    }
    std::optional<std::size_t> best;
    Walk bestWalk;
    std::optional<std::size_t> furthest;
    Walk furthestWalk;
    for (std::size_t p = 0; p < C64Palettes.size(); ++p) {
        Walk walk = WalkPalette(C64Palettes[p], used.colours);
        if (walk.refusal == ColourRefusal::None) {
            // The closest fit; on a tie the palette listed first.
            if (!best || walk.distance < bestWalk.distance) {
                best = p;
                bestWalk = std::move(walk);
            }
        } else if (!furthest || walk.stoppedAt > furthestWalk.stoppedAt) {
            furthest = p;
            furthestWalk = std::move(walk);
        }
    }
    if (best) {
        Accept(match, *best, bestWalk, used);
    } else {
        Refuse(match, *furthest, furthestWalk, used.colours);
        match.noPaletteHoldsAll = true;
    }
    return match;
}

}  // namespace pxm
