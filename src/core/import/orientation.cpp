#include "core/import/orientation.h"

#include <algorithm>
#include <utility>

namespace pxm {

namespace {

// Where a shown pixel comes from: for each orientation, the stored x and y of shown pixel
// (x, y), with w and h the stored width and height.
struct Source {
    int x;
    int y;
};

Source SourceOf(Orientation orientation, int x, int y, int w, int h) {
    switch (orientation) {
        case Orientation::Upright: break;
        case Orientation::MirroredLeftRight: return {w - 1 - x, y};
        case Orientation::TurnedHalf: return {w - 1 - x, h - 1 - y};
        case Orientation::MirroredTopBottom: return {x, h - 1 - y};
        case Orientation::Transposed: return {y, x};
        case Orientation::TurnedRight: return {y, h - 1 - x};
        case Orientation::Transversed: return {w - 1 - y, h - 1 - x};
        case Orientation::TurnedLeft: return {w - 1 - y, x};
    }
    return {x, y};
}

template <class T>
std::vector<T> Moved(const std::vector<T>& stored, Orientation orientation, int w, int h) {
    if (stored.empty()) return {};
    const PictureSize shown = ShownSize(w, h, orientation);
    std::vector<T> out;
    out.reserve(stored.size());
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const Source from = SourceOf(orientation, x, y, w, h);
            out.push_back(stored[static_cast<std::size_t>(from.y) * static_cast<std::size_t>(w) +
                                 static_cast<std::size_t>(from.x)]);
        }
    }
    return out;
}

}  // namespace

Orientation OrientationFromTag(unsigned value) {
    if (value < 1 || value > 8) return Orientation::Upright;
    return static_cast<Orientation>(value);
}

StoredPart StoredPartShownTopLeft(Orientation orientation, int storedWidth, int storedHeight, int shownWidth,
                                  int shownHeight) {
    // The shown part's opposite corners, where they are stored.
    const Source first = SourceOf(orientation, 0, 0, storedWidth, storedHeight);
    const Source last = SourceOf(orientation, shownWidth - 1, shownHeight - 1, storedWidth, storedHeight);
    const int left = std::min(first.x, last.x);
    const int top = std::min(first.y, last.y);
    return {left, top, std::max(first.x, last.x) - left + 1, std::max(first.y, last.y) - top + 1};
}

DecodedPicture Oriented(DecodedPicture stored, Orientation orientation) {
    if (orientation == Orientation::Upright) return stored;
    const int w = stored.width;
    const int h = stored.height;
    DecodedPicture shown;
    const PictureSize size = ShownSize(w, h, orientation);
    shown.width = size.width;
    shown.height = size.height;
    shown.rgb = Moved(stored.rgb, orientation, w, h);
    shown.indexes = Moved(stored.indexes, orientation, w, h);
    shown.alpha = Moved(stored.alpha, orientation, w, h);
    return shown;
}

}  // namespace pxm
