#include "lib/reading/c64_info.h"

#include "lib/wording/c64_refusal.h"
#include "lib/wording/disk_refusal.h"
#include "lib/output/petscii_text.h"
#include "lib/wording/text_join.h"
#include "lib/output/showing_program_layout.h"
#include "core/c64read/c64_picture_reader.h"
#include "core/disk/d64_layout.h"
#include "core/disk/disk_contents.h"
#include "core/koala/colour_names.h"
#include "core/view/shown_colours.h"

namespace pxm {

namespace {

std::string ColourText(int colour) { return Join({ColourName(colour), " (", std::to_string(colour), ")"}); }

// "Koala-Painter picture", "program that shows an SP2 picture", or empty for any other file.
std::string WhatTheFileIs(Bytes disk, const DiskFileEntry& entry) {
    if (entry.type != ClosedProgramType) return {};
    const Result<C64Picture, ReadFailure> picture =
        ReadC64Picture(disk, {.diskFile = entry.c64Name, .programs = &ConverterProgramLayout()});
    if (!picture) return {};
    return Join({picture->showingProgram ? "program that shows a " : "", InfoOf(picture->format).name, " picture"});
}

std::string HexByte(std::uint8_t value) {
    constexpr std::string_view Digits = "0123456789ABCDEF";
    return {'$', Digits[value >> 4], Digits[value & 15]};
}

std::string LoadAddressText(const C64Picture& picture) {
    const std::string address = AddressText(picture.loadAddress);
    if (!picture.loadAddressAssumed) return address;
    return Join({"none in the file (its ", std::to_string(InfoOf(picture.format).layout.size), " bytes are a ",
                 InfoOf(picture.format).name, " picture alone); ", address, " taken"});
}

std::string BackgroundText(const C64Picture& picture) {
    const int background = picture.image[KoalaBackgroundOffset] & 15;
    if (!picture.hasBackground && !picture.showingProgram) return "none kept (shown black)";
    if (!picture.differingBackground) return ColourText(background);
    const DifferingBackground& differing = *picture.differingBackground;
    return Join({ColourText(background), ", from the ", differing.taken == 0 ? "first" : "second",
                 " of its two bytes (the other holds ", ColourText(differing.other), ")"});
}

std::string PaddingText(const Padding& padding) {
    return Join({std::to_string(padding.count), padding.count == 1 ? " byte" : " bytes", " of ", HexByte(padding.value),
                 " after the picture, ignored as padding"});
}

}  // namespace

std::string DiskListingText(Bytes disk) {
    const Result<DiskContents, DiskDamage> contents = ReadDiskContents(disk);
    if (!contents) return Join({"Files on the disk: not listed: ", DiskDamageFacts(contents.error()), ".\n"});
    std::string text = Join({"Files on the disk: ", std::to_string(contents->files.size()), ", ",
                             std::to_string(BlocksFree(contents->free)), " blocks free\n"});
    for (const DiskFileEntry& entry : contents->files) {
        const std::string name = Join({"\"", PetsciiText(entry.c64Name), "\""});
        const std::string what = WhatTheFileIs(disk, entry);
        text += Join({"  ", std::to_string(entry.blocks), " ", name, " ", FileTypeText(entry.type), what.empty() ? "" : ": ",
                      what, "\n"});
    }
    return text;
}

std::string C64InfoText(const C64Picture& picture) {
    std::string text = Join({"Format: ", InfoOf(picture.format).name, " (", InfoOf(picture.format).key, ")\n"});
    const std::string_view container =
        picture.loadAddressAssumed ? "none (the picture's bytes alone)" : ContainerName(picture.container);
    text += Join({"Container: ", container, picture.showingProgram ? ", a program that shows the picture" : "", "\n"});
    text += Join({"Load address: ", LoadAddressText(picture), "\n"});
    text += Join({"C64 name: ", picture.container ? Join({"\"", PetsciiText(picture.c64Name), "\""}) : "none", "\n"});
    text += Join({"Background: ", BackgroundText(picture), "\n"});
    if (picture.border) text += Join({"Border: ", ColourText(*picture.border), "\n"});
    if (picture.padding) text += Join({"Trailing bytes: ", PaddingText(*picture.padding), "\n"});
    const std::bitset<C64ColourCount> used = ColoursUsed(picture.image);
    std::string colours;
    for (int c = 0; c < C64ColourCount; ++c) {
        if (used.test(static_cast<std::size_t>(c))) colours += Join({colours.empty() ? "" : ", ", ColourText(c)});
    }
    text += Join({"Colours used: ", std::to_string(used.count()), ": ", colours, "\n"});
    return text;
}

std::vector<std::string> C64ReadingNotes(const C64Picture& picture) {
    std::vector<std::string> notes;
    if (picture.loadAddressAssumed) notes.push_back(Join({"Load address: ", LoadAddressText(picture)}));
    if (picture.padding) notes.push_back(Join({"Trailing bytes: ", PaddingText(*picture.padding)}));
    if (picture.differingBackground) notes.push_back(Join({"Background: ", BackgroundText(picture)}));
    return notes;
}

}  // namespace pxm
