#include "lib/wording/palette_file_refusal.h"

#include <cstdio>

#include "lib/options.h"
#include "lib/wording/text_join.h"
#include "core/koala/colour_names.h"
#include "core/palette/palette_book.h"

namespace pxm {

namespace {

constexpr std::string_view WhatIsNeeded = "a C64 palette needs 16, in the C64's order (black, white, red, ...).";

struct KindWords {
    std::string_view name;  // "a GIMP palette"
    std::string_view line;  // what a colour line of it holds
};

KindWords WordsOf(PaletteFileKind kind) {
    switch (kind) {
        case PaletteFileKind::Gimp: return {"a GIMP palette", "R G B from 0 to 255, then a name"};
        case PaletteFileKind::Vice: return {"a VICE palette", "RR GG BB in hex, then the dither value"};
        case PaletteFileKind::HexList: break;
    }
    return {"a list of hex colours", "#RRGGBB or RRGGBB"};
}

}  // namespace

std::string PaletteFileRefusalText(const PaletteFileFailure& failure, std::string_view path) {
    const KindWords words = WordsOf(failure.fileKind);
    switch (failure.kind) {
        case PaletteFileFailure::Kind::NoColours:
            return Join({path, ": no colours (a GIMP palette, a VICE palette or a list of hex colours); ", WhatIsNeeded});
        case PaletteFileFailure::Kind::BadLine:
            return Join({path, ": line ", std::to_string(failure.line), " (", Quoted(failure.text), ") is no colour of ",
                         words.name, " (", words.line, "); ", WhatIsNeeded});
        case PaletteFileFailure::Kind::WrongCount: break;
    }
    return Join({path, ": ", words.name, " of ", std::to_string(failure.colours),
                 failure.colours == 1 ? " colour; " : " colours; ", WhatIsNeeded});
}

std::string PaletteOrderWarningText(const EntryOutOfOrder& misplaced, Rgb colour, std::string_view path) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%06X", static_cast<unsigned>(Packed(colour)));
    return Join({path, ": its colours look like a C64 palette's in another order: entry ", std::to_string(misplaced.entry), " (",
                 hex, ") is ", ColourName(misplaced.readAs), " (", std::to_string(misplaced.readAs), ") in ",
                 PaletteAt(misplaced.palette).name, "; ", WhatIsNeeded});
}

std::string PaletteFileTooLargeText(std::string_view path) {
    return Join({path, ": longer than any palette file; ", WhatIsNeeded});
}

}  // namespace pxm
