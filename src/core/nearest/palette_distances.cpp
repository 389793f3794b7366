#include "core/nearest/palette_distances.h"

#include <algorithm>

namespace pxm {

namespace {

ColourDifferences DifferencesOf(Rgb rounded, const SixteenLab& palette) {
    const std::array<float, 16> differences = Ciede2000ToEach(LabOf(rounded), palette);
    ColourDifferences entry;
    for (std::size_t c = 0; c < 16; ++c) {
        entry.to[c] = static_cast<std::int16_t>(std::min(differences[c] * DifferenceScale, 32000.0f));
        // An insertion sort, nearest first; of two as near, the lower number stays first.
        std::size_t k = c;
        for (; k > 0 && entry.to[entry.nearest[k - 1]] > entry.to[c]; --k) entry.nearest[k] = entry.nearest[k - 1];
        entry.nearest[k] = static_cast<std::uint8_t>(c);
    }
    return entry;
}

}  // namespace

const ColourDifferences& PaletteDistances::Of(LinearRgb colour) {
    return known_.At(colour, [&](Rgb rounded) { return DifferencesOf(rounded, lab_); });
}

void PaletteDistances::Prepare(std::span<const LinearRgb> colours, SecondThread* second) {
    known_.MakeAll(colours, [&](Rgb rounded) { return DifferencesOf(rounded, lab_); }, second);
}

PixelDifferences DifferencesOfPixels(const NearestTarget& target, PaletteDistances& distances, SecondThread* second) {
    distances.Prepare(target.colours, second);
    PixelDifferences pixels(TargetPixelCount);
    for (std::size_t at = 0; at < TargetPixelCount; ++at) {
        if (target.Inside(at)) pixels[at] = &distances.Of(target.colours[at]);
    }
    return pixels;
}

}  // namespace pxm
