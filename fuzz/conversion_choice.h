#pragma once
// The settings a conversion fuzzer's input picks with its first ChoiceBytes bytes, so that each
// input runs one conversion: one value of each dimension (options as a user types them), the
// bytes read as one number in mixed radix. The seed makers write the bytes that pick a seed's
// settings before its file, so that the file still starts with its own signature after them.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/seed_file.h"
#include "lib/options.h"

namespace pxm::fuzz {

inline constexpr std::size_t ChoiceBytes = 4;

// One option by its long name, and its value as typed ("1" for a switch).
struct Setting {
    std::string option;
    std::string value;
    bool operator==(const Setting&) const = default;
};
using Settings = std::vector<Setting>;

// The values one dimension offers, each a few options set together; the first sets none (the
// converter's default). A dimension sets nothing unless an earlier one chose a setting of
// `onlyWith` (when it lists any), nor when one chose a setting of `unlessWith`: so that the
// settings never contradict each other, as an option without effect would.
struct Dimension {
    std::vector<Settings> values;
    Settings onlyWith = {};
    Settings unlessWith = {};
};
using Dimensions = std::vector<Dimension>;

namespace detail {

inline std::string LongName(Option option) { return std::string(NameOf(option).longName); }

// A dimension of the values the converter names for `option` (ValuesOf), but those `left`
// (the default's, given anyway), after the first value, which sets none.
inline Dimension ValuesDimension(Option option, std::initializer_list<std::string_view> left = {}, Settings onlyWith = {},
                                 Settings unlessWith = {}) {
    Dimension dimension{{{}}, std::move(onlyWith), std::move(unlessWith)};
    for (const std::string_view value : ValuesOf(option)) {
        if (std::ranges::find(left, value) == left.end()) dimension.values.push_back({{LongName(option), std::string(value)}});
    }
    return dimension;
}

// Where the picture or file goes, and in which form: the dimensions both kinds of input share.
inline std::vector<Dimension> OutputDimensions() {
    // A PNG or BMP has no C64 format, program or name.
    const Settings pictures{{"container", "png"}, {"container", "bmp"}};
    Dimension formats = ValuesDimension(Option::Format, {}, {}, pictures);
    formats.values.push_back({{"format", "sp2"}, {"fix-sp2-flaw", "1"}});
    const Settings named{{"name", "FUZZED"}};
    return {
        ValuesDimension(Option::Container),
        formats,
        ValuesDimension(Option::Palette),
        {{{}, named}, {}, pictures},
        // A program on standard output is named by --name.
        {{{}, {{"executable", "1"}}, {{"executable", "1"}, {"border", "auto"}}, {{"executable", "1"}, {"border", "2"}}}, named},
        {{{}, {{"preview", "preview.png"}}}},
        {{{}, {{"verbose", "1"}}, {{"quiet", "1"}}}},
        // --info: what the file is, instead of converting it; one input in four.
        {{{}, {}, {}, {{"info", "1"}}}},
    };
}

// A picture to koalize: a grey mode or a background, with `nearest` --nearest with its dither
// (none given: the picture refined as seen, its slowest part) and scaling, --backgrounds, the
// clash map, then the output's dimensions.
inline Dimensions KoalizingDimensions(bool nearest) {
    Dimension koalizing = ValuesDimension(Option::Mode, {ValuesOf(Option::Mode).front()});
    for (const Settings& background : ValuesDimension(Option::Background, {"auto"}).values) {
        if (!background.empty()) koalizing.values.push_back(background);
    }
    Dimensions made{koalizing, {{{}, {{"backgrounds", "1"}}}}, {{{}, {{"clash-map", "clash.png"}}}}};
    if (nearest) {
        const Settings asked{{"nearest", "1"}};
        // --nearest, the slowest road: one input in four.
        made.insert(made.end(), {{{{}, {}, {}, asked}}, ValuesDimension(Option::Dither, {}, asked),
                                 ValuesDimension(Option::Scale, {}, asked)});
    }
    for (Dimension& output : OutputDimensions()) made.push_back(std::move(output));
    return made;
}

}  // namespace detail

// A BMP: the koalizing road only, which the fuzzer goes many times a second (a BMP's --nearest
// road is the picture fuzzer's).
inline const Dimensions& BmpDimensions() {
    static const Dimensions dimensions = detail::KoalizingDimensions(false);
    return dimensions;
}

// A picture of any kind, --nearest included.
inline const Dimensions& PictureDimensions() {
    static const Dimensions dimensions = detail::KoalizingDimensions(true);
    return dimensions;
}

// A C64 file, which keeps its colours (no koalizing option): the entry a disk's is read from,
// then the output's dimensions.
inline const Dimensions& C64FileDimensions() {
    static const Dimensions dimensions = [] {
        Dimensions made{{{{}, {{"file", "PIC"}}}}};
        for (Dimension& output : detail::OutputDimensions()) made.push_back(std::move(output));
        return made;
    }();
    return dimensions;
}

// The settings the choice bytes pick.
inline Settings ChosenSettings(const Dimensions& dimensions, std::span<const std::uint8_t, ChoiceBytes> choice) {
    std::uint32_t number = 0;
    for (std::size_t b = ChoiceBytes; b-- > 0;) number = number << 8 | choice[b];
    Settings chosen;
    for (const Dimension& dimension : dimensions) {
        const Settings& value = dimension.values[number % dimension.values.size()];
        number /= static_cast<std::uint32_t>(dimension.values.size());
        const auto chose = [&](const Settings& settings) {
            return std::ranges::any_of(settings, [&](const Setting& s) { return std::ranges::count(chosen, s) > 0; });
        };
        const bool applies = (dimension.onlyWith.empty() || chose(dimension.onlyWith)) && !chose(dimension.unlessWith);
        if (applies) chosen.insert(chosen.end(), value.begin(), value.end());
    }
    return chosen;
}

// The choice bytes that pick `wanted`: in each dimension the value of the most settings that
// are all wanted, else its first. A setting no dimension offers stops the seed maker.
inline std::array<std::uint8_t, ChoiceBytes> ChoiceOf(const Dimensions& dimensions, const Settings& wanted) {
    std::uint64_t number = 0;
    std::uint64_t scale = 1;
    for (const Dimension& dimension : dimensions) {
        std::size_t pick = 0;
        for (std::size_t v = 1; v < dimension.values.size(); ++v) {
            const Settings& value = dimension.values[v];
            if (value.size() > dimension.values[pick].size() &&
                std::ranges::all_of(value, [&](const Setting& s) { return std::ranges::count(wanted, s) > 0; }))
                pick = v;
        }
        number += pick * scale;
        scale *= dimension.values.size();
    }
    std::array<std::uint8_t, ChoiceBytes> bytes{};
    for (std::uint8_t& byte : bytes) {
        byte = static_cast<std::uint8_t>(number & 0xFF);
        number >>= 8;
    }
    const Settings chosen = ChosenSettings(dimensions, bytes);
    const bool all = chosen.size() == wanted.size() &&
                     std::ranges::all_of(wanted, [&](const Setting& s) { return std::ranges::count(chosen, s) > 0; });
    if (scale > std::uint64_t{1} << (8 * ChoiceBytes) || number != 0 || !all) {
        std::fprintf(stderr, "no choice bytes pick these settings:");
        for (const Setting& setting : wanted) std::fprintf(stderr, " --%s %s", setting.option.c_str(), setting.value.c_str());
        std::fprintf(stderr, "\n");
        std::exit(1);
    }
    return bytes;
}

// A conversion fuzzer's seed: the bytes that pick `settings`, then the file.
inline void WriteChosenSeed(const std::string& dir, const std::string& name, const Dimensions& dimensions,
                            const Settings& settings, const std::vector<std::uint8_t>& file) {
    const auto choice = ChoiceOf(dimensions, settings);
    std::vector<std::uint8_t> seed(choice.begin(), choice.end());
    seed.insert(seed.end(), file.begin(), file.end());
    WriteSeed(dir, name, seed);
}

}  // namespace pxm::fuzz
