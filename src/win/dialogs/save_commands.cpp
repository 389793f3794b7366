#include "dialogs/save_commands.h"

#include <commctrl.h>

#include "common/message_box.h"
#include "dialogs/save_dialog.h"
#include "export/save_picture.h"
#include "resources/resource_ids.h"
#include "text/messages.h"

namespace pxm::win {

namespace {

HMENU Submenu(const AppState& state, int position) { return GetSubMenu(GetMenu(state.mainWindow), position); }

void EnableSave(const AppState& state) {
    EnableMenuItem(Submenu(state, SUBMENU_FILE), CMD_SAVE, MF_BYCOMMAND | MF_ENABLED);
    const HWND toolbar = GetDlgItem(state.mainWindow, IDC_TOOLBAR);
    SendMessageA(toolbar, TB_INDETERMINATE, CMD_SAVE, MAKELPARAM(FALSE, 0));
    SendMessageA(toolbar, TB_ENABLEBUTTON, CMD_SAVE, MAKELPARAM(TRUE, 0));
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
    CheckMenuRadioItem(Submenu(state, SUBMENU_CONVERSION), CMD_FORMAT_KOALA, CMD_FORMAT_SP2, static_cast<UINT>(command),
                       MF_BYCOMMAND);
    state.exportFormat = static_cast<ExportFormat>(command - CMD_FORMAT_KOALA);
}

void CorrectSp2FlawCommand(AppState& state) {
    state.correctSp2Flaw = !state.correctSp2Flaw;
    CheckMenuItem(Submenu(state, SUBMENU_TOOLS), CMD_CORRECT_SP2_FLAW,
                  MF_BYCOMMAND | (state.correctSp2Flaw ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace pxm::win
