#pragma once
// What the converter will write for each input, decided from the command line before anything
// is read: the output's name, what it holds (its extension's row), the preview.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/image_output.h"
#include "cli/output_names.h"

namespace pxm::cli {

class DiskTarget;

struct OutputPlan {
    std::string path;  // "-": standard output
    OutputKind kind = OutputKind::C64File;
    ExportFormat format = ExportFormat::Koala;
    Container container = Container::Prg;
    bool formatGiven = false;  // by -f or the extension; a C64 input keeps its own otherwise
};

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

struct Plan {
    std::vector<Job> jobs;
    std::string error;  // a usage error; no jobs then
};

Plan PlanJobs(const CliOptions& options);

// A usage error when --preview or --clash-map names no PNG or BMP, or empty.
std::string SideFileNameError(const std::vector<Job>& jobs);

}  // namespace pxm::cli
