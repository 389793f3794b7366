#include "lib/description.h"

#include "core/c64read/c64_picture_reader.h"
#include "lib/output/showing_program_layout.h"
#include "lib/reading/c64_info.h"
#include "lib/wording/c64_refusal.h"
#include "lib/wording/text_join.h"

namespace pxm {

namespace {

InfoBlock C64FileInfo(const InputFile& input, const Options& options) {
    const Result<C64Picture, ReadFailure> picture =
        ReadC64Picture(input.bytes, {.diskFile = options.diskFile, .programs = &ConverterProgramLayout()});
    if (!picture) {
        // A disk without pictures is still listed.
        if (picture.error().kind == ReadFailureKind::DiskNoPicture) return {DiskListingText(input.bytes), {}};
        return {{}, C64RefusalText(picture.error())};
    }
    if (!options.diskFile.empty() && picture->container != Container::D64)
        return {{}, Join({"--file picks a file on a D64 image; this is a ", ContainerName(picture->container), "."})};
    std::string text = C64InfoText(*picture);
    if (picture->container == Container::D64 && options.diskFile.empty()) text += DiskListingText(input.bytes);
    return {std::move(text), {}};
}

}  // namespace

InfoBlock DescribeFile(const InputFile& input, const Options& options) {
    return IsC64File(input.bytes, &ConverterProgramLayout()) ? C64FileInfo(input, options) : PictureInfo(input, options);
}

}  // namespace pxm
