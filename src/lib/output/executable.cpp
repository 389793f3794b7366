#include "lib/output/executable.h"

#include <algorithm>
#include <string>

#include "lib/output/c64/displayer_image.h"
#include "core/base/byte_writer.h"
#include "core/export/picture_data.h"

namespace pxm {

namespace {

using ByteVector = std::vector<std::uint8_t>;

constexpr std::size_t LinkSize = 2;  // each BASIC line starts with the address of the next
constexpr std::uint8_t Black = 0;    // the background of a format that keeps none

}  // namespace

ByteVector BasicLine(std::uint16_t sysAddress) {
    ByteVector line;
    ByteWriter writer(line);
    // The link is filled in once the line's length is known; a zero byte ends the line.
    writer.Fill(LinkSize, 0).Word(BasicLineNumber).Byte(SysToken).Text(std::to_string(sysAddress)).Byte(0);
    PutWordAt(line, 0, static_cast<std::uint16_t>(BasicStart + line.size()));
    writer.Word(0);  // a zero link: the program's end
    return line;
}

std::size_t PictureDataOffset() { return BasicLine(Displayer.start).size() + Displayer.bytes.size(); }

std::size_t ProgramOffset(std::uint16_t displayerAddress) {
    return PictureDataOffset() - Displayer.bytes.size() + (displayerAddress - Displayer.loadAddress);
}

ByteVector ProgramHead() {
    ByteVector program = BasicLine(Displayer.start);  // displayer.cfg links the displayer right behind it
    ByteWriter(program).Append(Displayer.bytes);
    return program;
}

ByteVector BuildProgram(ExportFormat format, std::span<const std::uint8_t> pictureData, std::optional<std::uint8_t> border) {
    ByteVector program = ProgramHead();
    ByteWriter(program).Append(pictureData);

    const FormatInfo& info = InfoOf(format);
    const auto dataAddress = static_cast<std::uint16_t>(BasicStart + PictureDataOffset());
    // Where the layout stands once the program runs: in the program, or unpacked.
    std::uint16_t layoutAddress = dataAddress;
    if (info.encoding == Encoding::Sp2Packed) {
        layoutAddress = Displayer.unpackTo;
        PutWordAt(program, ProgramOffset(Displayer.stream), dataAddress);
        PutWordAt(program, ProgramOffset(Displayer.streamEnd), static_cast<std::uint16_t>(dataAddress + pictureData.size()));
    }
    const PictureLayout& layout = info.layout;
    PutWordAt(program, ProgramOffset(Displayer.bitmap), static_cast<std::uint16_t>(layoutAddress + layout.bitmapAt));
    PutWordAt(program, ProgramOffset(Displayer.screen), static_cast<std::uint16_t>(layoutAddress + layout.screenAt));
    PutWordAt(program, ProgramOffset(Displayer.colour), static_cast<std::uint16_t>(layoutAddress + layout.colourAt));
    const std::uint8_t background =
        layout.backgroundCount > 0 ? static_cast<std::uint8_t>(pictureData[layout.backgroundAt] & 0x0F) : Black;
    PutByteAt(program, ProgramOffset(Displayer.background), background);
    PutByteAt(program, ProgramOffset(Displayer.border), border.value_or(background));
    return program;
}

C64File ProgramFile(std::span<const std::uint8_t> program, std::string_view name) { return {BasicStart, name, program}; }

Result<PictureFile, TooLargeForDisk> BuildExecutableFile(const KoalaImage& image, ExportFormat format,
                                                         Container container, bool correctSp2Flaw,
                                                         std::string_view name, std::optional<std::uint8_t> border) {
    PictureFile file;
    PictureData data;
    file.sp2Corrected = BuildPictureData(image, format, correctSp2Flaw, data);
    const ByteVector program = BuildProgram(format, data.view(), border);
    if (const Status<TooLargeForDisk> appended = AppendContainer(file.bytes, container, ProgramFile(program, name));
        !appended)
        return Fail(appended.error());
    return file;
}

}  // namespace pxm
