// libFuzzer target: any bytes after the choice bytes (fuzz/conversion_choice.h) as a C64 picture
// file (PRG, P00, TAP, D64 or a showing program of a made-up displayer), read with and without a
// disk file name; a picture read is written again in its own format as a PRG, read back to the
// same picture, and shown as a BMP. Any bytes as a disk to add a program to: refused, or the
// program added (with and without replacing one of its name), every other file's blocks
// unchanged, the disk read again and the program back from it; a failed addition leaves the disk
// as it was. Then the one conversion the choice bytes pick, through the library's front door,
// which reads C64 files with the converter's own displayer.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <array>
#include <optional>
#include <span>

#include "core/c64read/c64_picture_reader.h"
#include "core/c64read/d64_reader.h"
#include "core/disk/block_chain.h"
#include "core/disk/disk_addition.h"
#include "core/export/picture_file.h"
#include "core/view/picture_bmp.h"
#include "core/view/shown_colours.h"
#include "fuzz/conversion_run.h"
#include "fuzz/synthetic_program.h"

namespace {

using pxm::fuzz::Check;

void CheckPicture(const pxm::C64Picture& picture, std::span<const std::uint8_t> file,
                  const pxm::ShowingProgramLayout& layout) {
    Check(picture.image[pxm::KoalaBackgroundOffset] < 16);
    if (picture.border) Check(*picture.border < 16 && picture.showingProgram);
    if (picture.container == pxm::Container::P00 || !picture.container) Check(file.size() >= 2);
    if (picture.loadAddressAssumed) Check(file.size() == pxm::KoalaImageSize && !picture.container);
    if (picture.padding) Check(picture.padding->count > 0 && picture.format == pxm::LooseFormat);
    if (picture.differingBackground)
        Check(picture.differingBackground->other != picture.image[pxm::KoalaBackgroundOffset]);
    const pxm::PictureFile again = pxm::BuildPictureFile(picture.image, picture.format, pxm::Container::Prg, false);
    const auto reread = pxm::ReadC64Picture(again.bytes, {.programs = &layout});
    Check(reread.ok() && reread->format == picture.format);
    Check(std::equal(picture.image.begin(), picture.image.begin() + pxm::KoalaBackgroundOffset, reread->image.begin()));
    if (picture.hasBackground) Check(reread->image == picture.image);
    Check(pxm::ColoursUsed(picture.image).count() >= 1);
    Check(pxm::BuildPictureBmp(picture.image, pxm::C64Palettes[0]).size() == 54 + 64 + 32000);
}

void CheckAddition(std::span<const std::uint8_t> bytes) {
    const auto contents = pxm::ReadDiskContents(bytes);
    if (!contents) return;
    std::array<std::uint8_t, 700> data{};
    for (std::size_t k = 0; k < data.size(); ++k) data[k] = static_cast<std::uint8_t>(k * 7);
    const pxm::C64File file{0x6000, "PIC", data};
    for (const bool replace : {false, true}) {
        std::vector<std::uint8_t> disk(bytes.begin(), bytes.end());
        pxm::DiskContents after = *contents;
        const pxm::Status<pxm::AdditionFailure> added = pxm::AddToDisk(disk, after, file, replace);
        if (!added) {
            Check(std::equal(disk.begin(), disk.end(), bytes.begin()));
            continue;
        }
        for (const pxm::DiskFileEntry& old : contents->files) {
            if (replace && old.c64Name == file.name) continue;
            for (const pxm::BlockAddress block : old.chain) {
                const std::size_t at = pxm::BlockIndex(block) * pxm::SectorSize;
                Check(std::equal(disk.begin() + static_cast<std::ptrdiff_t>(at),
                                 disk.begin() + static_cast<std::ptrdiff_t>(at + pxm::SectorSize), bytes.begin() + static_cast<std::ptrdiff_t>(at)));
            }
        }
        const auto again = pxm::ReadDiskContents(disk);
        Check(again.ok());
        const pxm::DiskFileEntry* entry = pxm::FindOnDisk(*again, file.name);
        Check(entry != nullptr && !entry->chain.empty());
        const auto program = pxm::ReadDiskFile(disk, entry->chain.front());
        Check(program.ok() && program->size() == data.size() + 2 && std::equal(data.begin(), data.end(), program->begin() + 2));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<pxm::fuzz::ChosenRun> run = pxm::fuzz::ChosenRunOf(data, size, pxm::fuzz::C64FileDimensions());
    if (!run) return 0;
    const std::span<const std::uint8_t> bytes = run->file;
    const pxm::ShowingProgramLayout layout = pxm::fuzz::SyntheticLayout();
    for (const std::string_view name : {std::string_view{}, std::string_view{"PIC"}}) {
        const auto picture = pxm::ReadC64Picture(bytes, {.diskFile = name, .programs = &layout});
        if (picture) CheckPicture(*picture, bytes, layout);
        // Whatever the reader reads, the converter hands to it.
        if (picture) Check(pxm::IsC64File(bytes, &layout));
    }
    static_cast<void>(pxm::IsC64File(bytes, &layout));
    CheckAddition(bytes);
    pxm::fuzz::RunConversion(*run);
    return 0;
}
