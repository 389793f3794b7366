#include "cli/planning/output_plan.h"

#include "lib/output/output_target.h"

#include "lib/wording/c64_refusal.h"
#include "lib/wording/text_join.h"
#include "platform/folders.h"
#include "platform/path_parts.h"

namespace pxm::cli {

namespace {

bool EndsInSeparator(std::string_view path) {
    return !path.empty() && platform::PathSeparators.find(path.back()) != std::string_view::npos;
}

// A file named after the input, with the extension: beside the input, or in `folder`.
std::string NamedAfter(std::string_view input, std::string_view folder, std::string_view extension) {
    const std::string_view stem = WithoutExtension(input);
    const std::string_view name = folder.empty() ? stem : stem.substr(stem.find_last_of(platform::PathSeparators) + 1);
    const std::string_view separator = folder.empty() || EndsInSeparator(folder) ? "" : "/";
    return Join({folder, separator, name, ".", extension});
}

// Whether a path given for files names a folder to write them into: it ends in a separator, or
// (several inputs) it is a folder.
bool NamesFolder(const std::string& path, std::size_t inputs) {
    return !path.empty() && (EndsInSeparator(path) || (inputs > 1 && platform::IsFolder(path)));
}

// --preview or --clash-map for one input: the file given, or a PNG named after the input in the
// folder given. An error when several inputs would write one file.
std::string SideFileFor(const std::string& given, std::string_view option, const std::string& input,
                        std::size_t inputs, std::string& error) {
    if (!NamesFolder(given, inputs)) {
        if (!given.empty() && inputs > 1)
            error = Join({option, " names one file: with several inputs give a folder to write into (end it with /)"});
        return given;
    }
    if (input == StandardStream) {
        error = Join({"standard input (-) has no name to name the ", option, " file after: give ", option, " FILE"});
        return {};
    }
    return NamedAfter(input, given, "png");
}

// --preview and --clash-map write a BMP when so named, else a PNG (standard output, or a name
// SideFileNameError refuses).
ImageOutput ImageKindOf(std::string_view path) {
    const std::optional<OutputExtension> row = OutputExtensionOf(path);
    return row && row->kind == OutputKind::PictureBmp ? ImageOutput::Bmp : ImageOutput::Png;
}

bool IsNamedAsPicture(const std::string& path) {
    const std::optional<OutputExtension> row = OutputExtensionOf(path);
    return path.empty() || path == StandardStream || (row && IsPicture(row->kind));
}

}  // namespace

std::optional<std::string> SideFileNameError(const std::vector<Job>& jobs) {
    for (const Job& job : jobs) {
        for (const auto& [option, path] : {std::pair<std::string_view, const std::string&>{"--preview", job.preview},
                                           {"--clash-map", job.clashMap}}) {
            if (!IsNamedAsPicture(path))
                return Join({option, " ", Quoted(path), " is not named as a picture the converter writes: name it .png or .bmp"});
        }
    }
    return {};
}

Plan PlanJobs(const CliOptions& options) {
    std::vector<Job> jobs;
    std::string error;
    // -o ending in a separator is --output-dir; so is an existing folder for several inputs (for
    // one input, writing would be refused, naming the folder).
    const bool outputIsFolder = NamesFolder(options.output, options.inputs.size());
    const std::string folder = outputIsFolder ? options.output : options.outputDir;
    // Several inputs may go onto one disk image, each under a name of its own.
    const std::optional<OutputExtension> outputRow = OutputExtensionOf(options.output);
    const bool sharedDisk = options.inputs.size() > 1 && !options.output.empty() && !outputIsFolder && outputRow &&
                            outputRow->kind == OutputKind::C64File && outputRow->container == Container::D64;
    if (sharedDisk && options.c64Name)
        return Fail(Join({"--name names one file: the pictures on ", Quoted(options.output), " are each named after their input"}));
    if (options.inputs.size() > 1 && !options.output.empty() && !outputIsFolder && !sharedDisk)
        return Fail(Join({"several inputs need a folder to write into: -o ", Quoted(options.output),
                          " names one file (end it with / for a folder, or give --output-dir)"}));
    for (const std::string& input : options.inputs) {
        Job job;
        job.input = input;
        job.preview = SideFileFor(options.preview, "--preview", input, options.inputs.size(), error);
        job.previewKind = ImageKindOf(job.preview);
        job.clashMap = SideFileFor(options.clashMap, "--clash-map", input, options.inputs.size(), error);
        job.clashMapKind = ImageKindOf(job.clashMap);
        if (!error.empty()) return Fail(std::move(error));
        job.sharedDisk = sharedDisk;
        if (!options.onlyListing()) {
            const std::string path =
                options.output.empty() || outputIsFolder ? NamedAfter(input, folder, ExtensionFor(options)) : options.output;
            Result<OutputPlan, std::string> output = OutputFor(path, options);
            if (!output) return Fail(output.error());
            job.output = std::move(*output);
        }
        jobs.push_back(std::move(job));
    }
    return jobs;
}

}  // namespace pxm::cli
