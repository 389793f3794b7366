#include "cli/planning/disk_output.h"

#include <algorithm>

#include "cli/jobs/conversion.h"
#include "lib/wording/disk_refusal.h"
#include "cli/jobs/input_file.h"
#include "lib/output/program_name.h"
#include "cli/wording/terminal_message.h"
#include "lib/wording/text_join.h"
#include "core/disk/block_chain.h"
#include "core/disk/d64_image.h"
#include "core/disk/d64_layout.h"
#include "core/disk/disk_addition.h"
#include "core/format/c64_file.h"
#include "platform/file_identity.h"
#include "platform/file_write.h"
#include "platform/system_error.h"

namespace pxm::cli {

namespace {

// The C64 name a job's file takes on the disk: on a disk shared by several inputs, the input's
// name; else as a disk written anew names it.
std::string C64NameOf(const Job& job, const CliOptions& options) {
    if (job.sharedDisk) return ProgramName(job.input).petscii;
    if (options.c64Name) return *options.c64Name;
    if (options.executable) return ProgramName(job.output->path == StandardStream ? job.input : job.output->path).petscii;
    return std::string(InfoOf(job.output->format).c64Name);
}

// "A-2": the nth name, cut to leave room for its number.
std::string NumberedName(const std::string& name, int n) {
    const std::string suffix = Join({"-", std::to_string(n)});
    return Join({std::string_view(name).substr(0, C64NameLength - suffix.size()), suffix});
}

// The disk at the job's output, read and checked; none after telling on err why not.
std::shared_ptr<DiskTarget> OpenDisk(const Job& job, const CliOptions& options, std::ostream& err) {
    // One byte past the largest image tells a longer file.
    const Result<InputFile, UnreadInput> read = ReadInputFile(job.output->path, D64ImageSizes.back() + 1);
    if (!read) {
        Show(err, read.error().caption, job.output->path, read.error().text);
        return nullptr;
    }
    Result<DiskContents, DiskDamage> checked = ReadDiskContents(read->bytes);
    if (!checked) {
        Show(err, RefusalCaption, DiskDamageText(job.output->path, checked.error()));
        return nullptr;
    }
    return std::make_shared<DiskTarget>(job.output->path, read->bytes, std::move(checked).value(), options.replace);
}

}  // namespace

DiskTarget::DiskTarget(std::string path, std::vector<std::uint8_t> disk, DiskContents contents, bool replace)
    : path_(std::move(path)), disk_(std::move(disk)), contents_(std::move(contents)), replace_(replace) {}

std::size_t DiskTarget::AddSlot(std::string c64Name) {
    slots_.push_back({std::move(c64Name), std::nullopt});
    return slots_.size() - 1;
}

void DiskTarget::Put(std::size_t slot, std::vector<std::uint8_t> program, std::string c64Name) {
    const std::lock_guard lock(mutex_);
    slots_[slot] = {std::move(c64Name), std::move(program)};
}

bool DiskTarget::HasSlotNamed(std::string_view c64Name) const {
    return std::any_of(slots_.begin(), slots_.end(), [&](const Slot& slot) { return slot.c64Name == c64Name; });
}

std::vector<DiskWriting> DiskTarget::Write() {
    const std::lock_guard lock(mutex_);
    std::vector<DiskWriting> results(slots_.size());
    std::vector<std::size_t> added;
    for (std::size_t s = 0; s < slots_.size(); ++s) {
        if (!slots_[s].program) continue;
        const Bytes program = *slots_[s].program;
        const C64File file{*WordAt(program, 0), slots_[s].c64Name, program.subspan(LoadAddressSize)};
        if (const Status<AdditionFailure> status = AddToDisk(disk_, contents_, file, replace_); !status) {
            results[s] = {RefusalCaption, AdditionFailureText(path_, slots_[s].c64Name, status.error())};
        } else {
            added.push_back(s);
        }
    }
    if (added.empty()) {
        for (DiskWriting& result : results) {
            if (!result.text.empty()) result.text += " The disk has not been changed.";
        }
        return results;
    }
    if (const Status<platform::SystemError> written = platform::WriteFileReplacing(path_, disk_); !written) {
        for (const std::size_t s : added)
            results[s] = {msg::SystemErrorCaption, Join({path_, ": ", platform::SystemErrorText(written.error())})};
    }
    return results;
}

int PlanDiskTargets(std::vector<Job>& jobs, const CliOptions& options, std::ostream& err) {
    const auto onDisk = [](const Job& job) {
        return job.output && job.output->kind == OutputKind::C64File && job.output->container == Container::D64;
    };
    if (options.replace && std::none_of(jobs.begin(), jobs.end(), onDisk))
        return ShowUsageError(err, "--replace has no effect: it replaces a file on a D64 image (-o DISK.d64)");
    // A numbered name keeps clear of the names other inputs have by themselves.
    std::vector<std::string> plainNames;
    for (const Job& job : jobs) plainNames.push_back(onDisk(job) && job.sharedDisk ? C64NameOf(job, options) : std::string());
    const auto isPlainName = [&](const std::string& name) {
        return std::find(plainNames.begin(), plainNames.end(), name) != plainNames.end();
    };
    std::shared_ptr<DiskTarget> shared;
    for (Job& job : jobs) {
        if (!onDisk(job) || job.output->path == StandardStream) continue;
        const bool exists = platform::IdentityOf(job.output->path).has_value();
        if (!exists && !job.sharedDisk) continue;
        std::shared_ptr<DiskTarget> disk = job.sharedDisk ? shared : nullptr;
        if (!disk) {
            disk = exists ? OpenDisk(job, options, err)
                          : std::make_shared<DiskTarget>(job.output->path, EmptyD64Image(), EmptyDiskContents(), options.replace);
            if (!disk) return ExitRefused;
            if (job.sharedDisk) shared = disk;
        }
        const std::string plain = C64NameOf(job, options);
        std::string name = plain;
        for (int n = 2; disk->HasSlotNamed(name) || (name != plain && isPlainName(name)); ++n) name = NumberedName(plain, n);
        if (const DiskFileEntry* entry = FindOnDisk(disk->contents(), name)) {
            const AdditionFailureKind kind = !options.replace                 ? AdditionFailureKind::NameTaken
                                             : entry->type != ClosedProgramType ? AdditionFailureKind::NotAProgram
                                                                                : AdditionFailureKind::DiskFull;
            if (kind != AdditionFailureKind::DiskFull)
                return ShowUsageError(err, AdditionFailureText(job.output->path, name, {kind, 0, 0, entry->type}));
        }
        job.disk = disk;
        job.diskSlot = disk->AddSlot(std::move(name));
    }
    return ExitWritten;
}

}  // namespace pxm::cli
