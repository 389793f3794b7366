// Inks shown in RGB: stored inverted (Adobe's way) or plain, each ink and black taking their
// share of the light.
#include "core/import/print_colours.h"

#include <gtest/gtest.h>

namespace pxm {
namespace {

TEST(PrintColours, InksTakeTheirShareOfTheLight) {
    struct Case {
        Inks plain;  // 0: no ink
        Rgb rgb;
    };
    const std::vector<Case> cases{
        {{0, 0, 0, 0}, {255, 255, 255}},        // paper
        {{0, 0, 0, 255}, {0, 0, 0}},            // black ink
        {{255, 0, 0, 0}, {0, 255, 255}},        // cyan takes red
        {{0, 255, 0, 0}, {255, 0, 255}},        // magenta takes green
        {{0, 0, 255, 0}, {255, 255, 0}},        // yellow takes blue
        {{0, 255, 255, 0}, {255, 0, 0}},        // red
        {{0, 0, 0, 128}, {127, 127, 127}},      // half black
        {{128, 0, 0, 128}, {63, 127, 127}},     // half cyan under half black
        {{255, 255, 255, 0}, {0, 0, 0}},        // all three inks
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int{c.plain.cyan} << "," << int{c.plain.magenta} << ","
                                        << int{c.plain.yellow} << "," << int{c.plain.black});
        EXPECT_EQ(RgbOfInks(c.plain, InkStorage::Plain), c.rgb);
        const Inks inverted{static_cast<std::uint8_t>(255 - c.plain.cyan), static_cast<std::uint8_t>(255 - c.plain.magenta),
                            static_cast<std::uint8_t>(255 - c.plain.yellow), static_cast<std::uint8_t>(255 - c.plain.black)};
        EXPECT_EQ(RgbOfInks(inverted, InkStorage::Inverted), c.rgb);
    }
}

}  // namespace
}  // namespace pxm
