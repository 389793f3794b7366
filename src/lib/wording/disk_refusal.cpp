#include "lib/wording/disk_refusal.h"

#include <array>
#include <cstdio>

#include "lib/wording/c64_refusal.h"
#include "lib/options.h"
#include "lib/output/petscii_text.h"
#include "lib/wording/text_join.h"
#include "core/disk/d64_layout.h"

namespace pxm {

namespace {

// Every block of the directory track but the BAM's holds entries.
constexpr std::size_t DirectoryCapacity = (SectorsOnTrack(DirectoryTrack) - 1) * EntriesPerBlock;

constexpr std::array<std::string_view, 8> TypeNames{"DEL", "SEQ", "PRG", "USR", "REL", "?5?", "?6?", "?7?"};

// "$41".
std::string ByteText(std::size_t value) {
    char text[4];
    std::snprintf(text, sizeof text, "$%02X", static_cast<unsigned>(value & 0xFFu));
    return text;
}

std::string Where(BlockAddress block) {
    return Join({"track ", std::to_string(block.track), " sector ", std::to_string(block.sector)});
}

std::string InWhat(const DiskDamage& damage) {
    return damage.c64Name.empty() ? std::string("the directory") : Join({"the file \"", PetsciiText(damage.c64Name), "\""});
}

}  // namespace

std::string DiskDamageFacts(const DiskDamage& damage) {
    switch (damage.kind) {
        case DiskDamageKind::NotADiskImage:
            return Join({"It holds ", std::to_string(damage.found), " bytes, no D64 image (", std::to_string(damage.expected),
                         " bytes, or one of the larger forms)"});
        case DiskDamageKind::DosMismatch:
            return Join({"Its DOS version byte is ", ByteText(damage.found), ", not ", ByteText(DosVersion),
                         ": a 1541 writes on no such disk"});
        case DiskDamageKind::BamCount:
            return Join({"Its BAM counts ", std::to_string(damage.found), " free blocks on track ",
                         std::to_string(damage.block.track), " but marks ", std::to_string(damage.expected)});
        case DiskDamageKind::BamBits:
            return Join({"Its BAM marks sectors that track ", std::to_string(damage.block.track), " does not have"});
        case DiskDamageKind::DirectoryOffTrack:
            return Join({"Its directory leaves track 18 for ", Where(damage.block)});
        case DiskDamageKind::ChainLoops:
            return Join({"The blocks of ", InWhat(damage), " come back to ", Where(damage.block), ", which is in use already"});
        case DiskDamageKind::ChainLeaves:
            return Join({"The blocks of ", InWhat(damage), " lead to ", Where(damage.block), ", which the disk does not have"});
        case DiskDamageKind::BlockFreeInBam:
            return Join({InWhat(damage), " uses ", Where(damage.block), ", which the BAM calls free"});
        case DiskDamageKind::ReadError:
            return Join({"The image records a read error (code ", std::to_string(damage.found), ") at ", Where(damage.block),
                         ", in ", InWhat(damage)});
    }
    return {};
}

std::string FileTypeText(std::uint8_t type) {
    return Join({(type & ClosedFileFlag) == 0 ? "*" : "", TypeNames[type & FileTypeMask], (type & LockedFileFlag) != 0 ? "<" : ""});
}

std::string DiskDamageText(std::string_view path, const DiskDamage& damage) {
    std::string facts = DiskDamageFacts(damage);
    if (facts[0] >= 'a' && facts[0] <= 'z') facts[0] = static_cast<char>(facts[0] - 'a' + 'A');
    return Join({path, ": ", facts, ". The converter adds files only to a sound D64 image; it has not been changed."});
}

std::string AdditionFailureText(std::string_view path, std::string_view c64Name, const AdditionFailure& failure) {
    const std::string name = Join({"\"", PetsciiText(c64Name), "\""});
    switch (failure.kind) {
        case AdditionFailureKind::NameTaken:
            return Join({Quoted(path), " holds a ", FileTypeText(failure.type), " file ", name,
                         " already: give --replace to replace it, or another name"});
        case AdditionFailureKind::NotAProgram:
            return Join({Quoted(path), " holds a ", FileTypeText(failure.type), " file ", name,
                         ": --replace replaces only an unlocked program (PRG) file"});
        case AdditionFailureKind::DiskFull:
            return Join({path, ": The disk has ", std::to_string(failure.free), " blocks free; ", name, " needs ",
                         std::to_string(failure.needed), "."});
        case AdditionFailureKind::DirectoryFull:
            return Join({path, ": The disk's directory is full (", std::to_string(DirectoryCapacity), " files); ", name,
                         " has no place in it."});
    }
    return {};
}

}  // namespace pxm
