#pragma once
// Option values as people type them: in any case, in British or American spelling (grey/gray,
// colour/color), with or without spaces ("lightblue", "light-blue", "Light Blue").
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/base/named_value.h"
#include "core/format/export_format.h"
#include "core/import/palette_match.h"
#include "core/koala/koalize_step.h"

namespace pxm {

inline constexpr std::array<NamedValue<PaletteMode>, 3> ModeNames{{
    {"multicolour", PaletteMode::Multicolour},
    {"grey4", PaletteMode::FourGreys},
    {"grey5", PaletteMode::FiveGreys},
}};

// The form two spellings of one value share: lower case, no space, '-' or '_', one spelling of
// each word.
std::string SpellingKey(std::string_view text);

// True when typed is a spelling of known.
bool SameValue(std::string_view typed, std::string_view known);

std::optional<PaletteMode> ModeFromText(std::string_view text);
// AutoBackground, or the colour given by name or number 0..15.
std::optional<BackgroundChoice> BackgroundFromText(std::string_view text);
std::optional<ExportFormat> FormatFromText(std::string_view text);
std::optional<PaletteChoice> PaletteChoiceFromText(std::string_view text);

// The value of table that typed spells, if any.
template <typename T>
std::optional<T> NamedFromText(std::span<const NamedValue<T>> table, std::string_view typed) {
    for (const NamedValue<T>& row : table) {
        if (SameValue(typed, row.name)) return row.value;
    }
    return std::nullopt;
}

// "multicolour", "grey4" or "grey5", as --mode takes it.
std::string_view ModeName(PaletteMode mode);

}  // namespace pxm
