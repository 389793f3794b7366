// Whole C64 programs as the converter writes them (-x), run in the sim65 6502 simulator by a
// harness that plays the C64 (tests/cli/c64/displayer_harness.s): while the displayer waits for
// a key, the bitmap, screen and colour RAM must hold the picture of the plain Koala file and the
// VIC-II must show it; afterwards the machine must be as the displayer found it.
#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "lib/output/c64/displayer_image.h"
#include "core/base/byte_reader.h"
#include "core/format/export_format.h"
#include "tests/cli/cli_test_support.h"

namespace pxm::test {
namespace {

const std::string Sim65Path = PIXMOSAIC_SIM65_PATH;
const std::string HarnessPath = PIXMOSAIC_DISPLAYER_HARNESS_PATH;
// Far beyond a whole run (about two million cycles): a displayer that never returns fails.
const std::string CycleLimit = "50000000";
constexpr std::uint16_t HarnessSys = 0x080D;  // where the harness calls the program

// The harness's record, byte by byte (record_sources in displayer_harness.s).
enum RecordByte : std::size_t {
    CpuPort,
    VicControl1,
    VicControl2,
    VicMemory,
    BorderColour,
    BackgroundColour,
    Cia2PortA,
    KeysWaiting,
    ProcessorStatus,
    RecordSize
};
using Record = std::array<std::uint8_t, RecordSize>;
constexpr std::array<std::string_view, RecordSize> RecordNames{
    "$01", "$D011", "$D016", "$D018", "$D020", "$D021", "$DD00", "keys waiting ($C6)", "processor status"};

// What the VIC-II is set to while the picture shows.
constexpr std::uint8_t MulticolourBitmapOn = 0x3B;  // bitmap mode, display on, 25 rows, scroll 3
constexpr std::uint8_t MulticolourOn = 0x18;        // multicolour, 40 columns
constexpr std::uint8_t PictureMemory = 0x08;        // screen at bank + $0000, bitmap at + $2000
constexpr std::uint8_t VicBankBits = 0x03;          // of Cia2PortA, inverted
constexpr std::uint8_t Bank2 = 0x01;                // $8000-$BFFF
constexpr std::uint8_t RasterHigh = 0x80;           // of VicControl1: the beam's line when read
constexpr std::uint8_t InterruptDisable = 0x04;     // of the processor status
constexpr std::uint8_t ClearScreen = 0x93;
constexpr std::uint8_t Black = 0;
constexpr std::uint8_t Background = 6;  // the picture's, given to the converter

struct Snapshot {
    Record record{};
    std::vector<std::uint8_t> bitmap;
    std::vector<std::uint8_t> screen;
    std::vector<std::uint8_t> colourRam;
};

struct MachineRun {
    Snapshot found;    // as the harness set the machine up
    Snapshot showing;  // when the displayer first asked GETIN for a key
    Snapshot left;     // when it returned
    int getinCalls = 0;
    std::vector<std::uint8_t> printed;  // what went to CHROUT
};

constexpr std::size_t PrintedCapacity = 8;  // of the harness

std::vector<std::uint8_t> Take(ByteReader& reader, std::size_t count) {
    const auto bytes = reader.Take(count).value_or(Bytes{});
    return {bytes.begin(), bytes.end()};
}

std::optional<Snapshot> ReadSnapshot(ByteReader& reader) {
    Snapshot snapshot;
    const auto record = reader.Take(RecordSize);
    if (!record) return std::nullopt;
    std::copy(record->begin(), record->end(), snapshot.record.begin());
    snapshot.bitmap = Take(reader, BitmapBytes);
    snapshot.screen = Take(reader, CellBytes);
    snapshot.colourRam = Take(reader, CellBytes);
    if (snapshot.colourRam.size() != CellBytes) return std::nullopt;
    return snapshot;
}

// The harness's stdout: three snapshots, then the GETIN calls and the characters printed.
std::optional<MachineRun> ReadRun(const std::string& output) {
    ByteReader reader({reinterpret_cast<const std::uint8_t*>(output.data()), output.size()});
    MachineRun run;
    for (Snapshot* snapshot : {&run.found, &run.showing, &run.left}) {
        auto read = ReadSnapshot(reader);
        if (!read) return std::nullopt;
        *snapshot = std::move(*read);
    }
    const auto calls = reader.Byte();
    const auto printed = reader.Byte();
    const auto characters = reader.Take(PrintedCapacity);
    if (!calls || !printed || !characters || !reader.AtEnd() || *printed > PrintedCapacity) return std::nullopt;
    run.getinCalls = *calls;
    run.printed.assign(characters->begin(), characters->begin() + *printed);
    return run;
}

// Every cell in three colours of its own besides the background, in a pattern of its own.
std::vector<std::uint8_t> Picture() {
    return MakeBmp({}, [](int x, int y) {
        const int cell = (y / 8) * 40 + x / 8;
        const int pick = ((x / 2) + 3 * y + cell) % 4;
        if (pick == 0) return int{Background};
        const int colour = (cell * (2 * pick + 1) + pick) % 15;  // 0..14, skipping the background
        return colour < Background ? colour : colour + 1;
    });
}

std::span<const std::uint8_t> Part(const std::vector<std::uint8_t>& layout, std::size_t at, std::size_t size) {
    return std::span(layout).subspan(at, size);
}

std::vector<std::uint8_t> LowNibbles(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> nibbles;
    for (const std::uint8_t byte : bytes) nibbles.push_back(byte & 0x0F);
    return nibbles;
}

bool SameBytes(const std::vector<std::uint8_t>& shown, std::span<const std::uint8_t> expected) {
    return std::equal(shown.begin(), shown.end(), expected.begin(), expected.end());
}

class DisplayerOn6502 : public ::testing::TestWithParam<FormatInfo> {
protected:
    // The converter's output for the test picture: with -x, the program, otherwise the plain file.
    std::vector<std::uint8_t> Convert(std::string_view format, bool program, std::vector<std::string> more = {}) {
        const std::string out = dir_ / (std::string(format) + (program ? "-x.prg" : ".prg"));
        std::vector<std::string> args{"-b", std::to_string(Background), "-f", std::string(format), "-c", "prg",
                                      dir_ / "in.bmp", "-o", out};
        if (program) args.push_back("-x");
        args.insert(args.end(), more.begin(), more.end());
        const ProcessResult result = RunConverter(args);
        EXPECT_EQ(result.status, 0) << result.err;
        return ReadFile(out);
    }

