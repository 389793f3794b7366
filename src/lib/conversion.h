#pragma once
// The front door: one input (a file's bytes, or RGBA pixels) converted with the options into the
// output file, its preview and its clash map, telling on two streams what the converter tells.
// Nothing is written to any file here: the caller writes the bytes where they go.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "core/base/result.h"
#include "core/koala/koala_image.h"
#include "core/palette/c64_palettes.h"
#include "core/view/clash_map.h"
#include "lib/options.h"
#include "lib/output/output_target.h"
#include "lib/reading/input_file.h"

namespace pxm {

// The converter's exit statuses.
inline constexpr int ExitWritten = 0;
inline constexpr int ExitRefused = 1;
inline constexpr int ExitUsage = 2;

struct Streams {
    std::ostream& info;  // information lines
    std::ostream& err;   // refusals, failures, warnings
};

// What the conversion makes of one input, decided before it is read.
struct Target {
    std::string input = std::string(StandardStream);  // the input's path as given ("-": standard input)
    std::optional<OutputPlan> output;                   // none: the backgrounds are only listed
    bool onDisk = false;                    // the file is added to a D64 image: made in its PRG form
    std::optional<std::string> diskName;    // on a disk several inputs go onto: its name there (PETSCII)
    std::optional<ImageOutput> preview;     // the preview file to make
    bool clashMap = false;                  // the clash map's pixels to make
};

struct Converted {
    std::vector<std::uint8_t> file;     // the output's bytes; empty when the backgrounds are only listed
    std::string c64Name;                // PETSCII: the name a disk files it under
    std::vector<std::uint8_t> preview;  // the preview file, when asked
    KoalaImage image{};                 // the picture
    std::size_t palette = DefaultPalette;  // the palette it is shown in
};

// Refused: told on the streams already. Usage: the options do not fit the input (text: the
// usage error). SystemError: a file could not be made (text: the system's words about `file`).
struct ConversionFailure {
    enum class Kind { Refused, Usage, SystemError };
    Kind kind = Kind::Refused;
    std::string text;
    std::string file;
};

struct Conversion {
    Result<Converted, ConversionFailure> outcome = Fail(ConversionFailure{});
    std::optional<RgbPicture> clashMap;  // asked for and made: whether the picture converted or not
};

Conversion Convert(const Options& options, const InputFile& input, const Target& target, const Streams& streams);

// How messages name a path: "standard input" or "standard output" for "-".
std::string_view PathName(const std::string& path, bool isInput);

}  // namespace pxm
