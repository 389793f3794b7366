#include "cli/jobs/conversion.h"

#include <chrono>

#include "cli/planning/disk_output.h"
#include "cli/jobs/input_file.h"
#include "cli/wording/terminal_message.h"
#include "core/text/messages.h"
#include "lib/output/image_output.h"
#include "lib/wording/verbose_lines.h"
#include "platform/file_write.h"

namespace pxm::cli {

namespace {

// "System Error: pics/a.png: No such file or directory" (the system's own words).
int ShowSystemError(std::ostream& err, std::string_view path, std::string_view text) {
    Show(err, msg::SystemErrorCaption, path, text);
    return ExitRefused;
}

// Every file the converter writes goes through here: to path safely (never half a file, never
// the file it replaces lost), or to standard output for "-"; the system's text when that failed.
std::string WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes, const JobStreams& streams) {
    if (path != StandardStream) {
        const Status<platform::SystemError> written = platform::WriteFileReplacing(path, bytes);
        return written ? std::string{} : platform::SystemErrorText(written.error());
    }
    streams.data.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    streams.data.flush();
    return streams.data ? std::string() : std::string("The data could not be written.");
}

// The clash map written whether the picture converted or not.
int WriteClashMap(const Job& job, const RgbPicture& map, const JobStreams& streams) {
    const ImageFile file = BuildRgbImageFile(map, job.clashMapKind);
    const std::string error = file ? WriteOutput(job.clashMap, *file, streams) : file.error().words;
    return error.empty() ? ExitWritten : ShowSystemError(streams.err, PathName(job.clashMap, false), error);
}

// The output (onto its disk, or into its file) and the preview.
int WriteConverted(const Job& job, Converted& made, const JobStreams& streams) {
    streams.info.flush();
    if (job.disk) {
        job.disk->Put(job.diskSlot, std::move(made.file), made.c64Name);
        // Several inputs' disk is written when all are made (RunBatch); one input's now.
        if (!job.sharedDisk) {
            if (const DiskWriting written = job.disk->Write().front(); !written.text.empty()) {
                Show(streams.err, written.caption, written.text);
                return ExitRefused;
            }
        }
    } else if (const std::string error = WriteOutput(job.output->path, made.file, streams); !error.empty()) {
        return ShowSystemError(streams.err, PathName(job.output->path, false), error);
    }
    if (!job.preview.empty()) {
        if (const std::string error = WriteOutput(job.preview, made.preview, streams); !error.empty())
            return ShowSystemError(streams.err, PathName(job.preview, false), error);
    }
    return ExitWritten;
}

Target TargetOf(const Job& job) {
    Target target;
    target.input = job.input;
    target.output = job.output;
    target.onDisk = job.disk != nullptr;
    if (job.sharedDisk) target.diskName = job.disk->NameOf(job.diskSlot);
    if (!job.preview.empty()) target.preview = job.previewKind;
    target.clashMap = !job.clashMap.empty();
    return target;
}

}  // namespace

int ConvertPicture(const Job& job, const CliOptions& options, const JobStreams& streams) {
    const auto started = std::chrono::steady_clock::now();
    const Result<InputFile, UnreadInput> input = ReadInputFile(job.input, MaxInputBytes(options.nearest));
    if (!input) {
        Show(streams.err, input.error().caption, PathName(job.input, true), input.error().text);
        return ExitRefused;
    }
    Conversion conversion = Convert(options, *input, TargetOf(job), {streams.info, streams.err});
    if (!conversion.outcome) {
        const ConversionFailure& failure = conversion.outcome.error();
        if (failure.kind == ConversionFailure::Kind::Usage) return ShowUsageError(streams.err, failure.text);
    }
    if (conversion.clashMap) {
        if (const int status = WriteClashMap(job, *conversion.clashMap, streams); status != ExitWritten) return status;
    }
    if (!conversion.outcome) {
        const ConversionFailure& failure = conversion.outcome.error();
        if (failure.kind == ConversionFailure::Kind::SystemError) return ShowSystemError(streams.err, failure.file, failure.text);
        return ExitRefused;
    }
    if (!job.output) return ExitWritten;
    if (const int status = WriteConverted(job, *conversion.outcome, streams); status != ExitWritten) return status;
    if (options.verbosity == Verbosity::Verbose) streams.info << TimeTakenLine(std::chrono::steady_clock::now() - started) << '\n';
    return ExitWritten;
}

}  // namespace pxm::cli