    std::optional<MachineRun> RunOn6502(const std::string& program) {
        const ProcessResult result = RunProcess(
            {"/bin/sh", "-c", "exec \"$0\" -x \"$1\" \"$2\" < \"$3\"", Sim65Path, CycleLimit, HarnessPath, program});
        EXPECT_EQ(result.status, 0) << result.err;
        return ReadRun(result.out);
    }

    ScratchDir dir_;
};

TEST_P(DisplayerOn6502, ShowsThePictureAndLeavesTheMachineAsFound) {
    ASSERT_EQ(Displayer.start, HarnessSys);
    const FormatInfo& info = GetParam();
    WriteFile(dir_ / "in.bmp", Picture());
    const std::vector<std::uint8_t> koalaFile = Convert("koala", false);
    WriteFile(dir_ / "program.prg", Convert(info.key, true));
    const std::optional<MachineRun> run = RunOn6502(dir_ / "program.prg");
    ASSERT_TRUE(run) << "the harness's output is cut short or too long";

    const PictureLayout& koala = InfoOf(ExportFormat::Koala).layout;
    const std::vector<std::uint8_t> layout(koalaFile.begin() + 2, koalaFile.end());  // after the load address
    ASSERT_EQ(layout.size(), koala.size);
    const Snapshot& showing = run->showing;
    EXPECT_TRUE(SameBytes(showing.bitmap, Part(layout, koala.bitmapAt, BitmapBytes))) << "bitmap at $A000";
    EXPECT_TRUE(SameBytes(showing.screen, Part(layout, koala.screenAt, CellBytes))) << "screen at $8000";
    EXPECT_EQ(LowNibbles(showing.colourRam), LowNibbles(Part(layout, koala.colourAt, CellBytes)))
        << "colour RAM (the four bits a C64 keeps)";

    const Record& found = run->found.record;
    const Record& shown = showing.record;
    const std::uint8_t background = info.layout.backgroundCount > 0 ? layout[koala.backgroundAt] : Black;
    EXPECT_EQ(shown[VicControl1], MulticolourBitmapOn);
    EXPECT_EQ(shown[VicControl2], MulticolourOn);
    EXPECT_EQ(shown[VicMemory], PictureMemory);
    EXPECT_EQ(shown[BorderColour], background);
    EXPECT_EQ(shown[BackgroundColour], background);
    EXPECT_EQ(shown[Cia2PortA], (found[Cia2PortA] & ~VicBankBits) | Bank2) << "bank 2, the port's other lines kept";
    EXPECT_EQ(shown[CpuPort], found[CpuPort]) << "the BASIC ROM back in, the port's other bits kept";
    EXPECT_EQ(shown[KeysWaiting], 0) << "keys pressed before the picture showed count";
    EXPECT_EQ(shown[ProcessorStatus] & InterruptDisable, 0) << "waits for a key with the interrupts off";
    EXPECT_EQ(run->getinCalls, 2) << "the harness's GETIN finds a key on the second call";

    Record expectedLeft = found;
    expectedLeft[VicControl1] = found[VicControl1] & ~RasterHigh;  // the compare line's bit 8 cleared
    expectedLeft[KeysWaiting] = 0;
    const Record& left = run->left.record;
    for (std::size_t k = 0; k < RecordSize; ++k) {
        if (k == ProcessorStatus) continue;  // the flags the return leaves vary: the interrupt flag below
        EXPECT_EQ(left[k], expectedLeft[k]) << RecordNames[k] << " on return";
    }
    EXPECT_EQ(left[ProcessorStatus] & InterruptDisable, found[ProcessorStatus] & InterruptDisable);
    EXPECT_EQ(run->printed, std::vector<std::uint8_t>{ClearScreen}) << "returns on a cleared text screen";
}

// --border: the border shown is the one given, the background the picture's.
TEST_P(DisplayerOn6502, ShowsTheBorderGiven) {
    const FormatInfo& info = GetParam();
    WriteFile(dir_ / "in.bmp", Picture());
    WriteFile(dir_ / "program.prg", Convert(info.key, true, {"--border", "pink"}));
    const std::optional<MachineRun> run = RunOn6502(dir_ / "program.prg");
    ASSERT_TRUE(run) << "the harness's output is cut short or too long";
    const Record& shown = run->showing.record;
    EXPECT_EQ(shown[BorderColour], 10);
    EXPECT_EQ(shown[BackgroundColour], info.layout.backgroundCount > 0 ? Background : Black);
    EXPECT_EQ(run->left.record[BorderColour], run->found.record[BorderColour]) << "the border put back on return";
}

INSTANTIATE_TEST_SUITE_P(Format, DisplayerOn6502, ::testing::ValuesIn(Formats),
                         [](const auto& info) { return std::string(info.param.key); });

}  // namespace
}  // namespace pxm::test
