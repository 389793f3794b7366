#include "cli/executable.h"

#include <algorithm>
#include <string>

#include "cli/c64/displayer_image.h"
#include "core/export/picture_data.h"

namespace pxm::cli {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t LinkSize = 2;  // each BASIC line starts with the address of the next
constexpr std::uint8_t Black = 0;    // the background of a format that keeps none

void PutWord(Bytes& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PushWord(Bytes& bytes, std::uint16_t value) {
    bytes.resize(bytes.size() + 2);
    PutWord(bytes, bytes.size() - 2, value);
}

}  // namespace

Bytes BasicLine(std::uint16_t sysAddress) {
    Bytes line(LinkSize);
    PushWord(line, BasicLineNumber);
    line.push_back(SysToken);
    for (const char digit : std::to_string(sysAddress)) line.push_back(static_cast<std::uint8_t>(digit));
    line.push_back(0);  // the line's end
    PutWord(line, 0, static_cast<std::uint16_t>(BasicStart + line.size()));
    PushWord(line, 0);  // a zero link: the program's end
    return line;
}

std::size_t PictureDataOffset() { return BasicLine(Displayer.start).size() + Displayer.bytes.size(); }

std::size_t ProgramOffset(std::uint16_t displayerAddress) {
    return PictureDataOffset() - Displayer.bytes.size() + (displayerAddress - Displayer.loadAddress);
}

Bytes ProgramHead() {
    Bytes program = BasicLine(Displayer.start);  // displayer.cfg links the displayer right behind it
    program.insert(program.end(), Displayer.bytes.begin(), Displayer.bytes.end());
    return program;
}

Bytes BuildProgram(ExportFormat format, std::span<const std::uint8_t> pictureData) {
    Bytes program = ProgramHead();
    program.insert(program.end(), pictureData.begin(), pictureData.end());

    const FormatInfo& info = InfoOf(format);
    const auto dataAddress = static_cast<std::uint16_t>(BasicStart + PictureDataOffset());
    // Where the layout stands once the program runs: in the program, or unpacked.
    std::uint16_t layoutAddress = dataAddress;
    if (info.encoding == Encoding::Sp2Packed) {
        layoutAddress = Displayer.unpackTo;
        PutWord(program, ProgramOffset(Displayer.stream), dataAddress);
        PutWord(program, ProgramOffset(Displayer.streamEnd), static_cast<std::uint16_t>(dataAddress + pictureData.size()));
    }
    const PictureLayout& layout = info.layout;
    PutWord(program, ProgramOffset(Displayer.bitmap), static_cast<std::uint16_t>(layoutAddress + layout.bitmapAt));
    PutWord(program, ProgramOffset(Displayer.screen), static_cast<std::uint16_t>(layoutAddress + layout.screenAt));
    PutWord(program, ProgramOffset(Displayer.colour), static_cast<std::uint16_t>(layoutAddress + layout.colourAt));
    program[ProgramOffset(Displayer.background)] =
        layout.backgroundCount > 0 ? static_cast<std::uint8_t>(pictureData[layout.backgroundAt] & 0x0F) : Black;
    return program;
}

C64File ProgramFile(std::span<const std::uint8_t> program, std::string_view name) { return {BasicStart, name, program}; }

PictureFile BuildExecutableFile(const KoalaImage& image, ExportFormat format, Container container,
                                bool correctSp2Flaw, std::string_view name) {
    PictureFile file;
    PictureData data;
    file.sp2Corrected = BuildPictureData(image, format, correctSp2Flaw, data);
    const Bytes program = BuildProgram(format, data.view());
    file.refusal = AppendContainer(file.bytes, container, ProgramFile(program, name));
    return file;
}

}  // namespace pxm::cli
