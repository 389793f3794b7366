#pragma once
// What an output holds, told by its name's extension (output_names.h) and the options: the kind,
// the format and the container; or why the name and the options contradict each other.
#include <string>
#include <string_view>

#include "core/base/result.h"
#include "lib/options.h"
#include "lib/output/output_names.h"

namespace pxm {

struct OutputPlan {
    std::string path;  // "-": standard output
    OutputKind kind = OutputKind::C64File;
    ExportFormat format = ExportFormat::Koala;
    Container container = Container::Prg;
    bool formatGiven = false;  // by -f or the extension; a C64 input keeps its own otherwise
};

// The extension a name given without one of its own takes: the container's, or png or bmp.
std::string_view ExtensionFor(const Options& options);

// What the output named `path` ("-": standard output) holds; the failure is a usage error.
Result<OutputPlan, std::string> OutputFor(const std::string& path, const Options& options);

}  // namespace pxm
