#include "win/commands/save_commands.h"

#include "core/text/messages.h"
#include "win/common/message_box.h"
#include "win/dialogs/save_dialog.h"
#include "win/files/save_picture.h"
#include "win/program/main_controls.h"
#include "win/resources/resource_ids.h"

namespace pxm::win {

namespace {

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
    if (ShowSaveDialog(state, state.mainWindow) == 1) EnableSave(state);
}

void SaveCommand(AppState& state) {
    if (!state.koalaValid) {
        ShowMessage(state.mainWindow, msg::FirstKoalize);
        return;
    }
    SavePicture(state, state.mainWindow, state.exportFormat, state.container);
}

void ConversionCommand(AppState& state, int command) {
    CheckFormatItem(state.mainWindow, command);
    state.exportFormat = static_cast<ExportFormat>(command - CMD_FORMAT_KOALA);
}

void CorrectSp2FlawCommand(AppState& state) {
    state.correctSp2Flaw = !state.correctSp2Flaw;
    CheckMenuItem(Submenu(state.mainWindow, SUBMENU_TOOLS), CMD_CORRECT_SP2_FLAW,
                  MF_BYCOMMAND | (state.correctSp2Flaw ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace pxm::win
