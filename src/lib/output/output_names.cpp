#include "lib/output/output_names.h"

#include "lib/wording/text_join.h"
#include "core/text/equal_ignoring_case.h"
#include "platform/path_parts.h"

namespace pxm {

namespace {

std::string_view LastPart(std::string_view path) { return platform::SplitPath(path).name; }

// PC64 numbers a second file of the same C64 name .p01, a third .p02, and so on.
bool IsNumberedP00(std::string_view extension) {
    return extension.size() == 3 && (extension[0] == 'p' || extension[0] == 'P') && extension[1] >= '0' &&
           extension[1] <= '9' && extension[2] >= '0' && extension[2] <= '9';
}

}  // namespace

std::string_view ExtensionOf(std::string_view path) {
    const std::string_view name = LastPart(path);
    const auto dot = name.find_last_of('.');
    return dot == std::string_view::npos || dot == 0 ? std::string_view{} : name.substr(dot + 1);
}

std::string_view WithoutExtension(std::string_view path) {
    const std::string_view extension = ExtensionOf(path);
    return extension.empty() ? path : path.substr(0, path.size() - extension.size() - 1);
}

std::optional<OutputExtension> OutputExtensionOf(std::string_view path) {
    const std::string_view extension = IsNumberedP00(ExtensionOf(path)) ? "p00" : ExtensionOf(path);
    for (const OutputExtension& row : OutputExtensions) {
        if (EqualIgnoringCase(extension, row.extension)) return row;
    }
    return std::nullopt;
}

std::string AcceptedExtensions() {
    std::string text;
    for (std::size_t e = 0; e < OutputExtensions.size(); ++e)
        text += Join({e == 0 ? "" : ", ", ".", OutputExtensions[e].extension});
    return text;
}

}  // namespace pxm
