// Koalize from the button and the Tools menu in each palette mode: the messages, the status
// panes and what becomes available.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "core/koala/colour_names.h"
#include "tests/win/gui/expect.h"

namespace pxm::gui {
namespace {

constexpr int AutoItem = 0;
// The colour box's item for C64 colour n.
constexpr int ColourItem(int colour) { return colour + 1; }

void ExpectKoalizationDone(Program& program) {
    EXPECT_EQ(program.StatusText(0), " ");
    EXPECT_EQ(program.StatusText(1), " Koalization done");
    EXPECT_EQ(Shown(program.MenuState(CMD_SAVE_AS)), 0u);
}

void ExpectKoalizationError(Program& program) {
    EXPECT_EQ(program.StatusText(0), " ");
    EXPECT_EQ(program.StatusText(1), " Koalization error");
}

// AUTO's report of the background it took, then the status of a success.
void ExpectChosen(Program& program, std::string_view text) {
    ExpectMessage(program.TakeMessageBox(), win::msg::BackgroundColourCaption, text, MessageIcon::Information);
    ExpectKoalizationDone(program);
}

constexpr int Multicolour = IDC_MULTICOLOUR, FourGreys = IDC_GREY4, FiveGreys = IDC_GREY5;

// Koalize in a palette mode, chosen by its radio button, and see it refused with the message.
void ExpectRefused(Program& program, int mode, const Message& message) {
    program.Click(mode);
    program.Click(IDC_KOALIZE);
    ExpectMessage(program.TakeMessageBox(), message);
    ExpectKoalizationError(program);
}

// A program with the picture opened through the Open dialog.
struct Opened {
    explicit Opened(const std::string& name, const Bytes& bmp) { program.Open(PutPicture(name, bmp)); }
    Program program;
};

TEST(Koalize, AutoNamesTheLowestWorkingBackground) {
    Opened opened("sunset.bmp", SunsetBmp());
    Program& program = opened.program;
    program.Click(IDC_KOALIZE);
    ExpectChosen(program, "Chosen background color: black.");
    EXPECT_TRUE(program.NoMessageBox());
    // Koalize leaves Save, the toolbar and the colour box as they were.
    EXPECT_EQ(Shown(program.MenuState(CMD_SAVE)), UINT(MF_GRAYED));
    EXPECT_EQ(program.ToolbarState(CMD_SAVE), TBSTATE_INDETERMINATE);
    EXPECT_EQ(program.ColourSelection(), AutoItem);
}

TEST(Koalize, AutoTriesAllSixteenColours) {
    Opened opened("light-grey.bmp", OnlyLightGreyBmp());
    Program& program = opened.program;
    program.PostCommand(CMD_KOALIZE);  // Tools ▸ Koalize!
    ExpectChosen(program, "Chosen background color: light grey.");
}

TEST(Koalize, AutoWithNoWorkingBackgroundSaysSoOnce) {
    Opened opened("refused.bmp", RefusedBmp());
    Program& program = opened.program;
    program.Click(IDC_KOALIZE);
    ExpectMessage(program.TakeMessageBox(), msg::NotC64Picture);
    EXPECT_TRUE(program.NoMessageBox());
    ExpectKoalizationError(program);
    EXPECT_EQ(Shown(program.MenuState(CMD_SAVE_AS)), UINT(MF_GRAYED));
}

TEST(Koalize, FixedBackgroundThatFailsThenAuto) {
    Opened opened("four-colours.bmp", FourColourCellBmp());
    Program& program = opened.program;
    program.SelectColour(ColourItem(6));  // blue: not in the crowded cell
    program.Click(IDC_KOALIZE);
    ExpectMessage(program.TakeMessageBox(), msg::BackgroundDoesNotFit);
    ExpectKoalizationError(program);
    EXPECT_EQ(program.ColourSelection(), ColourItem(6));

    program.SelectColour(AutoItem);
    program.Click(IDC_KOALIZE);
    ExpectChosen(program, "Chosen background color: white.");
}

TEST(Koalize, FixedBackgroundThatWorksSaysNothing) {
    Opened opened("four-colours.bmp", FourColourCellBmp());
    Program& program = opened.program;
    program.SelectColour(ColourItem(3));  // cyan, one of the crowded cell's four
    program.Click(IDC_KOALIZE);
    EXPECT_TRUE(program.NoMessageBox());
    ExpectKoalizationDone(program);
}

TEST(Koalize, GreyModesIgnoreTheColourBox) {
    Opened opened("greys4.bmp", FourGreysBmp());
    Program& program = opened.program;
    // With blue as the background the multicolour rules refuse every cell.
    program.SelectColour(ColourItem(6));
    for (int mode : {FourGreys, FiveGreys}) {
        SCOPED_TRACE(mode == FourGreys ? "four greys" : "five greys");
        program.Click(mode);
        program.Click(IDC_KOALIZE);
        EXPECT_TRUE(program.NoMessageBox());
        ExpectKoalizationDone(program);
    }
    ExpectRefused(program, Multicolour, msg::BackgroundDoesNotFit);
}

TEST(Koalize, GreyModesRefuseOtherColours) {
    Opened opened("sunset.bmp", SunsetBmp());
    ExpectRefused(opened.program, FourGreys, msg::NotFourGreys);
    ExpectRefused(opened.program, FiveGreys, msg::NotFiveGreys);
}

TEST(Koalize, FiveGreysRefuseWhiteWithAllThreeGreysInACell) {
    Opened opened("white-greys.bmp", WhiteWithAllGreysBmp());
    ExpectRefused(opened.program, FiveGreys, msg::NotC64Picture);
    // Four levels refuse the white first.
    ExpectRefused(opened.program, FourGreys, msg::NotFourGreys);
}

TEST(Koalize, FailureAfterSuccessKeepsSaveAsButRefusesToSave) {
    Opened opened("four-colours.bmp", FourColourCellBmp());
    Program& program = opened.program;
    program.Click(IDC_KOALIZE);
    program.TakeMessageBox();
    ExpectKoalizationDone(program);
    program.SelectColour(ColourItem(6));
    program.Click(IDC_KOALIZE);
    ExpectMessage(program.TakeMessageBox(), msg::BackgroundDoesNotFit);
    ExpectKoalizationError(program);
    EXPECT_EQ(Shown(program.MenuState(CMD_SAVE_AS)), 0u);
    ExpectSavingRefused(program);
}

}  // namespace
}  // namespace pxm::gui
