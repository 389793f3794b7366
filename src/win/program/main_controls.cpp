#include "win/program/main_controls.h"

#include <commctrl.h>

#include <string>

#include "win/resources/resource_ids.h"

namespace pxm::win {

HMENU Submenu(HWND mainWindow, int position) { return GetSubMenu(GetMenu(mainWindow), position); }

void EnableMenuCommand(HWND mainWindow, int submenu, int command, bool enabled) {
    EnableMenuItem(Submenu(mainWindow, submenu), static_cast<UINT>(command),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void CheckFormatItem(HWND mainWindow, int command) {
    CheckMenuRadioItem(Submenu(mainWindow, SUBMENU_CONVERSION), CMD_FORMAT_KOALA, CMD_FORMAT_SP2,
                       static_cast<UINT>(command), MF_BYCOMMAND);
}

void SetStatusPane(HWND mainWindow, int pane, std::string_view text) {
    const std::string terminated(text);
    SendDlgItemMessageA(mainWindow, IDC_STATUSBAR, SB_SETTEXTA, static_cast<WPARAM>(pane),
                        reinterpret_cast<LPARAM>(terminated.c_str()));
}

void SetToolbarSaveUsable(HWND mainWindow, bool usable) {
    const HWND toolbar = GetDlgItem(mainWindow, IDC_TOOLBAR);
    SendMessageA(toolbar, TB_INDETERMINATE, CMD_SAVE, MAKELPARAM(usable ? FALSE : TRUE, 0));
    SendMessageA(toolbar, TB_ENABLEBUTTON, CMD_SAVE, MAKELPARAM(usable ? TRUE : FALSE, 0));
}

}  // namespace pxm::win
