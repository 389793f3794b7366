#include <gtest/gtest.h>

#include <string>

#include "core/koala/colour_names.h"
#include "core/text/messages.h"

namespace pxm {
namespace {

TEST(Messages, RegisteredSignIsTheAnsiByte) {
    const std::string_view text = msg::BitmapTooLarge.text;
    const std::size_t at = text.find("Windows");
    ASSERT_NE(at, std::string_view::npos);
    EXPECT_EQ(static_cast<unsigned char>(text[at + 7]), 0xAE);
    EXPECT_EQ(static_cast<unsigned char>(msg::BadColourCount.text[msg::BadColourCount.text.find("Windows") + 7]), 0xAE);
    EXPECT_EQ(AnsiToUtf8(text), "This program can't load Windows\xC2\xAE Bitmap files larger than 320*200 pixels.");
}

TEST(Messages, AnsiToUtf8FollowsCodePage1252) {
    EXPECT_EQ(AnsiToUtf8("plain ASCII\n"), "plain ASCII\n");
    EXPECT_EQ(AnsiToUtf8("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(AnsiToUtf8("\xFF"), "\xC3\xBF");
    EXPECT_EQ(AnsiToUtf8("\x80"), "\xE2\x82\xAC");  // the euro sign
    EXPECT_EQ(AnsiToUtf8(""), "");
}

TEST(Messages, FormattedTexts) {
    EXPECT_EQ(ChosenBackgroundText("light grey"), "Chosen background color: light grey.");
    EXPECT_EQ(ChosenBackgroundText(ColourName(0)), "Chosen background color: black.");
    EXPECT_EQ(SystemErrorFallbackText(1234), "The system has no text for error 1234 (0x000004D2).");
    EXPECT_EQ(SystemErrorFallbackText(0xE0434352u), "The system has no text for error 3762504530 (0xE0434352).");
}

TEST(ColourNames, NamesFollowC64Order) {
    EXPECT_EQ(ColourName(0), "black");
    EXPECT_EQ(ColourName(11), "dark grey");
    EXPECT_EQ(ColourName(15), "light grey");
    EXPECT_EQ(ColourNames.size(), 16u);
}

}  // namespace
}  // namespace pxm
