// Save As through the real Save dialog, Save, the Conversion formats and the SP2 switch: every
// file compared byte for byte with what the shared writer makes of the same picture.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>

#include "tests/win/gui/expect.h"

namespace pxm::gui {
namespace {

constexpr std::array<const char*, 3> Extensions = {"p00", "prg", "tap"};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The sunset opened and koalized with AUTO (black), ready to save.
struct Koalized {
    Koalized() {
        program.Open(PutPicture("sunset.bmp", SunsetBmp()));
        program.Click(IDC_KOALIZE);
        program.TakeMessageBox();
    }
    Bytes Expected(ExportFormat format, Container container) const { return ExpectedFile(koala, format, container); }

    KoalaImage koala = ExpectedKoala(SunsetBmp());
    Program program;
};

void ExpectSaved(Program& program, bool packed) {
    EXPECT_EQ(program.StatusText(0), " File Saved");
    EXPECT_EQ(program.StatusText(1), packed ? " Packing Done" : "");
    EXPECT_EQ(Shown(program.MenuState(CMD_SAVE)), 0u);
    EXPECT_EQ(program.ToolbarState(CMD_SAVE), TBSTATE_ENABLED);
}

TEST(Save, ContainerFollowsTheChosenExtension) {
    struct Case {
        const char* typed;
        const char* written;
        Container container;
    };
    // In this order: an unknown extension keeps the container of the Save As before it.
    const Case cases[] = {
        {"x.p00", "x.p00", Container::P00}, {"x.prg", "x.prg", Container::Prg}, {"X.PRG", "X.PRG", Container::Prg},
        {"x.tap", "x.tap", Container::Tap}, {"x.p01", "x.p01", Container::Tap}, {"x", "x.p00", Container::P00},
    };
    Koalized koalized;
    int round = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::string folder = WorkFolder("container-" + std::to_string(round++));
        koalized.program.SaveAs(folder + c.typed);
        EXPECT_TRUE(koalized.program.NoMessageBox(200ms));
        EXPECT_EQ(ReadFileBytes(folder + c.written), koalized.Expected(ExportFormat::Koala, c.container));
        ExpectSaved(koalized.program, false);
    }
}

TEST(Save, EveryFormatInEveryContainerThroughTheDialog) {
    Koalized koalized;
    const std::string folder = WorkFolder("every-format");
    for (int format = 0; format < ExportFormatCount; ++format) {
        SCOPED_TRACE(InfoOf(static_cast<ExportFormat>(format)).name);
        koalized.program.Command(CMD_FORMAT_KOALA + format);
        EXPECT_EQ(koalized.program.MenuState(CMD_FORMAT_KOALA + format), UINT(MF_CHECKED | MFT_RADIOCHECK));
        for (int container = 0; container < 3; ++container) {
            const std::string path = folder + "format" + std::to_string(format) + "." + Extensions[container];
            SCOPED_TRACE(path);
            koalized.program.SaveAs(path);
            EXPECT_TRUE(koalized.program.NoMessageBox(100ms));
            EXPECT_EQ(ReadFileBytes(path), koalized.Expected(static_cast<ExportFormat>(format), static_cast<Container>(container)));
            ExpectSaved(koalized.program, format == static_cast<int>(ExportFormat::Sp2));
        }
    }
    for (int other = CMD_FORMAT_KOALA; other <= CMD_FORMAT_BLAZING; ++other)
        EXPECT_EQ(Shown(koalized.program.MenuState(other)), 0u) << "menu item " << other;
}

TEST(Save, SaveWritesTheCurrentFormatIntoTheLastSaveAs) {
    Koalized koalized;
    Program& program = koalized.program;
    const std::string path = WorkFolder("save-again") + "picture.tap";
    program.SaveAs(path);
    program.Command(CMD_FORMAT_BLAZING);
    program.Command(CMD_SAVE);
    EXPECT_EQ(ReadFileBytes(path), koalized.Expected(ExportFormat::BlazingPaddles, Container::Tap));

    // A cancelled Save As leaves Save aimed where it was.
    program.PostCommand(CMD_SAVE_AS);
    program.CancelFileDialog("Save file");
    program.Command(CMD_FORMAT_ARTSTUDIO);
    program.Command(CMD_SAVE);
    EXPECT_EQ(ReadFileBytes(path), koalized.Expected(ExportFormat::ArtStudio, Container::Tap));
    ExpectSaved(program, false);

    // The toolbar's Save button does the same.
    program.Command(CMD_FORMAT_SP2);
    program.ClickToolbarButton(CMD_SAVE);
    const Bytes packed = koalized.Expected(ExportFormat::Sp2, Container::Tap);
    EXPECT_TRUE(Eventually([&] { return ReadFileBytes(path) == packed; })) << "the toolbar's Save wrote nothing";
    ExpectSaved(program, true);
}

TEST(Save, DefaultNameIsTheSourceNameLowerCasedAndCutAtBmp) {
    struct Case {
        const char* source;
        const char* offered;
    };
    for (const Case c : {Case{"Sunset.BMP", "sunset"}, Case{"Photo.bmp.old", "photo"}}) {
        SCOPED_TRACE(c.source);
        Program program;
        program.Open(PutPicture(c.source, SunsetBmp()));
        program.Click(IDC_KOALIZE);
        program.TakeMessageBox();
        program.PostCommand(CMD_SAVE_AS);
        HWND dialog = program.WaitWindow("Save file");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(program.FileNameField(dialog), c.offered);
        program.CancelFileDialog("Save file");
        EXPECT_EQ(Shown(program.MenuState(CMD_SAVE)), UINT(MF_GRAYED));
        EXPECT_EQ(program.StatusText(1), " Koalization done");
    }
}

TEST(Save, RefusedBeforeAnyKoalize) {
    Program program;
    program.Open(PutPicture("sunset.bmp", SunsetBmp()));
    ExpectSavingRefused(program);
}

TEST(Save, TargetThatCannotBeWrittenIsReportedAndKept) {
    Koalized koalized;
    Program& program = koalized.program;
    const std::string folder = WorkFolder("read-only");
    const std::string path = folder + "kept.prg";
    const Bytes earlier = {'k', 'e', 'p', 't'};
    WriteFileBytes(path, earlier);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);

