// The About box, opened and closed every way, and the help file, found beside the program or not.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/gui/expect.h"

namespace pxm::gui {
namespace {

// The About picture's top-left corner in the box, and three of its pixels: the background
// (mapped to the dialog face), the cup and the red pencil.
constexpr POINT PictureAt{20, 30};

void ExpectAboutPicture(Program& program, HWND about) {
    EXPECT_EQ(program.PixelAt(about, PictureAt.x, PictureAt.y), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(program.PixelAt(about, PictureAt.x + 32, PictureAt.y + 24), RGB(0x3C, 0x64, 0xC8));
    EXPECT_EQ(program.PixelAt(about, PictureAt.x + 33, PictureAt.y + 10), RGB(0xDC, 0x28, 0x28));
}

// Keyboard input as the user types it, into the window that has the focus.
void PressKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof input[0]);
}

HWND WaitHelpViewer() {
    for (int wait = 0; wait < 300; ++wait, Sleep(50))
        if (HWND viewer = FindWindowA(nullptr, "Pixmosaic Help")) return viewer;
    return nullptr;
}

TEST(About, OpensAndClosesTenTimesEachWay) {
    enum class Way { OkButton, Escape, CloseBox };
    Program program;
    for (Way way : {Way::OkButton, Way::Escape, Way::CloseBox}) {
        for (int time = 0; time < 10; ++time) {
            SCOPED_TRACE(testing::Message() << "way " << static_cast<int>(way) << ", time " << time);
            program.PostCommand(CMD_ABOUT);
            HWND about = program.WaitWindow("About...");
            ASSERT_NE(about, nullptr);
            EXPECT_TRUE(program.HasProgramIcons(about));
            ExpectAboutPicture(program, about);
            switch (way) {
                case Way::OkButton:
                    program.PostToWindow(GetDlgItem(about, IDOK), BM_CLICK);
                    break;
                case Way::Escape:
                    program.PostToWindow(GetDlgItem(about, IDOK), WM_KEYDOWN, VK_ESCAPE);
                    break;
                case Way::CloseBox:
                    program.PostToWindow(about, WM_SYSCOMMAND, SC_CLOSE);
                    break;
            }
            ASSERT_TRUE(program.WaitGone(about));
        }
    }
    EXPECT_TRUE(program.NoMessageBox(200ms));
    EXPECT_EQ(program.Close(), 0u);
}

TEST(Help, TopicsAndF1OpenTheHelpFile) {
    Program program;
    program.PostCommand(CMD_HELP_TOPICS);
    HWND viewer = WaitHelpViewer();
    ASSERT_NE(viewer, nullptr) << "the help viewer did not open";
    EXPECT_TRUE(program.NoMessageBox(200ms));
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    for (int wait = 0; wait < 100 && IsWindow(viewer); ++wait) Sleep(50);

    program.Activate();
    PressKey(VK_F1);
    viewer = WaitHelpViewer();
    ASSERT_NE(viewer, nullptr) << "F1 did not open the help viewer";
    EXPECT_TRUE(program.NoMessageBox(200ms));
    PostMessageA(viewer, WM_CLOSE, 0, 0);
}

TEST(Help, WithoutTheHelpFileNamesTheProgramFolder) {
    const std::string folder = WorkFolder("no-help");
    const std::string copy = folder + "Pixmosaic.exe";
    ASSERT_TRUE(CopyFileA(Paths().programPath.c_str(), copy.c_str(), FALSE));
    Program program(copy);
    const std::string expected = win::HelpNotFoundText(folder);
    program.PostCommand(CMD_HELP_TOPICS);
    ExpectMessage(program.TakeMessageBox(), win::msg::HelpErrorCaption, expected, MessageIcon::Error);

    program.Activate();
    PressKey(VK_F1);
    ExpectMessage(program.TakeMessageBox(), win::msg::HelpErrorCaption, expected, MessageIcon::Error);
    EXPECT_EQ(program.Close(), 0u);
}

}  // namespace
}  // namespace pxm::gui
