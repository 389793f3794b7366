// The Bitmap Viewer: shown and hidden by CMD_SHOW_HIDE_BITMAP and its close box, the picture painted at
// its own height or aspect-corrected, and its state kept across hiding and another Open.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/gui/expect.h"

namespace pxm::gui {
namespace {

constexpr int Column = 10;  // where the painted rows are counted
constexpr COLORREF Black = RGB(0, 0, 0);

int BlackRows(Program& program) {
    COLORREF colour = CLR_INVALID;
    const int rows = program.PaintedRows(program.Viewer(), Column, &colour);
    return colour == Black ? rows : 0;
}

void ClickCorrectAspect(Program& program) {
    program.PostToWindow(GetDlgItem(program.Viewer(), IDC_CORRECT_ASPECT), BM_CLICK);
    program.Settle();
}

TEST(Viewer, PaintsThePictureAtItsHeightOrCorrected) {
    struct Height {
        int rows;
        int corrected;
    };
    Program program;
    program.Open(PutPicture("black-200.bmp", BlackBmp(320, 200)));
    program.Command(CMD_SHOW_HIDE_BITMAP);
    ASSERT_TRUE(IsWindowVisible(program.Viewer()));
    EXPECT_EQ(BlackRows(program), 200);
    ClickCorrectAspect(program);
    EXPECT_EQ(BlackRows(program), 228);
    // Unchecked again: the rows below the picture are erased.
    ClickCorrectAspect(program);
    EXPECT_EQ(BlackRows(program), 200);
    ClickCorrectAspect(program);

    // The check box stays as it is across further Opens; each new picture repaints at once.
    for (const Height height : {Height{7, 7}, Height{8, 9}, Height{100, 114}, Height{175, 199}}) {
        SCOPED_TRACE(height.rows);
        program.Open(PutPicture("black-" + std::to_string(height.rows) + ".bmp", BlackBmp(64, height.rows)));
        EXPECT_EQ(BlackRows(program), height.corrected);
        EXPECT_EQ(SendMessageA(GetDlgItem(program.Viewer(), IDC_CORRECT_ASPECT), BM_GETCHECK, 0, 0), BST_CHECKED);
    }
}

TEST(Viewer, CloseBoxHidesItAndTheMenuShowsItAgain) {
    Program program;
    program.Open(PutPicture("black-200.bmp", BlackBmp(320, 200)));
    program.Command(CMD_SHOW_HIDE_BITMAP);
    ClickCorrectAspect(program);
    program.PostToWindow(program.Viewer(), WM_SYSCOMMAND, SC_CLOSE);
    program.Settle();  // the close box's message, which posts CMD_SHOW_HIDE_BITMAP
    program.Settle();  // and CMD_SHOW_HIDE_BITMAP itself
    EXPECT_FALSE(IsWindowVisible(program.Viewer()));
    EXPECT_TRUE(IsWindow(program.Viewer()));
    // Closing went through CMD_SHOW_HIDE_BITMAP, so the next one shows it again, as it was.
    program.Command(CMD_SHOW_HIDE_BITMAP);
    EXPECT_TRUE(IsWindowVisible(program.Viewer()));
    EXPECT_EQ(BlackRows(program), 228);
    program.Command(CMD_SHOW_HIDE_BITMAP);
    EXPECT_FALSE(IsWindowVisible(program.Viewer()));
}

TEST(Viewer, WithoutAPicturePaintsOnlyItsBackground) {
    Program program;
    program.Command(CMD_SHOW_HIDE_BITMAP);
    RECT client{};
    GetClientRect(program.Viewer(), &client);
    COLORREF colour = CLR_INVALID;
    // Right of the check box, the whole height is background.
    EXPECT_EQ(program.PaintedRows(program.Viewer(), client.right - Column, &colour), client.bottom);
    EXPECT_EQ(colour, GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace pxm::gui
