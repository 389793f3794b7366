// The displayer's SP2 unpacker itself (src/lib/output/c64/sp2_unpack.s), run in the sim65 6502
// simulator on streams the core's packer wrote: it must rebuild the layout byte for byte.
#include <gtest/gtest.h>

#include "core/export/layouts.h"
#include "tests/cli/cli_test_support.h"
#include "tests/cli/koala_pictures.h"

namespace pxm::test {
namespace {

const std::string Sim65Path = PIXMOSAIC_SIM65_PATH;
const std::string HarnessPath = PIXMOSAIC_SP2_HARNESS_PATH;

// What the 6502 unpacker makes of a stream, fed through stdin.
ProcessResult UnpackOn6502(const ScratchDir& dir, std::span<const std::uint8_t> stream) {
    const std::string streamPath = dir / "stream.bin";
    WriteFile(streamPath, std::vector<std::uint8_t>(stream.begin(), stream.end()));
    return RunProcess({"/bin/sh", "-c", "exec \"$0\" \"$1\" < \"$2\"", Sim65Path, HarnessPath, streamPath});
}

class Sp2UnpackOn6502 : public ::testing::TestWithParam<bool> {};

TEST_P(Sp2UnpackOn6502, RebuildsTheLayoutOfEveryPicture) {
    const bool correct = GetParam();
    const ScratchDir dir;
    for (const NamedPicture& picture : PicturesForPrograms()) {
        SCOPED_TRACE(picture.name);
        auto stream = std::make_unique<PictureData>();
        PackSp2(*picture.image, correct, *stream);
        auto layout = std::make_unique<PictureData>();
        BuildLayout(*picture.image, InfoOf(ExportFormat::Sp2).layout, *layout);

        const ProcessResult unpacked = UnpackOn6502(dir, stream->view());
        ASSERT_EQ(unpacked.status, 0) << unpacked.err;
        ASSERT_EQ(unpacked.out.size(), layout->size);
        const auto mismatch = std::mismatch(layout->view().begin(), layout->view().end(),
                                            reinterpret_cast<const std::uint8_t*>(unpacked.out.data()));
        EXPECT_EQ(mismatch.first, layout->view().end())
            << "first difference at layout byte " << (mismatch.first - layout->view().begin());
    }
}

INSTANTIATE_TEST_SUITE_P(Correction, Sp2UnpackOn6502, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "On" : "Off"); });

}  // namespace
}  // namespace pxm::test
