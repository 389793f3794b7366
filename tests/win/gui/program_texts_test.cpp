// The program's own texts and the Save dialog's default name, without starting the program.
#include <gtest/gtest.h>

#include "win/common/program_texts.h"
#include "win/dialogs/default_save_name.h"

namespace pxm::gui {
namespace {

// The title is made from the project's version: it must still read as the program's own.
TEST(ProgramTexts, TitleFromTheProjectVersion) { EXPECT_EQ(win::ProgramTitle, "Pixmosaic 1.2b"); }

TEST(ProgramTexts, HelpNotFoundNamesTheFolder) {
    EXPECT_EQ(win::HelpNotFoundText("D:\\Apps\\"), "File PXMHelp.CHM not found in D:\\Apps\\.");
}

TEST(DefaultSaveName, LowerCasedAndCutAtTheFirstBmp) {
    EXPECT_EQ(win::DefaultSaveName("Sunset.BMP"), "sunset");
    EXPECT_EQ(win::DefaultSaveName("photo.bmp.old"), "photo");
    EXPECT_EQ(win::DefaultSaveName("logo.gif"), "logo.gif");
    EXPECT_EQ(win::DefaultSaveName("A.BMP.bmp"), "a");
    EXPECT_EQ(win::DefaultSaveName("my.bmpx"), "my");
    EXPECT_EQ(win::DefaultSaveName("Logo.GIF"), "logo.gif");
    EXPECT_EQ(win::DefaultSaveName("\xC4RGER.BMP"), "\xE4rger");  // Windows ANSI: the umlaut too
    EXPECT_EQ(win::DefaultSaveName(""), "");
}

}  // namespace
}  // namespace pxm::gui
