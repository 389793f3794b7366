#include "cli/jobs/file_info.h"

#include "cli/jobs/input_file.h"
#include "core/text/messages.h"
#include "lib/conversion.h"
#include "lib/description.h"

namespace pxm::cli {

namespace {

InfoBlock FileInfo(const std::string& path, const CliOptions& options) {
    // As much as --nearest reads, so that the block can tell whether it takes the file.
    const Result<InputFile, UnreadInput> input = ReadInputFile(path, MaxScalableFileBytes);
    if (!input) return {{}, input.error().text};
    return DescribeFile(*input, options);
}

}  // namespace

int ShowFileInfo(const CliOptions& options, std::ostream& out) {
    int status = ExitWritten;
    for (std::size_t i = 0; i < options.inputs.size(); ++i) {
        const std::string& path = options.inputs[i];
        const InfoBlock block = FileInfo(path, options);
        out << (i == 0 ? "" : "\n") << "File: " << PathName(path, true) << '\n' << AnsiToUtf8(block.text);
        if (!block.refusal.empty()) {
            out << "Not read: " << AnsiToUtf8(block.refusal) << '\n';
            status = ExitRefused;
        }
    }
    return status;
}

}  // namespace pxm::cli
