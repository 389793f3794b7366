#include "core/palette/palette_file.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

namespace pxm {

namespace {

constexpr std::string_view GimpHeader = "GIMP Palette";
constexpr std::size_t C64Colours = 16;
// A line quoted in a refusal is cut to this many characters.
constexpr std::size_t QuotedLineLength = 40;

std::vector<std::string_view> Tokens(std::string_view line) {
    std::vector<std::string_view> tokens;
    std::size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) return tokens;
        const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
        tokens.push_back(line.substr(at, end - at));
        at = end;
    }
}

// A number of the base, all of the text, up to 255.
std::optional<std::uint8_t> Channel(std::string_view text, int base) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty() || value > 255) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

std::optional<Rgb> FromChannels(std::string_view r, std::string_view g, std::string_view b, int base) {
    const auto red = Channel(r, base);
    const auto green = Channel(g, base);
    const auto blue = Channel(b, base);
    if (!red || !green || !blue) return std::nullopt;
    return Rgb{*red, *green, *blue};
}

std::optional<Rgb> HexColour(std::string_view text) {
    if (text.starts_with('#')) text.remove_prefix(1);
    if (text.size() != 6) return std::nullopt;
    return FromChannels(text.substr(0, 2), text.substr(2, 2), text.substr(4, 2), 16);
}

// The line without a comment: ';' starts one anywhere; '#' at the start of a line starts one,
// but in a hex list (or before the first colour tells the kind) not when a hex digit follows: that
// is a colour.
std::string_view WithoutComment(std::string_view line, std::optional<PaletteFileKind> kind) {
    line = line.substr(0, line.find(';'));
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    line.remove_prefix(first);
    if (!line.starts_with('#')) return line;
    const bool colour = kind.value_or(PaletteFileKind::HexList) == PaletteFileKind::HexList && line.size() > 1 &&
                        std::isxdigit(static_cast<unsigned char>(line[1]));
    return colour ? line : std::string_view{};
}

// One colour line of the kind, or none when it is not one.
std::optional<Rgb> ColourOf(PaletteFileKind kind, std::string_view line) {
    const std::vector<std::string_view> tokens = Tokens(line);
    switch (kind) {
        case PaletteFileKind::Gimp:  // a name may follow, of any words
            if (tokens.size() < 3) return std::nullopt;
            return FromChannels(tokens[0], tokens[1], tokens[2], 10);
        case PaletteFileKind::Vice:  // the dither value is optional in older files
            if (tokens.size() != 3 && tokens.size() != 4) return std::nullopt;
            if (tokens.size() == 4 && !Channel(tokens[3], 16)) return std::nullopt;
            return FromChannels(tokens[0], tokens[1], tokens[2], 16);
        case PaletteFileKind::HexList:
            if (tokens.size() != 1) return std::nullopt;
            return HexColour(tokens[0]);
    }
    return std::nullopt;
}

PaletteFileFailure BadLine(PaletteFileKind kind, std::size_t number, std::string_view line) {
    std::string text(line.substr(0, QuotedLineLength));
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < ' ' || static_cast<unsigned char>(c) >= 0x7F) c = '?';
    }
    if (line.size() > QuotedLineLength) text += "...";
    return {PaletteFileFailure::Kind::BadLine, kind, number, std::move(text), 0};
}

}  // namespace

Result<std::array<Rgb, 16>, PaletteFileFailure> ReadPaletteFile(std::span<const std::uint8_t> file) {
    const std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
    std::optional<PaletteFileKind> kind;
    std::vector<Rgb> colours;
    std::size_t number = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++number;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!kind && line.starts_with(GimpHeader)) {
            kind = PaletteFileKind::Gimp;
            continue;
        }
        if (kind == PaletteFileKind::Gimp && (line.starts_with("Name:") || line.starts_with("Columns:"))) continue;
        const std::string_view content = WithoutComment(line, kind);
        if (content.empty()) continue;
        // The first colour line tells a VICE file (three or four channels) from a hex list.
        if (!kind) kind = Tokens(content).size() == 1 ? PaletteFileKind::HexList : PaletteFileKind::Vice;
        const std::optional<Rgb> colour = ColourOf(*kind, content);
        if (!colour) return Fail(BadLine(*kind, number, line));
        colours.push_back(*colour);
    }
    if (colours.empty()) return Fail(PaletteFileFailure{PaletteFileFailure::Kind::NoColours, kind.value_or(PaletteFileKind::HexList), 0, {}, 0});
    if (colours.size() != C64Colours)
        return Fail(PaletteFileFailure{PaletteFileFailure::Kind::WrongCount, *kind, 0, {}, colours.size()});
    std::array<Rgb, 16> palette{};
    std::copy(colours.begin(), colours.end(), palette.begin());
    return palette;
}

}  // namespace pxm
