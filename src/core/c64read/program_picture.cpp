#include "core/c64read/program_picture.h"

#include <algorithm>
#include <memory>

#include "core/c64read/background_copies.h"
#include "core/c64read/loose_koala.h"
#include "core/c64read/sp2_unpacker.h"
#include "core/export/layouts.h"
#include "core/export/picture_data.h"

namespace pxm {

namespace {

using PictureResult = Result<C64Picture, ReadFailure>;

ReadFailure FailureOf(ReadFailureKind kind, std::uint16_t address, std::size_t found) {
    ReadFailure failure;
    failure.kind = kind;
    failure.address = address;
    failure.found = found;
    return failure;
}

// The Koala picture from a format's block; of two background bytes, the one ReadBackground tells.
std::optional<DifferingBackground> ReadLayout(Bytes block, ExportFormat format, KoalaImage& image) {
    const PictureLayout& layout = InfoOf(format).layout;
    const auto copy = [&](std::size_t from, std::size_t count, std::size_t to) {
        const Bytes part = *FieldOf(block, {from, count});
        std::copy(part.begin(), part.end(), image.begin() + static_cast<std::ptrdiff_t>(to));
    };
    copy(layout.bitmapAt, BitmapBytes, KoalaBitmapOffset);
    copy(layout.screenAt, CellBytes, KoalaScreenOffset);
    copy(layout.colourAt, CellBytes, KoalaColourOffset);
    const BackgroundRead background = ReadBackground(format, block, image);
    image[KoalaBackgroundOffset] = background.colour;
    return background.differing;
}

// The picture of a format's data bytes, plain or packed.
PictureResult PictureFromData(ExportFormat format, Bytes data) {
    const FormatInfo& info = InfoOf(format);
    C64Picture picture;
    picture.format = format;
    picture.hasBackground = info.layout.backgroundCount > 0;
    switch (info.encoding) {
        case Encoding::Plain:
            picture.padding = PaddingAfter(format, data);
            if (data.size() != info.layout.size && !picture.padding) {
                ReadFailure failure = FailureOf(ReadFailureKind::WrongLength, info.loadAddress, data.size());
                failure.format = format;
                failure.expected = info.layout.size;
                return Fail(failure);
            }
            picture.differingBackground = ReadLayout(data.first(info.layout.size), format, picture.image);
            break;
        case Encoding::Sp2Packed: {
            PictureData layout;
            if (const Status<ReadFailure> unpacked = UnpackSp2(data, layout); !unpacked) return Fail(unpacked.error());
            ReadLayout(layout.view(), format, picture.image);
            break;
        }
    }
    return picture;
}

std::optional<ExportFormat> FormatLoadingAt(std::uint16_t loadAddress) {
    for (std::size_t f = 0; f < Formats.size(); ++f) {
        if (Formats[f].loadAddress == loadAddress) return static_cast<ExportFormat>(f);
    }
    return std::nullopt;
}

// Whether a plain format's block stands at dataAddress as the parameters say, laid out exactly
// as the converter lays that format out (Artist 64 and Blazing Paddles differ only there).
bool FitsParameters(ExportFormat format, Bytes data, std::uint16_t dataAddress, Bytes program,
                    const ShowingProgramLayout& layout) {
    const FormatInfo& info = InfoOf(format);
    const PictureLayout& block = info.layout;
    if (info.encoding != Encoding::Plain || data.size() != block.size) return false;
    if (WordAt(program, layout.bitmapAt) != dataAddress + block.bitmapAt ||
        WordAt(program, layout.screenAt) != dataAddress + block.screenAt ||
        WordAt(program, layout.colourAt) != dataAddress + block.colourAt)
        return false;
    const auto image = std::make_unique<KoalaImage>();
    ReadLayout(data, format, *image);
    const auto rebuilt = std::make_unique<PictureData>();
    BuildLayout(*image, block, *rebuilt);
    return std::equal(data.begin(), data.end(), rebuilt->bytes.begin()) &&
           (block.backgroundCount == 0 || (*image)[KoalaBackgroundOffset] == *ByteAt(program, layout.backgroundAt));
}

PictureResult PictureFromShowingProgram(Bytes program, const ShowingProgramLayout& layout) {
    const ReadFailure broken = FailureOf(ReadFailureKind::ShowingProgramBroken, layout.loadAddress, program.size());
    const Bytes head = layout.head.first(layout.parametersAt);
    const std::optional<Bytes> start = FieldOf(program, {0, head.size()});
    if (!start || !std::equal(head.begin(), head.end(), start->begin()) || program.size() <= layout.head.size())
        return Fail(FailureOf(ReadFailureKind::UnknownLoadAddress, layout.loadAddress, program.size()));

    const Bytes data = program.subspan(layout.head.size());
    const auto dataAddress = static_cast<std::uint16_t>(layout.loadAddress + layout.head.size());
    const std::uint8_t background = *ByteAt(program, layout.backgroundAt);
    const std::uint8_t border = *ByteAt(program, layout.borderAt);
    if (background > 0x0F || border > 0x0F) return Fail(broken);

    PictureResult picture = Fail(broken);
    if (WordAt(program, layout.streamAt) != 0) {
        const bool streamFits = WordAt(program, layout.streamAt) == dataAddress &&
                                WordAt(program, layout.streamEndAt) == dataAddress + data.size();
        const PictureLayout& sp2 = InfoOf(ExportFormat::Sp2).layout;
        if (!streamFits || WordAt(program, layout.bitmapAt) != layout.unpackTo + sp2.bitmapAt ||
            WordAt(program, layout.screenAt) != layout.unpackTo + sp2.screenAt ||
            WordAt(program, layout.colourAt) != layout.unpackTo + sp2.colourAt)
            return Fail(broken);
        picture = PictureFromData(ExportFormat::Sp2, data);
    } else {
        for (std::size_t f = 0; f < Formats.size() && !picture; ++f) {
            if (FitsParameters(static_cast<ExportFormat>(f), data, dataAddress, program, layout))
                picture = PictureFromData(static_cast<ExportFormat>(f), data);
        }
    }
    if (!picture) return picture;
    picture->showingProgram = true;
    picture->image[KoalaBackgroundOffset] = background;  // what the program shows
    picture->border = border;
    return picture;
}

}  // namespace

PictureResult PictureFromProgram(std::uint16_t loadAddress, Bytes data, const ShowingProgramLayout* programs) {
    PictureResult picture = Fail(FailureOf(ReadFailureKind::UnknownLoadAddress, loadAddress, data.size()));
    if (programs != nullptr && loadAddress == programs->loadAddress) {
        picture = PictureFromShowingProgram(data, *programs);
    } else if (const std::optional<ExportFormat> format = FormatLoadingAt(loadAddress)) {
        picture = PictureFromData(*format, data);
    }
    if (picture) picture->loadAddress = loadAddress;
    return picture;
}

bool IsPictureLoadAddress(std::uint16_t loadAddress, const ShowingProgramLayout* programs) {
    return FormatLoadingAt(loadAddress).has_value() || (programs != nullptr && loadAddress == programs->loadAddress);
}

}  // namespace pxm
