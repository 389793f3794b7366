// The C interface (include/pixmosaic.h) over the front door: each handle owns everything it
// gives out, so that separate handles never share state.
#include "pixmosaic.h"

#include <algorithm>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "core/palette/palette_book.h"
#include "core/version.h"
#include "core/view/preview.h"
#include "lib/conversion.h"
#include "lib/wording/shown_message.h"
#include "lib/wording/text_join.h"
#include "lib/wording/usage_error.h"

struct pxm_options {
    pxm::Options options;
    pxm::GivenOptions given{};
    std::vector<pxm::Option> order;  // the options given, in the order they were first set
    std::string error;
};

struct pxm_result {
    int status = pxm::ExitRefused;
    std::vector<unsigned char> file;
    bool hasFile = false;
    std::string message;
    std::vector<unsigned char> preview;  // RGBA
    int previewWidth = 0;
    int previewHeight = 0;
};

namespace {

using namespace pxm;

// The first koalizing option given, as the command line would spell it.
void NoteKoalizingOption(pxm_options& handle) {
    const auto first = std::find_if(handle.order.begin(), handle.order.end(), IsKoalizing);
    handle.options.koalizingOption = first == handle.order.end() ? std::string() : Spelling(*first);
}

int Refuse(pxm_options& handle, std::string error) {
    handle.error = std::move(error);
    return -1;
}

void SetGiven(pxm_options& handle, Option option, bool given) {
    handle.given[static_cast<std::size_t>(option)] = given;
    std::erase(handle.order, option);
    if (given) handle.order.push_back(option);
    NoteKoalizingOption(handle);
}

// RGB pixels with an opaque alpha.
void PutPreview(pxm_result& result, std::span<const Rgb> pixels, int width, int height) {
    result.preview.resize(pixels.size() * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        result.preview[4 * i] = pixels[i].r;
        result.preview[4 * i + 1] = pixels[i].g;
        result.preview[4 * i + 2] = pixels[i].b;
        result.preview[4 * i + 3] = 255;
    }
    result.previewWidth = width;
    result.previewHeight = height;
}

// What `pixmosaic-cli OPTIONS - -o OUTPUT` does with the input, OUTPUT being the option
// "output" or standard output: the file it would write, the preview, the words.
void ConvertInto(pxm_result& result, const pxm_options& handle, const InputFile& input) {
    const Options& options = handle.options;
    std::stringbuf words;
    std::ostream err(&words);
    std::ostream info(options.verbosity == Verbosity::Quiet ? nullptr : &words);
    const auto usage = [&](std::string_view error) {
        result.message = UsageErrorText(error);
        result.status = ExitUsage;
    };
    if (std::optional<std::string> error = CombinationError(options, handle.given)) return usage(*error);
    const std::string outputName = options.output.empty() ? std::string(StandardStream) : options.output;
    if (std::optional<std::string> error = ProgramNameError(options, StandardStream, outputName)) return usage(*error);
    Target target;
    if (!options.onlyListing()) {
        Result<OutputPlan, std::string> output = OutputFor(outputName, options);
        if (!output) return usage(output.error());
        target.output = std::move(*output);
    }
    Conversion conversion = Convert(options, input, target, {info, err});
    if (!conversion.outcome) {
        const ConversionFailure& failure = conversion.outcome.error();
        if (failure.kind == ConversionFailure::Kind::Usage) return usage(failure.text);
        if (failure.kind == ConversionFailure::Kind::SystemError) Show(err, msg::SystemErrorCaption, failure.file, failure.text);
        result.message = words.str();
        result.status = ExitRefused;
        // What a refused picture shows instead of a preview: its clash map, where there is one.
        if (failure.kind == ConversionFailure::Kind::Refused) {
            std::stringbuf unheard;
            std::ostream quiet(&unheard);
            target.clashMap = true;
            const Conversion mapped = Convert(options, input, target, {quiet, quiet});
            if (mapped.clashMap) PutPreview(result, mapped.clashMap->pixels, mapped.clashMap->width, mapped.clashMap->height);
        }
        return;
    }
    Converted& made = *conversion.outcome;
    result.message = words.str();
    result.status = ExitWritten;
    if (!target.output) return;
    result.file = std::move(made.file);
    result.hasFile = true;
    const auto pixels = std::make_unique<PreviewPixels>();
    RenderPreview(made.image, PaletteAt(made.palette), *pixels);
    PutPreview(result, *pixels, PreviewWidth, PreviewHeight);
}

template <class Convert>
pxm_result* NewResult(Convert&& convert) {
    try {
        auto result = std::make_unique<pxm_result>();
        convert(*result);
        return result.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

const pxm_options& OptionsOrDefaults(const pxm_options* options) {
    static const pxm_options defaults;
    return options != nullptr ? *options : defaults;
}

}  // namespace

extern "C" {

const char* pxm_version(void) { return PIXMOSAIC_VERSION; }

pxm_options* pxm_options_new(void) { return new (std::nothrow) pxm_options(); }

void pxm_options_free(pxm_options* options) { delete options; }

int pxm_options_set(pxm_options* options, const char* name, const char* value) {
    if (options == nullptr) return -1;
    if (name == nullptr) return Refuse(*options, "no option named");
    try {
        const OptionName* row = FindLongOption(name);
        if (row == nullptr) return Refuse(*options, Join({"unknown option ", Quoted(Join({"--", name}))}));
        const std::string spelled = Spelling(row->option);
        if (row->reach == Reach::CommandLine)
            return Refuse(*options, Join({spelled, " is an option of the command line: a conversion here writes no file"}));
        const std::string_view text = value == nullptr ? std::string_view() : std::string_view(value);
        const bool reset = row->takes == Argument::None ? text == "0" : text.empty();
        if (row->takes == Argument::None && !reset && text != "1")
            return Refuse(*options, Join({"option ", Quoted(spelled), " is a switch: 1 sets it, 0 clears it"}));
        if (reset) {
            ResetOption(row->option, options->options);
        } else if (Status<std::string> applied = ApplyOption(row->option, text, spelled, options->options); !applied) {
            return Refuse(*options, applied.error());
        }
        SetGiven(*options, row->option, !reset);
        options->error.clear();
        return 0;
    } catch (const std::bad_alloc&) {
        return Refuse(*options, "out of memory");
    }
}

const char* pxm_options_error(const pxm_options* options) { return options == nullptr ? "" : options->error.c_str(); }

pxm_result* pxm_convert(const pxm_options* options, const unsigned char* data, size_t size) {
    const pxm_options& handle = OptionsOrDefaults(options);
    return NewResult([&](pxm_result& result) {
        std::vector<std::uint8_t> bytes(data, data == nullptr ? data : data + size);
        ConvertInto(result, handle, TakeInput(std::move(bytes), MaxInputBytes(handle.options.nearest)));
    });
}

pxm_result* pxm_convert_rgba(const pxm_options* options, const unsigned char* rgba, int width, int height, size_t stride) {
    const pxm_options& handle = OptionsOrDefaults(options);
    return NewResult([&](pxm_result& result) {
        if (rgba == nullptr || width < 1 || height < 1 || stride < static_cast<std::size_t>(width) * 4) {
            result.message = "pixmosaic: no pixels: give RGBA rows of at least width * 4 bytes\n";
            return;
        }
        InputFile input;
        const std::size_t length = stride * static_cast<std::size_t>(height - 1) + static_cast<std::size_t>(width) * 4;
        input.pixels = RgbaPixels{{rgba, length}, width, height, stride};
        ConvertInto(result, handle, input);
    });
}

int pxm_result_status(const pxm_result* result) { return result == nullptr ? ExitRefused : result->status; }

const unsigned char* pxm_result_file(const pxm_result* result, size_t* size) {
    if (size != nullptr) *size = result != nullptr && result->hasFile ? result->file.size() : 0;
    return result != nullptr && result->hasFile ? result->file.data() : nullptr;
}

const char* pxm_result_message(const pxm_result* result) { return result == nullptr ? "" : result->message.c_str(); }

const unsigned char* pxm_result_preview(const pxm_result* result, int* width, int* height) {
    const bool has = result != nullptr && !result->preview.empty();
    if (width != nullptr) *width = has ? result->previewWidth : 0;
    if (height != nullptr) *height = has ? result->previewHeight : 0;
    return has ? result->preview.data() : nullptr;
}

void pxm_result_free(pxm_result* result) { delete result; }

}  // extern "C"
