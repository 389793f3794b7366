#include "core/format/export_format.h"

namespace pxm {

std::optional<Container> ContainerFromExtension(std::string_view extension) {
    static constexpr std::array<std::string_view, 3> Extensions{"p00", "prg", "tap"};
    if (extension.size() != 3) return std::nullopt;
    for (std::size_t c = 0; c < Extensions.size(); ++c) {
        bool same = true;
        for (std::size_t k = 0; k < 3; ++k) {
            const char e = extension[k];
            same = same && (e >= 'A' && e <= 'Z' ? static_cast<char>(e - 'A' + 'a') : e) == Extensions[c][k];
        }
        if (same) return static_cast<Container>(c);
    }
    return std::nullopt;
}

}  // namespace pxm
