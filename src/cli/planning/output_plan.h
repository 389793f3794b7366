#pragma once
// What the converter will write for each input, decided from the command line before anything
// is read: the output's name, what it holds (its extension's row), the preview.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/options/cli_options.h"
#include "lib/output/image_output.h"
#include "lib/output/output_target.h"

namespace pxm::cli {

class DiskTarget;

struct Job {
    std::string input;                  // "-": standard input
    std::optional<OutputPlan> output;   // none: the backgrounds are only listed
    std::string preview;                // empty: none
    ImageOutput previewKind = ImageOutput::Png;
    std::string clashMap;               // empty: none
    ImageOutput clashMapKind = ImageOutput::Png;
    bool sharedDisk = false;  // the output is one D64 image that several inputs go onto
    std::string takenName;    // the output is numbered because another input writes this name; empty: not
    std::string takenBy;      // that input
    std::shared_ptr<DiskTarget> disk;  // the output is added to this disk; none: written anew
    std::size_t diskSlot = 0;
};

// The jobs, or a usage error.
using Plan = Result<std::vector<Job>, std::string>;

Plan PlanJobs(const CliOptions& options);

// A usage error when --preview or --clash-map names no PNG or BMP, or empty.
std::optional<std::string> SideFileNameError(const std::vector<Job>& jobs);

}  // namespace pxm::cli
