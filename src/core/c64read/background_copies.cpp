#include "core/c64read/background_copies.h"

#include <memory>

#include "core/view/shown_colours.h"

namespace pxm {

namespace {

// The one format whose writers put the background in either of its two bytes.
constexpr ExportFormat EitherByteFormat = ExportFormat::ArtStudio;

std::uint8_t ColourOf(std::uint8_t stored) { return stored & 0x0F; }

// Whether some cell draws `colour` with one of its own bit pairs: decoded under a background of
// another colour, only those pairs can show it.
bool DrawnByCells(const KoalaImage& image, std::uint8_t colour, std::uint8_t otherColour) {
    const auto decoded = std::make_unique<KoalaImage>(image);
    (*decoded)[KoalaBackgroundOffset] = otherColour;
    return ColoursUsed(*decoded).test(colour);
}

// Which of two differing bytes holds the background (0 or 1), for a format of either convention.
std::size_t EitherByteBackground(std::uint8_t first, std::uint8_t second, const KoalaImage& image) {
    const bool firstDrawn = DrawnByCells(image, ColourOf(first), ColourOf(second));
    const bool secondDrawn = DrawnByCells(image, ColourOf(second), ColourOf(first));
    if (firstDrawn != secondDrawn) return firstDrawn ? 1 : 0;
    // No help from the cells: a second byte of zero is the padding behind a background in the first.
    return second == 0 ? 0 : 1;
}

}  // namespace

BackgroundRead ReadBackground(ExportFormat format, Bytes block, const KoalaImage& image) {
    const PictureLayout& layout = InfoOf(format).layout;
    if (layout.backgroundCount == 0) return {};
    const std::uint8_t last = *ByteAt(block, layout.backgroundAt + layout.backgroundCount - 1);
    if (layout.backgroundCount == 1) return {ColourOf(last), std::nullopt};
    const std::uint8_t first = *ByteAt(block, layout.backgroundAt);
    if (ColourOf(first) == ColourOf(last)) return {ColourOf(last), std::nullopt};
    // The other formats' first byte is the border colour.
    const std::size_t taken = format == EitherByteFormat ? EitherByteBackground(first, last, image) : 1;
    const std::uint8_t colour = ColourOf(taken == 0 ? first : last);
    return {colour, DifferingBackground{taken, ColourOf(taken == 0 ? last : first)}};
}

}  // namespace pxm
