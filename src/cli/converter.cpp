#include "cli/converter.h"

#include "cli/jobs/batch.h"
#include "cli/options/cli_options.h"
#include "cli/planning/disk_output.h"
#include "cli/jobs/file_info.h"
#include "cli/options/help_text.h"
#include "cli/planning/output_plan.h"
#include "cli/options/own_palette.h"
#include "cli/planning/same_file.h"
#include "cli/wording/terminal_message.h"
#include "core/text/messages.h"
#include "platform/core_placement.h"
#include "platform/folders.h"
#include "platform/system_error.h"

namespace pxm::cli {

namespace {

// Every file the jobs write must go into a folder that is there, and must not be a folder:
// told before any picture is read. ExitWritten when all is well.
int CheckOutputPlaces(const std::vector<Job>& jobs, std::ostream& err) {
    for (const Job& job : jobs) {
        for (const std::string* path : {job.output ? &job.output->path : nullptr, &job.preview, &job.clashMap}) {
            if (path == nullptr || path->empty() || *path == StandardStream) continue;
            if (platform::IsFolder(*path)) {
                Show(err, RefusalCaption, *path, "This is a folder: give a file name, or end it with / to write into it.");
                return ExitRefused;
            }
            if (const Status<platform::SystemError> folder = platform::CheckFolderOf(*path); !folder) {
                Show(err, msg::SystemErrorCaption, *path, platform::SystemErrorText(folder.error()));
                return ExitRefused;
            }
        }
    }
    return ExitWritten;
}

// Whether the data goes to standard output, where information lines would spoil it.
bool WritesToStandardOutput(const Job& job) {
    return (job.output && IsStandardOutput(job.output->path)) || (!job.preview.empty() && IsStandardOutput(job.preview)) ||
           (!job.clashMap.empty() && IsStandardOutput(job.clashMap));
}

}  // namespace

int RunConverter(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    const ParsedCommandLine command = ParseCommandLine(args);
    switch (command.action) {
        case ParsedCommandLine::Action::Help: out << HelpText(); return ExitWritten;
        case ParsedCommandLine::Action::Version: out << VersionText; return ExitWritten;
        case ParsedCommandLine::Action::UsageError: return ShowUsageError(err, command.error);
        case ParsedCommandLine::Action::Convert: break;
    }
    for (const std::string& warning : command.warnings) err << "pixmosaic-cli: warning: " << warning << '\n';
    CliOptions options = command.options;
    options.placement = platform::SecondThreadPlacement();
    if (!options.paletteFile.empty()) {
        if (const int status = LoadOwnPalette(options.paletteFile, err); status != ExitWritten) return status;
    }
    std::ostream quiet(nullptr);
    if (options.info) return ShowFileInfo(options, options.verbosity == Verbosity::Quiet ? quiet : out);

    Plan plan = PlanJobs(options);
    if (!plan) return ShowUsageError(err, plan.error());
    std::vector<Job>& jobs = *plan;
    SeparateSameOutputs(jobs);
    if (const std::optional<std::string> error = SameFileError(jobs)) return ShowUsageError(err, *error);
    if (const std::optional<std::string> error = SideFileNameError(jobs)) return ShowUsageError(err, *error);
    if (const int status = CheckOutputPlaces(jobs, err); status != ExitWritten) return status;
    if (const int status = PlanDiskTargets(jobs, options, err); status != ExitWritten) return status;

    if (jobs.size() > 1) return RunBatch(jobs, options, options.jobs, options.verbosity == Verbosity::Quiet ? quiet : out, err);
    const Job& job = jobs.front();
    std::ostream& info = options.verbosity == Verbosity::Quiet ? quiet : WritesToStandardOutput(job) ? err : out;
    return ConvertPicture(job, options, {info, err, out});
}

}  // namespace pxm::cli
