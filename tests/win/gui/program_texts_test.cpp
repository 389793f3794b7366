// The program's own texts and the Save dialog's default name, without starting the program.
#include <gtest/gtest.h>

#include "win/common/program_texts.h"
#include "win/dialogs/default_save_name.h"
#include "win/program/color_combo.h"

namespace pxm::gui {
namespace {

// The title is made from the project's version: it must still read as the program's own.
TEST(ProgramTexts, TitleFromTheProjectVersion) { EXPECT_EQ(win::ProgramTitle, "Pixmosaic 1.2b"); }

TEST(ProgramTexts, HelpNotFoundNamesTheFolder) {
    EXPECT_EQ(win::HelpNotFoundText("D:\\Apps\\"), "File PXMHelp.CHM not found in D:\\Apps\\.");
}

TEST(ColorCombo, AutoThenTheColoursInC64Order) {
    ASSERT_EQ(win::ColorNames.size(), 17u);
    EXPECT_EQ(win::ColorNames[0], "AUTO");
    EXPECT_EQ(win::ColorNames[1], "black");
    EXPECT_EQ(win::ColorNames[12], "dark grey");
    EXPECT_EQ(win::ColorNames[16], "light grey");
    EXPECT_EQ(win::BackgroundOfItem(0), win::AutoItemData);
    EXPECT_EQ(win::BackgroundOfItem(7), 6);
}

std::string DefaultName(std::string name) {
    win::ReplaceBmpExtension(name);
    return name;
}

TEST(DefaultSaveName, LowerCasedAndCutAtTheFirstBmp) {
    EXPECT_EQ(DefaultName("Sunset.BMP"), "sunset");
    EXPECT_EQ(DefaultName("photo.bmp.old"), "photo");
    EXPECT_EQ(DefaultName("logo.gif"), "logo.gif");
    EXPECT_EQ(DefaultName("A.BMP.bmp"), "a");
    EXPECT_EQ(DefaultName("my.bmpx"), "my");
    EXPECT_EQ(DefaultName("Logo.GIF"), "logo.gif");
    EXPECT_EQ(DefaultName("\xC4RGER.BMP"), "\xE4rger");  // Windows ANSI: the umlaut too
    EXPECT_EQ(DefaultName(""), "");
}

}  // namespace
}  // namespace pxm::gui
