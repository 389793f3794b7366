#pragma once
// A D64 output that files are added to rather than written anew: a disk that is there already
// (read and checked before any picture is, never written when damaged), or one disk that
// several inputs go onto. Each input's program is put in its slot as it is made; the disk takes
// them in the order given and is written once, safely, as every output is.
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options/cli_options.h"
#include "cli/planning/output_plan.h"
#include "core/disk/disk_contents.h"

namespace pxm::cli {

// What became of one slot's file: empty text when it is on the written disk.
struct DiskWriting {
    std::string_view caption;
    std::string text;
};

class DiskTarget {
public:
    DiskTarget(std::string path, std::vector<std::uint8_t> disk, DiskContents contents, bool replace);

    const std::string& path() const { return path_; }

    // A slot for a file of this C64 name (PETSCII); its number.
    std::size_t AddSlot(std::string c64Name);
    const std::string& NameOf(std::size_t slot) const { return slots_[slot].c64Name; }
    bool HasSlotNamed(std::string_view c64Name) const;
    // The disk as read; the files are added to it only by Write.
    const DiskContents& contents() const { return contents_; }

    // The program (its PRG form: load address, then data) made for a slot, under the C64 name
    // it takes (one input's file may take its C64 input's own); any thread.
    void Put(std::size_t slot, std::vector<std::uint8_t> program, std::string c64Name);

    // The programs put onto the disk in the order of their slots and the disk written: for each
    // slot, whether its file is on the disk, or why not (a slot given no program stays empty).
    std::vector<DiskWriting> Write();

private:
    struct Slot {
        std::string c64Name;
        std::optional<std::vector<std::uint8_t>> program;
    };
    std::string path_;
    std::vector<std::uint8_t> disk_;
    DiskContents contents_;
    bool replace_;
    std::mutex mutex_;
    std::vector<Slot> slots_;
};

// Gives every job whose output is an existing D64 image, or a disk shared by several inputs, its
// DiskTarget, with the file names checked against the disk's. ExitWritten, or the status after
// telling on err why the disk is not written (a usage error for a name on it already).
int PlanDiskTargets(std::vector<Job>& jobs, const CliOptions& options, std::ostream& err);

}  // namespace pxm::cli
