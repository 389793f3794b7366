#include "lib/option_values.h"

#include <array>
#include <charconv>

#include "core/koala/colour_names.h"
#include "core/palette/c64_palettes.h"

namespace pxm {

namespace {

// Spellings of one word, each with the form keys hold: the shorter, so that no replacement
// makes a word another one finds again.
struct Respelling {
    std::string_view from;
    std::string_view to;
};
constexpr std::array<Respelling, 3> Respellings{{
    {"grey", "gray"},
    {"colour", "color"},
    {"medium", "med"},
}};

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

std::string SpellingKey(std::string_view text) {
    std::string key;
    for (const char c : text) {
        if (c == ' ' || c == '-' || c == '_') continue;
        key.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    for (const Respelling& r : Respellings) ReplaceAll(key, r.from, r.to);
    return key;
}

bool SameValue(std::string_view typed, std::string_view known) { return SpellingKey(typed) == SpellingKey(known); }

std::optional<PaletteMode> ModeFromText(std::string_view text) {
    for (const NamedValue<PaletteMode>& m : ModeNames) {
        if (SameValue(text, m.name)) return m.value;
    }
    return std::nullopt;
}

std::string_view ModeName(PaletteMode mode) {
    for (const NamedValue<PaletteMode>& m : ModeNames) {
        if (m.value == mode) return m.name;
    }
    return {};
}

std::optional<BackgroundChoice> BackgroundFromText(std::string_view text) {
    if (SameValue(text, "auto")) return AutoBackground;
    for (std::size_t colour = 0; colour < ColourNames.size(); ++colour) {
        if (SameValue(text, ColourNames[colour])) return BackgroundChoice{static_cast<std::uint8_t>(colour)};
    }
    int number = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error == std::errc{} && end == text.data() + text.size() && !text.empty() && number >= 0 && number <= 15)
        return BackgroundChoice{static_cast<std::uint8_t>(number)};
    return std::nullopt;
}

std::optional<ExportFormat> FormatFromText(std::string_view text) {
    for (std::size_t f = 0; f < Formats.size(); ++f) {
        if (SameValue(text, Formats[f].key)) return static_cast<ExportFormat>(f);
    }
    return std::nullopt;
}

std::optional<PaletteChoice> PaletteChoiceFromText(std::string_view text) {
    if (SameValue(text, "auto")) return PaletteChoice{PaletteChoice::Kind::Auto, 0};
    if (SameValue(text, "index")) return PaletteChoice{PaletteChoice::Kind::Index, 0};
    for (std::size_t p = 0; p < C64Palettes.size(); ++p) {
        if (SameValue(text, C64Palettes[p].name)) return PaletteChoice{PaletteChoice::Kind::Named, p};
    }
    return std::nullopt;
}

}  // namespace pxm
