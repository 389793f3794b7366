#pragma once
// What the library's tests share: conversions through the C interface and through Convert, what
// each gives back held as plain values.
#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/palette/rgb.h"
#include "lib/conversion.h"
#include "pixmosaic.h"

namespace pxm::test {

struct OptionsFree {
    void operator()(pxm_options* options) const { pxm_options_free(options); }
};
struct ResultFree {
    void operator()(pxm_result* result) const { pxm_result_free(result); }
};
using OptionsHandle = std::unique_ptr<pxm_options, OptionsFree>;
using ResultHandle = std::unique_ptr<pxm_result, ResultFree>;

// Long options without their dashes and their values, as pxm_options_set takes them.
using OptionList = std::vector<std::pair<std::string, std::string>>;

// A handle with every option set, each expected to be taken.
inline OptionsHandle OptionsWith(const OptionList& list) {
    OptionsHandle options(pxm_options_new());
    for (const auto& [name, value] : list) {
        EXPECT_EQ(pxm_options_set(options.get(), name.c_str(), value.c_str()), 0)
            << name << "=" << value << ": " << pxm_options_error(options.get());
    }
    return options;
}

// Everything a result gives out, copied.
struct Outcome {
    int status = -1;
    bool hasFile = false;
    std::vector<std::uint8_t> file;
    std::string message;
    int width = 0;  // the preview's (or the clash map's); 0: none
    int height = 0;
    std::vector<std::uint8_t> rgba;

    Rgb At(int x, int y) const {
        const std::size_t at = 4 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x));
        return {rgba[at], rgba[at + 1], rgba[at + 2]};
    }
    // The preview's pixels, row by row.
    std::vector<Rgb> Pixels() const {
        std::vector<Rgb> pixels;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) pixels.push_back(At(x, y));
        }
        return pixels;
    }
};

inline Outcome OutcomeOf(const pxm_result* result) {
    Outcome outcome;
    outcome.status = pxm_result_status(result);
    std::size_t size = 0;
    const unsigned char* file = pxm_result_file(result, &size);
    outcome.hasFile = file != nullptr;
    if (file != nullptr) outcome.file.assign(file, file + size);
    outcome.message = pxm_result_message(result);
    const unsigned char* rgba = pxm_result_preview(result, &outcome.width, &outcome.height);
    if (rgba != nullptr) outcome.rgba.assign(rgba, rgba + 4 * static_cast<std::size_t>(outcome.width) * static_cast<std::size_t>(outcome.height));
    return outcome;
}

// A file's bytes converted as "pixmosaic-cli OPTIONS - -o -" converts them.
inline Outcome Converted(const pxm_options* options, std::span<const std::uint8_t> bytes) {
    const ResultHandle result(pxm_convert(options, bytes.data(), bytes.size()));
    EXPECT_NE(result, nullptr);
    return result ? OutcomeOf(result.get()) : Outcome{};
}
inline Outcome Converted(const OptionList& list, std::span<const std::uint8_t> bytes) {
    return Converted(OptionsWith(list).get(), bytes);
}

inline Outcome ConvertedRgba(const pxm_options* options, const std::vector<std::uint8_t>& rgba, int width, int height,
                             std::size_t stride) {
    const ResultHandle result(pxm_convert_rgba(options, rgba.data(), width, height, stride));
    EXPECT_NE(result, nullptr);
    return result ? OutcomeOf(result.get()) : Outcome{};
}

// Through the front door itself: the conversion and what it told on each stream.
struct Told {
    Conversion conversion;
    std::string info;
    std::string err;
};

// The options, each read by ApplyOption as the command line reads it.
inline Options OptionsOf(const std::vector<std::pair<Option, std::string>>& given) {
    Options options;
    for (const auto& [option, value] : given) {
        const Status<std::string> applied = ApplyOption(option, value, Spelling(option), options);
        EXPECT_TRUE(applied) << Spelling(option) << " " << value;
    }
    return options;
}

// A file's bytes converted onto standard output (a Koala PRG by default; nothing when the
// backgrounds are only listed), the clash map made when asked.
inline Conversion ConvertInto(const Options& options, std::vector<std::uint8_t> bytes, std::ostream& info,
                              std::ostream& err, bool clashMap = false) {
    Target target;
    target.clashMap = clashMap;
    if (!options.onlyListing()) {
        Result<OutputPlan, std::string> output = OutputFor(std::string(StandardStream), options);
        EXPECT_TRUE(output);
        if (output) target.output = std::move(*output);
    }
    return Convert(options, TakeInput(std::move(bytes), MaxInputBytes(options.nearest)), target, {info, err});
}

inline Told ConvertTold(const Options& options, std::vector<std::uint8_t> bytes, bool clashMap = false) {
    std::ostringstream info;
    std::ostringstream err;
    Told told{ConvertInto(options, std::move(bytes), info, err, clashMap), {}, {}};
    told.info = info.str();
    told.err = err.str();
    return told;
}

}  // namespace pxm::test
