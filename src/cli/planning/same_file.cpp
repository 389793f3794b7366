#include "cli/planning/same_file.h"

#include <algorithm>
#include <optional>

#include "lib/output/output_names.h"
#include "lib/wording/text_join.h"
#include "platform/file_identity.h"
#include "platform/path_parts.h"

namespace pxm::cli {

namespace {

// A file by its identity; one not there yet by its folder's identity and its name.
struct FileKey {
    std::optional<platform::FileIdentity> file;
    std::optional<platform::FileIdentity> folder;
    std::string name;
    friend bool operator==(const FileKey&, const FileKey&) = default;
};

std::string FoldedName(std::string_view name) {
    std::string folded(name);
#ifdef _WIN32
    // Windows file names match whatever their case.
    for (char& c : folded) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
#endif
    return folded;
}

FileKey KeyOf(const std::string& path) {
    // Standard output is the file it goes to (so "-" and /dev/stdout are one), or "-" when that is
    // no file that can be told.
    if (path == StandardStream) {
        if (auto standard = platform::StandardOutputIdentity()) return {standard, std::nullopt, {}};
        return {std::nullopt, std::nullopt, std::string(StandardStream)};
    }
    if (auto file = platform::IdentityOf(path)) return {file, std::nullopt, {}};
    const platform::PathParts parts = platform::SplitPath(path);
    const std::string folder = parts.directory.empty() ? "." : std::string(parts.directory);
    return {std::nullopt, platform::IdentityOf(folder), FoldedName(parts.name)};
}

struct Named {
    std::string_view role;  // "the input", "the output", "the preview", "the clash map"
    const std::string* path;
    FileKey key;
};

// "out/a-2.prg": the nth name of a path.
std::string Numbered(std::string_view path, int n) {
    const std::string_view extension = ExtensionOf(path);
    return Join({WithoutExtension(path), "-", std::to_string(n), extension.empty() ? "" : ".", extension});
}

}  // namespace

void SeparateSameOutputs(std::vector<Job>& jobs) {
    std::vector<FileKey> inputs;
    for (const Job& job : jobs) {
        if (job.input == StandardStream) continue;
        if (auto file = platform::IdentityOf(job.input)) inputs.push_back({file, std::nullopt, {}});
    }
    // Each output's key, once; none for standard output and several inputs' one disk.
    std::vector<std::optional<FileKey>> keys;
    for (const Job& job : jobs) {
        const bool separate = job.output && !job.sharedDisk && job.output->path != StandardStream;
        keys.push_back(separate ? std::optional(KeyOf(job.output->path)) : std::nullopt);
    }
    const auto holds = [](const auto& list, const FileKey& key) { return std::find(list.begin(), list.end(), key) != list.end(); };
    for (std::size_t j = 0; j < jobs.size(); ++j) {
        if (!keys[j]) continue;
        const auto earlier = std::find(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(j), keys[j]);
        if (earlier == keys.begin() + static_cast<std::ptrdiff_t>(j)) continue;
        OutputPlan& output = *jobs[j].output;
        jobs[j].takenBy = jobs[static_cast<std::size_t>(earlier - keys.begin())].input;
        jobs[j].takenName = output.path;
        for (int n = 2;; ++n) {
            output.path = Numbered(jobs[j].takenName, n);
            keys[j] = KeyOf(output.path);
            if (!holds(inputs, *keys[j]) && std::count(keys.begin(), keys.end(), keys[j]) == 1) break;
        }
    }
}

std::optional<std::string> SameFileError(const std::vector<Job>& jobs) {
    std::vector<Named> inputs;
    std::vector<Named> outputs;
    bool sharedDiskNamed = false;  // several inputs' one disk counts once
    for (const Job& job : jobs) {
        if (job.input != StandardStream) {
            if (auto file = platform::IdentityOf(job.input)) inputs.push_back({"the input", &job.input, {file, {}, {}}});
        }
        if (job.output && !(job.sharedDisk && sharedDiskNamed))
            outputs.push_back({"the output", &job.output->path, KeyOf(job.output->path)});
        sharedDiskNamed = sharedDiskNamed || job.sharedDisk;
        if (!job.preview.empty()) outputs.push_back({"the preview", &job.preview, KeyOf(job.preview)});
        if (!job.clashMap.empty()) outputs.push_back({"the clash map", &job.clashMap, KeyOf(job.clashMap)});
    }
    for (std::size_t o = 0; o < outputs.size(); ++o) {
        const Named& output = outputs[o];
        for (const Named& input : inputs) {
            if (output.key.file && output.key.file == input.key.file)
                return Join({output.role, " ", Quoted(*output.path), " is ", input.role, " ", Quoted(*input.path),
                             ": writing it would destroy the picture"});
        }
        for (std::size_t earlier = 0; earlier < o; ++earlier) {
            const Named& other = outputs[earlier];
            const bool bothStandard = *output.path == StandardStream && *other.path == StandardStream;
            if (output.key == other.key && (output.key.file || output.key.folder || bothStandard))
                return Join({other.role, " ", Quoted(*other.path), " and ", output.role, " ", Quoted(*output.path),
                             " are the same file: one would overwrite the other"});
        }
    }
    return {};
}

bool IsStandardOutput(const std::string& path) {
    if (path == StandardStream) return true;
    const std::optional<platform::FileIdentity> standard = platform::StandardOutputIdentity();
    return standard && platform::IdentityOf(path) == standard;
}

}  // namespace pxm::cli
