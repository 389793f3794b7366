#include "core/format/export_format.h"

namespace pxm {

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The extension among the first `count` containers.
std::optional<Container> FindContainer(std::string_view extension, int count) {
    for (std::size_t c = 0; c < static_cast<std::size_t>(count); ++c) {
        const std::string_view known = ContainerExtensions[c];
        bool same = extension.size() == known.size();
        for (std::size_t k = 0; same && k < known.size(); ++k) same = LowerAscii(extension[k]) == known[k];
        if (same) return static_cast<Container>(c);
    }
    return std::nullopt;
}

}  // namespace

std::optional<ExportFormat> FormatFromKey(std::string_view key) {
    for (std::size_t f = 0; f < Formats.size(); ++f) {
        if (Formats[f].key == key) return static_cast<ExportFormat>(f);
    }
    return std::nullopt;
}

std::optional<Container> NonDiskContainerFromExtension(std::string_view extension) {
    return FindContainer(extension, ProgramContainerCount);
}

std::optional<Container> AnyContainerFromExtension(std::string_view extension) {
    return FindContainer(extension, ContainerCount);
}

}  // namespace pxm
