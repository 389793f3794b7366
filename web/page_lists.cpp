// Writes the page's lists (lists.js) from the converter's own tables, so that the page offers
// exactly the option values pixmosaic-cli takes: run by the web build, its output served beside
// the page.
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/format/export_format.h"
#include "core/koala/colour_names.h"
#include "core/nearest/dither.h"
#include "core/palette/c64_palettes.h"
#include "lib/option_values.h"
#include "lib/output/output_names.h"
#include "lib/output/preview_png.h"
#include "lib/reading/picture_scaling.h"

namespace {

using pxm::NamedValue;

// A JSON string: the tables hold printable ASCII, so quotes and backslashes alone need escaping.
std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') quoted.push_back('\\');
        quoted.push_back(c);
    }
    return quoted + "\"";
}

// One option's choices as [value, label] pairs.
struct Choice {
    std::string value;
    std::string label;
};

void PrintChoices(std::string_view key, std::span<const Choice> choices, bool last = false) {
    std::printf("  %s: [", Quoted(key).c_str());
    for (std::size_t i = 0; i < choices.size(); ++i)
        std::printf("%s[%s, %s]", i ? ", " : "", Quoted(choices[i].value).c_str(), Quoted(choices[i].label).c_str());
    std::printf("]%s\n", last ? "" : ",");
}

template <typename T>
std::vector<Choice> NamesOf(std::span<const NamedValue<T>> table) {
    std::vector<Choice> choices;
    for (const NamedValue<T>& row : table) choices.push_back({std::string(row.name), std::string(row.name)});
    return choices;
}

}  // namespace

int main() {
    std::vector<Choice> backgrounds{{"auto", "auto"}};
    for (std::size_t c = 0; c < pxm::ColourNames.size(); ++c)
        backgrounds.push_back({std::string(pxm::ColourNames[c]), std::to_string(c) + " " + std::string(pxm::ColourNames[c])});

    std::vector<Choice> palettes{{"auto", "auto"}};
    for (const pxm::C64Palette& palette : pxm::C64Palettes) palettes.push_back({std::string(palette.name), std::string(palette.name)});

    std::vector<Choice> formats;
    for (const pxm::FormatInfo& format : pxm::Formats) formats.push_back({std::string(format.key), std::string(format.name)});

    // The containers an extension names by itself (not a format's customary name), PNG only
    // where this build writes PNG files.
    const pxm::Rgb pixel{};
    const bool writesPng = static_cast<bool>(pxm::EncodePng({&pixel, 1}, 1, 1));
    std::vector<Choice> containers;
    for (const pxm::OutputExtension& row : pxm::OutputExtensions) {
        if (!row.format && (writesPng || row.kind != pxm::OutputKind::PicturePng))
            containers.push_back({std::string(row.extension), std::string(row.extension)});
    }

    std::printf("// Made by page_lists from the converter's tables: do not edit.\n");
    std::printf("self.PixmosaicLists = {\n");
    PrintChoices("mode", NamesOf<pxm::PaletteMode>(pxm::ModeNames));
    PrintChoices("background", backgrounds);
    PrintChoices("palette", palettes);
    PrintChoices("format", formats);
    PrintChoices("container", containers);
    PrintChoices("scale", NamesOf<pxm::ScaleMode>(pxm::ScaleModeNames));
    PrintChoices("dither", NamesOf<pxm::DitherKind>(pxm::DitherKindNames), true);
    std::printf("};\n");
    return 0;
}
