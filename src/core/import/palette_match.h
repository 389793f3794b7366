#pragma once
// C64 colour numbers from the RGB a paint program or emulator saved. C64 palettes differ from
// each other by tens of RGB units, but every one has the same sixteen hues and brightness steps:
// so a palette is recognised by its shape. For each known palette the picture's colours (sixteen
// or fewer) are assigned one to one to its entries with the least total squared distance
// (PaletteDistanceSquared: CIELAB with lightness above saturation); AUTO takes the palette with
// the least total, a named palette is taken as it is. A colour is foreign when it lies far from
// the entry it was assigned in the palette taken.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/import/decoded_picture.h"
#include "core/import/picture_area.h"
#include "core/palette/c64_palettes.h"

namespace pxm {

// How far (PaletteDistanceSquared's distance) a colour may lie from the entry it was assigned and
// still be that C64 colour. Each of the 35 published palettes, matched as if it were unknown
// against the other 34, lies at most 20.8 from its entries; a teal in place of vice's cyan lies
// 23.9 away, a colour of another hue or a lightness step off farther (docs/architecture.md).
inline constexpr double ForeignColourDistance = 25.0;
// How much farther than its nearest entry a colour may lie from the entry it was assigned (that
// nearest one being another colour's). Every published palette, and each perturbed as the tests
// perturb them, keeps within 13.5; near-identical colours pushed onto entries they only just
// reach lie farther (a white read as perplex 2's green lies 23 past white).
inline constexpr double PushedAsideDistance = 15.0;

// A C64 picture holds at most this many colours.
inline constexpr std::size_t MaxPictureColours = 16;
// A picture of up to this many colours more is told which colours are stray, when the others fit
// a palette (the palette that leaves the fewest pixels stray and the rest nearest).
inline constexpr std::size_t MaxStrayColours = 4;

struct PaletteChoice {
    enum class Kind { Auto, Index, Named };
    Kind kind = Kind::Auto;
    std::size_t palette = 0;  // Named: its number (core/palette/palette_book.h)
};

// The palette numbers a choice looks at, first to end: every listed one (AUTO) or the one named.
struct Palettes {
    std::size_t first = 0;
    std::size_t end = 0;
};
Palettes PalettesOf(const PaletteChoice& choice);

// A colour and the first pixel (file coordinates, row by row from the top) that has it.
struct ColourAt {
    Rgb rgb;
    int x = 0;
    int y = 0;
    std::size_t pixels = 0;  // how many pixels have it (counted only where stray colours are looked for)
};

// A colour refused and the nearest C64 colour of the palette, at that distance.
struct ForeignColour {
    ColourAt colour;
    int nearest = 0;
    double distance = 0;
};

enum class ColourRefusal {
    None,
    TooManyColours,  // more than sixteen colours: see colourCount
    StrayColours,    // more than sixteen, of which sixteen fit a palette: see strays
    UnknownColour,   // AUTO: a colour far from every C64 colour of the palette the others fit best
    NotInPalette,    // a colour far from every C64 colour of the palette named
    SharedEntry,     // a colour that is the C64 colour another colour of the picture already is
};

struct PaletteMatch {
    ColourRefusal refusal = ColourRefusal::None;
    // Success: the palette taken. A colour refused: the palette named, or (AUTO) the one the
    // picture's other colours fit best.
    std::size_t palette = 0;
    // A colour refused: the one without which the others fit best.
    ColourAt colour;
    ColourAt other;                     // SharedEntry: the colour that holds the entry
    int nearest = -1;                   // a colour refused: its nearest C64 colour number in the palette
    double distance = 0;                // a colour refused: how far it lies from that colour
    std::vector<ForeignColour> strays;  // StrayColours: the colours beyond the sixteen, as they occur
    std::size_t colourCount = 0;        // the area's distinct colours
    int differsBy = 0;                  // success: the largest RGB distance of a colour from its entry (0: exact)
    std::vector<std::uint8_t> numberOf;  // success from MatchColours: each colour's number
    std::vector<std::uint8_t> numbers;  // success from MatchPalette: the area's colour numbers, row by row
};

// choice: Auto or Named.
PaletteMatch MatchPalette(const DecodedPicture& picture, const PictureArea& area, const PaletteChoice& choice);

// The same for colours already collected (distinct, any number): numberOf instead of numbers.
// Stray colours are told when every colour's pixels are counted.
PaletteMatch MatchColours(std::span<const ColourAt> colours, const PaletteChoice& choice);

}  // namespace pxm
