#pragma once
// Why a file could not be read as a C64 picture, with the facts a message needs: what was found
// where, and what was expected there. Each program words it itself.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/format/export_format.h"

namespace pxm {

enum class ReadFailureKind : std::uint8_t {
    NoLoadAddress,        // fewer than two bytes: found = the size
    UnknownLoadAddress,   // address: no format loads there; found = the data bytes after it
    WrongLength,          // format: found data bytes, expected the layout's size
    Sp2PastEnd,           // a block at stream offset `at` needs bytes the stream does not have
    Sp2WrongLength,       // the stream unpacks to found bytes (at least), expected the layout's size
    P00TooShort,          // a P00 header and no load address: found = the size
    TapVersion,           // found = the version byte (0 and 1 are read)
    TapNoHeader,          // no header block of a program file on the tape
    TapBadBlock,          // neither copy of a block reads: `block`, `tapeError`, at = its pulse offset
    TapNoData,            // the header's data block is not on the tape
    TapFileType,          // found = the header's file type, not a program
    DiskChainLoops,       // track/sector: a block the chain already visited
    DiskChainLeaves,      // track/sector: a link to a block the disk does not have
    DiskImageCut,         // track/sector: a block past the end of an image of found bytes
    DiskNoPicture,        // found = the program files on the disk, none of them a picture
    DiskNoSuchFile,       // no program file of the name asked for
    ShowingProgramBroken, // a showing program's parameter block does not fit its picture data
};

enum class TapeBlock : std::uint8_t { Header, Data };
enum class TapeError : std::uint8_t {
    Pulses,    // a pulse or pair of pulses that is no bit nor marker
    Parity,    // a byte whose check bit does not match
    Checksum,  // the block's bytes do not give its checksum
    Length,    // the block ends before or after the length the header gives
    Cut,       // the tape ends inside the block
};

struct ReadFailure {
    ReadFailureKind kind = ReadFailureKind::UnknownLoadAddress;
    std::optional<Container> container;  // where the file was found; none for a plain PRG
    std::size_t found = 0;
    std::size_t expected = 0;
    std::size_t at = 0;
    std::uint16_t address = 0;
    ExportFormat format = ExportFormat::Koala;
    TapeBlock block = TapeBlock::Header;
    TapeError tapeError = TapeError::Pulses;
    int track = 0;
    int sector = 0;
    std::string c64Name;  // PETSCII: the file the failure is in, when a container names it
};

}  // namespace pxm
