#include "win/commands/save_commands.h"

#include "win/common/message_box.h"
#include "win/common/program_texts.h"
#include "win/dialogs/save_dialog.h"
#include "win/files/save_picture.h"
#include "win/program/main_controls.h"
#include "win/resources/resource_ids.h"

namespace pxm::win {

namespace {

// The Conversion items are numbered in ExportFormat order, one for each format: the command less
// the first item's is the format.
constexpr ExportFormat FormatOfItem(int command) { return static_cast<ExportFormat>(command - CMD_FORMAT_KOALA); }
static_assert(FormatOfItem(CMD_FORMAT_KOALA) == ExportFormat::Koala);
static_assert(FormatOfItem(CMD_FORMAT_ARTSTUDIO) == ExportFormat::ArtStudio);
static_assert(FormatOfItem(CMD_FORMAT_ARTIST64) == ExportFormat::Artist64);
static_assert(FormatOfItem(CMD_FORMAT_BLAZING) == ExportFormat::BlazingPaddles);
static_assert(FormatOfItem(CMD_FORMAT_SP2) == ExportFormat::Sp2);
static_assert(CMD_FORMAT_SP2 - CMD_FORMAT_KOALA + 1 == ExportFormatCount);

void EnableSave(const AppState& state) {
    EnableMenuCommand(state.mainWindow, SUBMENU_FILE, CMD_SAVE, true);
    SetToolbarSaveUsable(state.mainWindow, true);
}

}  // namespace

void SaveAsCommand(AppState& state) {
    if (!state.koalaValid) {
        ShowMessage(state.mainWindow, msg::FirstKoalize);
        return;
    }
    if (ShowSaveDialog(state, state.mainWindow)) EnableSave(state);
}

void SaveCommand(AppState& state) {
    if (!state.koalaValid) {
        ShowMessage(state.mainWindow, msg::FirstKoalize);
        return;
    }
    // Save leaves the menus as they are whatever the outcome; a failure has been shown.
    (void)SavePicture(state, state.mainWindow, state.exportFormat, state.container);
}

void ConversionCommand(AppState& state, int command) {
    CheckFormatItem(state.mainWindow, command);
    state.exportFormat = FormatOfItem(command);
}

void CorrectSp2FlawCommand(AppState& state) {
    state.correctSp2Flaw = !state.correctSp2Flaw;
    CheckMenuItem(Submenu(state.mainWindow, SUBMENU_TOOLS), CMD_CORRECT_SP2_FLAW,
                  MF_BYCOMMAND | (state.correctSp2Flaw ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace pxm::win
