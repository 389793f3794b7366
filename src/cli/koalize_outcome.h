#pragma once
// The Koalize step of the converter: the routine of the chosen mode, and what the user is told
// about its outcome — the Windows program's message plus, for a refusal, where it happened.
#include <cstdint>
#include <string>

#include "cli/cli_options.h"
#include "core/import/bmp_reader.h"
#include "core/import/canvas.h"
#include "core/koala/koala_image.h"
#include "core/text/messages.h"

namespace pxm::cli {

struct KoalizeOutcome {
    bool ok = false;
    std::string information;         // success: a line for stdout, or empty
    const Message* error = nullptr;  // refusal: the Windows program's message
    std::string detail;              // refusal: the cell or pixel that stopped it
};

KoalizeOutcome Koalize(const Canvas& canvas, const BmpInfo& info, KoalaImage& image, const CliOptions& options);

}  // namespace pxm::cli
