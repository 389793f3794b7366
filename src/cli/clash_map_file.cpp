#include "cli/clash_map_file.h"

#include <filesystem>

#include "cli/preview_png.h"
#include "cli/text_join.h"
#include "core/view/clash_map.h"
#include "platform/file_write.h"
#include "platform/system_error.h"

namespace pxm::cli {

namespace {

// The same name, or two names of one existing file.
bool SameFile(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code ignored;
    return std::filesystem::equivalent(a, b, ignored);
}

}  // namespace

std::string ClashMapTargetError(const CliOptions& options) {
    if (options.clashMap.empty()) return {};
    const struct {
        const std::string& path;
        std::string_view what;
    } others[] = {
        {options.input, "the input file"}, {options.output, "the output file"}, {options.preview, "the preview"}};
    for (const auto& other : others) {
        if (!other.path.empty() && SameFile(options.clashMap, other.path))
            return Join({"--clash-map ", options.clashMap, " names ", other.what, "; give the map a name of its own"});
    }
    return {};
}

std::string WriteClashMap(const std::string& path, const Canvas& canvas, const PictureReading& picture,
                          const Clashes& clashes) {
    const DecodedPicture* decoded = picture.decoded.rgb.empty() ? nullptr : &picture.decoded;
    RgbPicture map = PictureAsRead(canvas, C64Palettes[picture.palette], decoded);
    FrameCells(map, clashes.cells, UnusedColour(map));
    const EncodedPng png = EncodePng(map.pixels, map.width, map.height);
    if (!png.error.empty()) return png.error;
    const Status<platform::SystemError> written = platform::WriteFileReplacing(path, png.bytes);
    return written ? std::string{} : platform::SystemErrorText(written.error());
}

}  // namespace pxm::cli
