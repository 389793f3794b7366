#include "lib/output/showing_program_layout.h"

#include <vector>

#include "lib/output/c64/displayer_image.h"
#include "lib/output/executable.h"

namespace pxm {

const ShowingProgramLayout& ConverterProgramLayout() {
    static const std::vector<std::uint8_t> head = ProgramHead();
    static const ShowingProgramLayout layout{
        .loadAddress = BasicStart,
        .head = head,
        .parametersAt = ProgramOffset(Displayer.stream),
        .streamAt = ProgramOffset(Displayer.stream),
        .streamEndAt = ProgramOffset(Displayer.streamEnd),
        .bitmapAt = ProgramOffset(Displayer.bitmap),
        .screenAt = ProgramOffset(Displayer.screen),
        .colourAt = ProgramOffset(Displayer.colour),
        .backgroundAt = ProgramOffset(Displayer.background),
        .borderAt = ProgramOffset(Displayer.border),
        .unpackTo = Displayer.unpackTo,
    };
    return layout;
}

}  // namespace pxm
