#include "core/c64read/loose_koala.h"

#include <algorithm>

#include "core/import/picture_kind.h"

namespace pxm {

std::optional<Padding> PaddingAfter(ExportFormat format, Bytes data) {
    const std::size_t size = InfoOf(format).layout.size;
    if (format != LooseFormat || data.size() <= size) return std::nullopt;
    const Bytes after = data.subspan(size);
    const std::uint8_t value = after.front();
    if (!std::all_of(after.begin(), after.end(), [value](std::uint8_t b) { return b == value; })) return std::nullopt;
    return Padding{after.size(), value};
}

bool MayBeBareKoala(Bytes file) {
    return file.size() == InfoOf(LooseFormat).layout.size && KindOfPicture(file) == PictureKind::Unknown;
}

}  // namespace pxm
