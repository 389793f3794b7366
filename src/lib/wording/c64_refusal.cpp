#include "lib/wording/c64_refusal.h"

#include <cstdio>

#include "lib/output/petscii_text.h"
#include "lib/wording/text_join.h"
#include "core/export/sp2_packer.h"

namespace pxm {

namespace {

using Kind = ReadFailureKind;

std::string Number(std::size_t n) { return std::to_string(n); }

std::string_view BlockName(TapeBlock block) { return block == TapeBlock::Header ? "header block" : "data block"; }

std::string_view TapeErrorText(TapeError error) {
    switch (error) {
        case TapeError::Pulses: return "pulses that are neither a bit nor a marker";
        case TapeError::Parity: return "a byte whose check bit does not match";
        case TapeError::Checksum: return "a checksum that does not match its bytes";
        case TapeError::Length: return "a length other than the header gives";
        case TapeError::Cut: return "the end of the image inside it";
    }
    return "";
}

// Every load address a picture file may have, for the refusal of another one.
std::string KnownAddresses() {
    std::string text;
    for (const FormatInfo& info : Formats) text += Join({text.empty() ? "" : ", ", info.name, " ", AddressText(info.loadAddress)});
    return text;
}

// What a program file holds, in its own terms.
std::string ProgramText(const ReadFailure& failure) {
    const FormatInfo& info = InfoOf(failure.format);
    switch (failure.kind) {
        case Kind::NoLoadAddress:
            return Join({"the file holds ", Number(failure.found), " bytes, too few for a C64 program (its load address takes 2)"});
        case Kind::UnknownLoadAddress:
            return Join({"the program loads at ", AddressText(failure.address), " with ", Number(failure.found),
                         " bytes, and no picture format loads there (", KnownAddresses(),
                         failure.address == 0x0801 ? "; nor is it a program that shows a picture)" : ")"});
        case Kind::WrongLength:
            return Join({"the ", info.name, " file (load address ", AddressText(failure.address), ") holds ",
                         Number(failure.found), " picture bytes; the format has ", Number(failure.expected)});
        case Kind::Sp2PastEnd:
            return Join({"the SP2 stream runs past its end: its block at byte ", Number(failure.at),
                         " of the stream needs more bytes than follow"});
        case Kind::Sp2WrongLength:
            return Join({"the SP2 stream unpacks to ", failure.found > Sp2SourceLength ? "more than " : "",
                         Number(failure.found > Sp2SourceLength ? Sp2SourceLength : failure.found),
                         " bytes; the picture takes ", Number(failure.expected)});
        case Kind::ShowingProgramBroken:
            return "the program that shows a picture has a parameter block that does not fit its picture data";
        default: return {};
    }
}

std::string ContainerText(const ReadFailure& failure) {
    const std::string name = Join({"\"", PetsciiText(failure.c64Name), "\""});
    switch (failure.kind) {
        case Kind::P00TooShort:
            return Join({"the P00 file holds ", Number(failure.found), " bytes: its 26-byte header and a load address take 28"});
        case Kind::TapVersion:
            return Join({"the TAP image is of version ", Number(failure.found), "; versions 0 and 1 are read"});
        case Kind::TapNoHeader: return "the TAP image holds no block of a program file that reads";
        case Kind::TapBadBlock:
            return Join({"neither copy of the TAP image's ", BlockName(failure.block), " reads: the first has ",
                         TapeErrorText(failure.tapeError), " at byte ", Number(failure.at), " of the image"});
        case Kind::TapNoData: return "the TAP image holds a program's header block but not its data block";
        case Kind::TapFileType:
            return Join({"the TAP image's first file is of type ", Number(failure.found), ", not a program"});
        case Kind::DiskChainLoops:
            return Join({"the D64 image's chain of blocks", failure.c64Name.empty() ? " of the directory" : " of " + name,
                         " comes back to track ", Number(static_cast<std::size_t>(failure.track)), " sector ",
                         Number(static_cast<std::size_t>(failure.sector)), ", which it passed before"});
        case Kind::DiskChainLeaves:
            return Join({"the D64 image's chain of blocks", failure.c64Name.empty() ? " of the directory" : " of " + name,
                         " links to track ", Number(static_cast<std::size_t>(failure.track)), " sector ",
                         Number(static_cast<std::size_t>(failure.sector)), ", which the disk does not have"});
        case Kind::DiskImageCut:
            return Join({"the D64 image ends after ", Number(failure.found), " bytes (a disk has ", Number(failure.expected),
                         "), before track ", Number(static_cast<std::size_t>(failure.track)), " sector ",
                         Number(static_cast<std::size_t>(failure.sector)), ", which the chain of blocks",
                         failure.c64Name.empty() ? " of the directory" : " of " + name, " links to"});
        case Kind::DiskNoPicture:
            return Join({"the D64 image holds ", Number(failure.found), " program files and none is a C64 picture"});
        case Kind::DiskNoSuchFile:
            return Join({"the D64 image holds no program file ", name, " (it holds ", Number(failure.found), ")"});
        default: return {};
    }
}

}  // namespace

std::string_view ContainerName(std::optional<Container> container) {
    if (!container) return "PRG file";
    switch (*container) {
        case Container::P00: return "P00 file";
        case Container::Prg: return "PRG file";
        case Container::Tap: return "TAP image";
        case Container::D64: return "D64 image";
    }
    return "";
}

std::string AddressText(unsigned address) {
    char text[8];
    std::snprintf(text, sizeof text, "$%04X", address & 0xFFFFu);
    return text;
}

std::string C64RefusalText(const ReadFailure& failure) {
    std::string text = ContainerText(failure);
    if (text.empty()) {
        text = ProgramText(failure);
        // A file inside a container: which one, and under what name.
        if (failure.container && *failure.container != Container::Prg)
            text = Join({"in the ", ContainerName(failure.container), ", \"", PetsciiText(failure.c64Name), "\": ", text});
    }
    if (text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return Join({text, "."});
}

}  // namespace pxm
