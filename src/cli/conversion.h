#pragma once
// The whole conversion of one picture: read it, koalize it, build the file and put it on disk
// (or on standard output), telling the user what the Windows program would tell them.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>

#include "cli/cli_options.h"
#include "cli/output_plan.h"
#include "core/koala/koala_image.h"

namespace pxm::cli {

inline constexpr int ExitWritten = 0;
inline constexpr int ExitRefused = 1;
inline constexpr int ExitUsage = 2;

struct Streams {
    std::ostream& info;  // information lines: never where the file's bytes go
    std::ostream& err;   // refusals, failures, warnings
    std::ostream& data;  // standard output, for the output "-"
};

// ExitWritten, or ExitRefused after telling why on streams.err.
int ConvertPicture(const Job& job, const CliOptions& options, const Streams& streams);

// How the input shows its picture: the palette of PNG, BMP and preview outputs, and the border
// of an emulator screenshot or of a program that shows the picture (-x shows it with --border auto).
struct ShownAs {
    std::size_t palette = DefaultPalette;
    std::optional<std::uint8_t> border;
};

// The picture written as the job's output asks (any format and container, a program that shows
// it, or a PNG or BMP as a C64 shows it in the palette given), then the preview. A picture file
// is named --name's name, else `c64Name` (PETSCII), else its format's own. ExitWritten, or
// ExitRefused after telling why on streams.err.
int WriteJobOutputs(const KoalaImage& image, const Job& job, const CliOptions& options, const ShownAs& shown,
                    const Streams& streams, std::string_view c64Name = {});

// How messages name a path: "standard input" or "standard output" for "-".
std::string_view PathName(const std::string& path, bool isInput);

}  // namespace pxm::cli
