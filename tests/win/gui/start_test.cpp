// The main window as a fresh start leaves it, its colour box and tooltips, the keys that must
// change nothing, and the ways it ends.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>

#include "tests/win/gui/expect.h"

namespace pxm::gui {
namespace {

// Where the combo box draws the selected item's 12 x 8 image: a point inside the swatch's
// field and one on the AUTO image's yellow.
constexpr POINT SwatchField{10, 8};
constexpr POINT AutoYellow{8, 6};

// The table's swatch colours, C64 colour order.
constexpr std::array<COLORREF, 16> Swatches = {
    RGB(0x00, 0x00, 0x00), RGB(0xFC, 0xFC, 0xFC), RGB(0xA8, 0x00, 0x00), RGB(0x54, 0xFC, 0xFC),
    RGB(0xA8, 0x00, 0xA8), RGB(0x00, 0xA8, 0x00), RGB(0x00, 0x00, 0xA8), RGB(0xFC, 0xFC, 0x00),
    RGB(0xC0, 0x70, 0x00), RGB(0x70, 0x2C, 0x00), RGB(0xF8, 0x70, 0x80), RGB(0x54, 0x54, 0x54),
    RGB(0x80, 0x80, 0x80), RGB(0x54, 0xFC, 0x54), RGB(0x60, 0x60, 0xFC), RGB(0xA8, 0xA8, 0xA8)};

// The colour box's images are 8-bit: a swatch shows as the colour that an 8-bit image list
// turns it into. Made here the same way, so the comparison is exact.
COLORREF ThroughColourImageList(COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP swatch = CreateCompatibleBitmap(screen, 12, 8);
    HGDIOBJ previous = SelectObject(memory, swatch);
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all{0, 0, 12, 8};
    FillRect(memory, &all, brush);
    SelectObject(memory, previous);
    HIMAGELIST list = ImageList_Create(12, 8, ILC_COLOR8, 0, 1);
    ImageList_Add(list, swatch, nullptr);
    HBITMAP drawn = CreateCompatibleBitmap(screen, 12, 8);
    previous = SelectObject(memory, drawn);
    ImageList_Draw(list, 0, memory, 0, 0, ILD_NORMAL);
    const COLORREF shown = GetPixel(memory, 5, 4);
    SelectObject(memory, previous);
    ImageList_Destroy(list);
    DeleteObject(drawn);
    DeleteObject(brush);
    DeleteObject(swatch);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shown;
}

TEST(Start, EveryElementAsAtStart) {
    Program program;
    EXPECT_EQ(program.Title(), win::ProgramTitle);
    EXPECT_EQ(program.StatusText(0), " Running");
    EXPECT_EQ(program.StatusText(1), "");

    EXPECT_TRUE(program.Checked(IDC_MULTICOLOUR));
    EXPECT_FALSE(program.Checked(IDC_GREY4));
    EXPECT_FALSE(program.Checked(IDC_GREY5));
    EXPECT_FALSE(program.Enabled(IDC_KOALIZE));
    EXPECT_TRUE(program.Enabled(IDC_COLORCOMBO));
    for (int id : {IDC_WIDTH, IDC_HEIGHT, IDC_COLORS}) EXPECT_EQ(program.Text(id), "---") << "control " << id;
    EXPECT_FALSE(IsWindowVisible(program.Viewer()));
    EXPECT_TRUE(program.HasProgramIcons(program.Main()));
    EXPECT_TRUE(program.HasProgramIcons(program.Viewer()));

    for (int id : {CMD_OPEN, CMD_EXIT, CMD_CORRECT_SP2_FLAW, CMD_FORMAT_ARTSTUDIO, CMD_FORMAT_ARTIST64, CMD_FORMAT_BLAZING,
                   CMD_FORMAT_SP2, CMD_HELP_TOPICS, CMD_ABOUT})
        EXPECT_EQ(Shown(program.MenuState(id)), 0u) << "menu item " << id;
    for (int id : {CMD_SAVE, CMD_SAVE_AS, CMD_SHOW_HIDE_BITMAP, CMD_KOALIZE}) EXPECT_EQ(Shown(program.MenuState(id)), UINT(MF_GRAYED)) << "menu item " << id;
    EXPECT_EQ(program.MenuState(CMD_FORMAT_KOALA), UINT(MF_CHECKED | MFT_RADIOCHECK));

    EXPECT_EQ(program.ToolbarState(CMD_OPEN), TBSTATE_ENABLED);
    EXPECT_EQ(program.ToolbarState(CMD_SAVE), TBSTATE_INDETERMINATE);
    EXPECT_EQ(program.Close(), 0u);
}

TEST(Start, ColourBoxHoldsAutoAndTheSixteenSwatches) {
    Program program;
    HWND box = program.Control(IDC_COLORCOMBO);
    ASSERT_EQ(program.ColourCount(), 17);
    EXPECT_EQ(program.ColourSelection(), 0);
    EXPECT_EQ(program.PixelAt(box, AutoYellow.x, AutoYellow.y), ThroughColourImageList(RGB(0xFC, 0xFC, 0x00)));
    for (int index = 0; index < 17; ++index) EXPECT_EQ(program.ColourItemData(index), index - 1) << index;
    for (int colour = 0; colour < 16; ++colour) {
        program.SelectColour(colour + 1);
        InvalidateRect(box, nullptr, TRUE);
        EXPECT_EQ(program.PixelAt(box, SwatchField.x, SwatchField.y), ThroughColourImageList(Swatches[colour]))
            << "swatch of colour " << colour;
    }
}

TEST(Start, ColourBoxFollowsTheMulticolourButton) {
    Program program;
    program.SelectColour(6);
    program.Click(IDC_GREY4);
    program.Settle();
    EXPECT_TRUE(program.Checked(IDC_GREY4));
    EXPECT_FALSE(program.Checked(IDC_MULTICOLOUR));
    EXPECT_FALSE(program.Enabled(IDC_COLORCOMBO));
    program.Click(IDC_MULTICOLOUR);
    program.Settle();
    EXPECT_TRUE(program.Enabled(IDC_COLORCOMBO));
    EXPECT_EQ(program.ColourSelection(), 6);
    program.Click(IDC_GREY5);
    program.Settle();
    EXPECT_FALSE(program.Checked(IDC_GREY4));
    EXPECT_FALSE(program.Enabled(IDC_COLORCOMBO));
    // A menu command re-reads the radio buttons too.
    program.Command(CMD_FORMAT_SP2);
    EXPECT_FALSE(program.Enabled(IDC_COLORCOMBO));
    EXPECT_EQ(program.ColourSelection(), 6);
}

TEST(Start, ToolbarTooltips) {
    Program program;
    EXPECT_EQ(program.Tooltip(CMD_OPEN), "Open a BMP Picture");
    EXPECT_EQ(program.Tooltip(CMD_SAVE), "Save to file");
}

TEST(Start, HoveringShowsTheOpenTooltip) {
    Program program;
    const POINT centre = program.ToolbarButtonCentre(CMD_OPEN);
    MoveMouse(centre.x, centre.y);
    std::string text;
    int shown = 0;
    for (int wait = 0; wait < 100 && shown == 0; ++wait, Sleep(50)) shown = program.ShownTooltip(&text);
    EXPECT_EQ(shown, CMD_OPEN);
    // Kept, not asked again: the program told the tooltip to hold on to the text.
    EXPECT_EQ(text, "Open a BMP Picture");
    MoveMouse(0, 0);
}

TEST(Start, KoalizeBeforeAnyOpenOnlyWarns) {
    Program program;
    program.PostCommand(CMD_KOALIZE);
    ExpectMessage(program.TakeMessageBox(), win::msg::FirstOpenFile);
    EXPECT_TRUE(program.NoMessageBox());
    EXPECT_EQ(program.StatusText(0), " Running");
    EXPECT_EQ(program.StatusText(1), "");
    EXPECT_EQ(Shown(program.MenuState(CMD_SAVE_AS)), UINT(MF_GRAYED));
}

TEST(Start, EscapeAndEnterChangeNothing) {
    Program program;
    for (UINT key : {VK_ESCAPE, VK_RETURN}) {
        SCOPED_TRACE(key == VK_ESCAPE ? "Escape" : "Enter");
        program.PostToWindow(program.Control(IDC_MULTICOLOUR), WM_KEYDOWN, key);
        program.PostToWindow(program.Control(IDC_MULTICOLOUR), WM_KEYUP, key);
        program.Settle();
        EXPECT_TRUE(program.NoMessageBox());
        EXPECT_TRUE(IsWindowVisible(program.Main()));
        EXPECT_EQ(program.Title(), win::ProgramTitle);
        EXPECT_EQ(program.StatusText(0), " Running");
    }
    EXPECT_TRUE(program.Running());
    EXPECT_EQ(program.Close(), 0u);
}

TEST(Start, ExitEndsWithStatusZero) {
    Program program;
    program.PostCommand(CMD_EXIT);
    EXPECT_EQ(program.WaitExit(), 0u);
}

TEST(Start, CloseBoxWithTheViewerShownEndsBoth) {
    Program program;
    program.Command(CMD_SHOW_HIDE_BITMAP);
    EXPECT_TRUE(IsWindowVisible(program.Viewer()));
    HWND viewer = program.Viewer();
    EXPECT_EQ(program.Close(), 0u);
    EXPECT_FALSE(IsWindow(viewer));
}

}  // namespace
}  // namespace pxm::gui
