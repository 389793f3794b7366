// File ▸ Open through the real Open dialog: what a successful Open changes, what each failure
// says and leaves alone, a cancel, and a second Open after Koalize and Save As.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/win/gui/expect.h"

namespace pxm::gui {
namespace {

void ExpectFileOpened(Program& program, const std::string& name) {
    EXPECT_EQ(program.Title(), std::string(win::ProgramTitle) + " - " + name);
    EXPECT_EQ(program.StatusText(0), " File Opened");
    EXPECT_EQ(program.StatusText(1), "");
    EXPECT_EQ(Shown(program.MenuState(CMD_SHOW_HIDE_BITMAP)), 0u);
    EXPECT_EQ(Shown(program.MenuState(CMD_KOALIZE)), 0u);
    EXPECT_EQ(Shown(program.MenuState(CMD_SAVE)), UINT(MF_GRAYED));
    EXPECT_EQ(Shown(program.MenuState(CMD_SAVE_AS)), UINT(MF_GRAYED));
    EXPECT_EQ(program.ToolbarState(CMD_SAVE), TBSTATE_INDETERMINATE);
    EXPECT_EQ(program.ToolbarState(CMD_OPEN), TBSTATE_ENABLED);
    EXPECT_TRUE(program.Enabled(IDC_KOALIZE));
}

// Nothing but the message has changed since the start.
void ExpectStillAtStart(Program& program) {
    EXPECT_EQ(program.Title(), win::ProgramTitle);
    EXPECT_EQ(program.StatusText(0), " Running");
    EXPECT_EQ(Shown(program.MenuState(CMD_SHOW_HIDE_BITMAP)), UINT(MF_GRAYED));
    EXPECT_EQ(Shown(program.MenuState(CMD_KOALIZE)), UINT(MF_GRAYED));
    EXPECT_FALSE(program.Enabled(IDC_KOALIZE));
}

TEST(Open, PicturesThroughTheDialog) {
    struct Picture {
        const char* name;
        Bytes bytes;
        const char* width;
        const char* height;
        const char* colours;
    };
    const Picture pictures[] = {
        {"sunset.bmp", SunsetBmp(), "320", "200", "16"},
        {"small-256.bmp", MakeBmp({.width = 101, .height = 57, .bitsPerPixel = 8}, [](int x, int) { return x % 16; }),
         "101", "57", "256"},
    };
    Program program;
    for (const Picture& picture : pictures) {
        SCOPED_TRACE(picture.name);
        program.Open(PutPicture(picture.name, picture.bytes));
        EXPECT_TRUE(program.NoMessageBox(200ms));
        ExpectFileOpened(program, picture.name);
        EXPECT_EQ(program.Text(IDC_WIDTH), picture.width);
        EXPECT_EQ(program.Text(IDC_HEIGHT), picture.height);
        EXPECT_EQ(program.Text(IDC_COLORS), picture.colours);
    }
}

TEST(Open, CancelChangesNothingAndSaysNothing) {
    Program program;
    program.PostCommand(CMD_OPEN);
    program.CancelFileDialog("Open a bitmap picture");
    EXPECT_TRUE(program.NoMessageBox());
    ExpectStillAtStart(program);
}

TEST(Open, RefusedPicturesEachSayWhy) {
    struct Refusal {
        const char* name;
        Bytes bytes;
        const Message& message;
    };
    const Refusal refusals[] = {
        {"too-wide.bmp", MakeBmp({.width = 321}, [](int, int) { return 0; }), msg::BitmapTooLarge},
        {"too-high.bmp", MakeBmp({.height = 201}, [](int, int) { return 0; }), msg::BitmapTooLarge},
        {"two-colours.bmp", MakeBmp({.importantColours = 2}, [](int, int) { return 0; }), msg::BadColourCount},
        {"short.bmp", Bytes(40, 'B'), msg::IncompleteFile},
    };
    Program program;
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        program.Open(PutPicture(refusal.name, refusal.bytes));
        ExpectMessage(program.TakeMessageBox(), refusal.message);
        EXPECT_TRUE(program.NoMessageBox(200ms));
        ExpectStillAtStart(program);
        EXPECT_EQ(program.Text(IDC_WIDTH), "---");
    }
}

TEST(Open, FileThatCannotBeReadShowsTheSystemsReason) {
    const std::string path = PutPicture("locked.bmp", SunsetBmp());
    // Held open without sharing: the program cannot open it.
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Program program;
    program.Open(path);
    ExpectSystemError(program.TakeMessageBox(), ERROR_SHARING_VIOLATION);
    CloseHandle(lock);
    ExpectStillAtStart(program);
}

TEST(Open, PreviewThatCannotBeLoadedLeavesTheWindowAsItWas) {
    // The reader looks only at sizes and colour count; the system's loader wants the "BM" mark.
    Bytes unmarked = MakeBmp({.width = 100, .height = 50}, [](int, int) { return 1; });
    unmarked[0] = 'X';
    const std::string sunset = PutPicture("sunset.bmp", SunsetBmp());
    const std::string path = PutPicture("unmarked.bmp", unmarked);
    Program program;
    program.Open(sunset);
    program.Open(path);
    ExpectSystemError(program.TakeMessageBox(), ERROR_INVALID_DATA);
    // The picture itself was read, so its sizes show; the rest belongs to the earlier file.
    EXPECT_EQ(program.Text(IDC_WIDTH), "100");
    EXPECT_EQ(program.Text(IDC_HEIGHT), "50");
    ExpectFileOpened(program, "sunset.bmp");
}

TEST(Open, SecondOpenAfterKoalizeAndSaveAsStartsOver) {
    const std::string first = PutPicture("sunset.bmp", SunsetBmp());
    const std::string second = PutPicture("greys.bmp", FourGreysBmp());
    Program program;
    program.Open(first);
    program.Click(IDC_KOALIZE);
    program.TakeMessageBox();
    program.SaveAs(WorkFolder("second-open") + "sunset.prg");
    ASSERT_EQ(Shown(program.MenuState(CMD_SAVE)), 0u);
    ASSERT_EQ(program.ToolbarState(CMD_SAVE), TBSTATE_ENABLED);

    program.Open(second);
    EXPECT_TRUE(program.NoMessageBox());
    ExpectFileOpened(program, "greys.bmp");
    // Not koalized any more: saving is refused until the new picture is.
    program.PostCommand(CMD_SAVE);
    ExpectMessage(program.TakeMessageBox(), win::msg::FirstKoalize);
}

}  // namespace
}  // namespace pxm::gui
