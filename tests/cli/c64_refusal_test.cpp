// The converter's words for C64 files it refuses: what was found, where, and what was expected.
#include "lib/wording/c64_refusal.h"

#include <gtest/gtest.h>

namespace pxm::cli {
namespace {

ReadFailure Failure(ReadFailureKind kind) {
    ReadFailure failure;
    failure.kind = kind;
    return failure;
}

TEST(C64Refusal, ProgramFiles) {
    ReadFailure length = Failure(ReadFailureKind::WrongLength);
    length.format = ExportFormat::Artist64;
    length.address = 0x4000;
    length.found = 5000;
    length.expected = 10240;
    EXPECT_EQ(C64RefusalText(length),
              "The Artist 64 file (load address $4000) holds 5000 picture bytes; the format has 10240.");
    length.container = Container::D64;
    length.c64Name = "\x81PIC";
    EXPECT_EQ(C64RefusalText(length), "In the D64 image, \"{$81}PIC\": the Artist 64 file (load address $4000) holds "
                                      "5000 picture bytes; the format has 10240.");

    ReadFailure address = Failure(ReadFailureKind::UnknownLoadAddress);
    address.address = 0x0801;
    address.found = 300;
    EXPECT_EQ(C64RefusalText(address),
              "The program loads at $0801 with 300 bytes, and no picture format loads there (Koala-Painter $6000, "
              "Advanced Art Studio $2000, Artist 64 $4000, Blazing Paddles $A000, SP2 run-length packed $5500; "
              "nor is it a program that shows a picture).");

    ReadFailure unpacked = Failure(ReadFailureKind::Sp2WrongLength);
    unpacked.found = 10300;
    unpacked.expected = 10216;
    EXPECT_EQ(C64RefusalText(unpacked), "The SP2 stream unpacks to more than 10216 bytes; the picture takes 10216.");
}

TEST(C64Refusal, TapesAndDisks) {
    ReadFailure block = Failure(ReadFailureKind::TapBadBlock);
    block.container = Container::Tap;
    block.block = TapeBlock::Data;
    block.tapeError = TapeError::Checksum;
    block.at = 41099;
    EXPECT_EQ(C64RefusalText(block), "Neither copy of the TAP image's data block reads: the first has a checksum "
                                     "that does not match its bytes at byte 41099 of the image.");

    ReadFailure loop = Failure(ReadFailureKind::DiskChainLoops);
    loop.container = Container::D64;
    loop.track = 17;
    loop.sector = 0;
    loop.c64Name = "SUNSET";
    EXPECT_EQ(C64RefusalText(loop), "The D64 image's chain of blocks of \"SUNSET\" comes back to track 17 sector 0, "
                                    "which it passed before.");
    ReadFailure cut = Failure(ReadFailureKind::DiskImageCut);
    cut.found = 100000;
    cut.expected = 174848;
    cut.track = 30;
    cut.sector = 2;
    cut.c64Name = "SUNSET";
    EXPECT_EQ(C64RefusalText(cut), "The D64 image ends after 100000 bytes (a disk has 174848), before track 30 sector 2, "
                                   "which the chain of blocks of \"SUNSET\" links to.");
    ReadFailure leave = Failure(ReadFailureKind::DiskChainLeaves);
    leave.track = 36;
    EXPECT_EQ(C64RefusalText(leave), "The D64 image's chain of blocks of the directory links to track 36 sector 0, "
                                     "which the disk does not have.");
}

}  // namespace
}  // namespace pxm::cli
