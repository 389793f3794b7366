#include "cli/jobs/batch.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <sstream>
#include <thread>

#include "cli/planning/disk_output.h"
#include "lib/output/petscii_text.h"
#include "lib/wording/text_join.h"
#include "platform/thread_setup.h"

namespace pxm::cli {

namespace {

struct Outcome {
    int status = ExitWritten;
    std::string info;  // the picture's information lines (shown with -v)
    std::string err;   // its refusal
};

// Outcomes filled by the workers, handed out in the order of the jobs.
class Outcomes {
public:
    explicit Outcomes(std::size_t count) : outcomes_(count), done_(count, false) {}
    void Put(std::size_t job, Outcome outcome) {
        {
            const std::lock_guard lock(mutex_);
            outcomes_[job] = std::move(outcome);
            done_[job] = true;
        }
        changed_.notify_all();
    }
    Outcome Take(std::size_t job) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_[job]; });
        return std::move(outcomes_[job]);
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Outcome> outcomes_;
    std::vector<bool> done_;
};

}  // namespace

int RunBatch(const std::vector<Job>& jobs, const CliOptions& options, unsigned threads, std::ostream& info,
             std::ostream& err) {
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, jobs.size()));
    // The workers keep the cores busy: each picture takes one thread.
    CliOptions each = options;
    if (threads > 1) each.threading = Threading::One;
    Outcomes outcomes(jobs.size());
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
        const platform::ThreadSetup setup;
        for (std::size_t job = next++; job < jobs.size(); job = next++) {
            std::ostringstream jobInfo;
            std::ostringstream jobErr;
            // A picture of a batch never goes to standard output: it cannot be told from the lines.
            Outcome outcome;
            outcome.status = ConvertPicture(jobs[job], each, {jobInfo, jobErr, jobErr});
            outcome.info = jobInfo.str();
            outcome.err = jobErr.str();
            outcomes.Put(job, std::move(outcome));
        }
    };
    std::vector<std::jthread> workers;
    for (unsigned t = 0; t < threads; ++t) workers.emplace_back(work);

    // One disk for all: written when every picture is made, its lines told after.
    const std::shared_ptr<DiskTarget> disk = jobs.front().sharedDisk ? jobs.front().disk : nullptr;
    std::vector<Outcome> onDisk;
    if (disk) {
        for (std::size_t job = 0; job < jobs.size(); ++job) onDisk.push_back(outcomes.Take(job));
        const std::vector<DiskWriting> writings = disk->Write();
        for (std::size_t job = 0; job < jobs.size(); ++job) {
            const DiskWriting& writing = writings[jobs[job].diskSlot];
            if (onDisk[job].status != ExitWritten || writing.text.empty()) continue;
            onDisk[job].status = ExitRefused;
            // The disk's refusal names the disk; the line names the input it refused.
            onDisk[job].err = Join({jobs[job].input, ": ", writing.caption, ": ", writing.text});
        }
    }

    int worst = ExitWritten;
    std::size_t written = 0;
    for (std::size_t job = 0; job < jobs.size(); ++job) {
        const Outcome outcome = disk ? std::move(onDisk[job]) : outcomes.Take(job);
        const std::string_view input = jobs[job].input;
        worst = std::max(worst, outcome.status);
        if (outcome.status == ExitWritten) {
            ++written;
            info << input << ": written " << jobs[job].output->path;
            if (!jobs[job].takenName.empty()) info << " (" << jobs[job].takenName << " is " << jobs[job].takenBy << "'s)";
            if (disk) info << " as \"" << PetsciiText(disk->NameOf(jobs[job].diskSlot)) << '"';
            info << '\n';
            if (!outcome.err.empty()) err << input << ": " << OneLine(outcome.err) << '\n';  // a warning
        } else {
            err << OneLine(outcome.err) << '\n';  // a refusal names its file
        }
        if (options.verbosity == Verbosity::Verbose && !outcome.info.empty())
            info << input << ": " << OneLine(outcome.info) << '\n';
        info.flush();
    }
    info << jobs.size() << " pictures: " << written << " written, " << jobs.size() - written << " refused.\n";
    return worst;
}

}  // namespace pxm::cli
