#pragma once
// The main dialog's menu, toolbar and status bar as the commands change them.
#include <windows.h>

#include <string_view>

namespace pxm::win {

// A submenu of the main window's menu bar by position (SUBMENU_FILE, ...).
HMENU Submenu(HWND mainWindow, int position);
void EnableMenuCommand(HWND mainWindow, int submenu, int command, bool enabled);
// Puts the radio mark on one of the Conversion items 210 to 214.
void CheckFormatItem(HWND mainWindow, int command);
void SetStatusPane(HWND mainWindow, int pane, std::string_view text);
// The toolbar Save button: usable after a save, indeterminate and disabled otherwise.
void SetToolbarSaveUsable(HWND mainWindow, bool usable);

}  // namespace pxm::win