    program.PostCommand(CMD_SAVE_AS);
    HWND dialog = program.TypeFileName("Save file", path);
    program.Dismiss(program.WaitMessageBox(), IDYES);  // the dialog asks before replacing a file
    EXPECT_TRUE(program.WaitGone(dialog));
    ExpectSystemError(program.TakeMessageBox(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(program.NoMessageBox(200ms));
    EXPECT_NE(program.StatusText(0), " File Saved");
    EXPECT_EQ(Shown(program.MenuState(CMD_SAVE)), UINT(MF_GRAYED));
    EXPECT_EQ(program.ToolbarState(CMD_SAVE), TBSTATE_INDETERMINATE);
    EXPECT_EQ(ReadFileBytes(path), earlier);

    // Nothing else was left in the folder.
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    int files = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(files, 1);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(Save, CorrectSp2FlawChecksAndNoticesOncePerSave) {
    Program program;
    program.Command(CMD_CORRECT_SP2_FLAW);
    EXPECT_EQ(Shown(program.MenuState(CMD_CORRECT_SP2_FLAW)), UINT(MF_CHECKED));
    program.Command(CMD_CORRECT_SP2_FLAW);
    EXPECT_EQ(Shown(program.MenuState(CMD_CORRECT_SP2_FLAW)), 0u);

    const Bytes bmp = Sp2FlawBmp();
    const KoalaImage koala = ExpectedKoala(bmp, Sp2FlawBackground);
    const Bytes corrected = ExpectedFile(koala, ExportFormat::Sp2, Container::Prg, true);
    const Bytes uncorrected = ExpectedFile(koala, ExportFormat::Sp2, Container::Prg, false);
    ASSERT_NE(corrected, uncorrected);

    program.Open(PutPicture("sp2-flaw.bmp", bmp));
    program.SelectColour(Sp2FlawBackground + 1);
    program.Click(IDC_KOALIZE);
    ASSERT_TRUE(program.NoMessageBox());
    program.Command(CMD_FORMAT_SP2);
    program.Command(CMD_CORRECT_SP2_FLAW);

    const std::string path = WorkFolder("sp2-flaw") + "flaw.prg";
    program.PostCommand(CMD_SAVE_AS);
    program.TypeFileName("Save file", path);
    SeenMessageBox notice = program.WaitMessageBox();
    ExpectMessage(notice, msg::Sp2FlawFixed);
    EXPECT_FALSE(Exists(path)) << "the notice comes before the file is written";
    program.Dismiss(notice);
    EXPECT_TRUE(program.NoMessageBox(300ms));
    EXPECT_EQ(ReadFileBytes(path), corrected);
    ExpectSaved(program, true);

    // Each further save that needs the correction says so again, once.
    program.PostCommand(CMD_SAVE);
    ExpectMessage(program.TakeMessageBox(), msg::Sp2FlawFixed);
    EXPECT_TRUE(program.NoMessageBox(300ms));
    EXPECT_EQ(ReadFileBytes(path), corrected);

    program.Command(CMD_CORRECT_SP2_FLAW);
    program.PostCommand(CMD_SAVE);
    EXPECT_TRUE(program.NoMessageBox(300ms));
    EXPECT_EQ(ReadFileBytes(path), uncorrected);
}

}  // namespace
}  // namespace pxm::gui
