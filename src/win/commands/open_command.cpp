#include "win/commands/open_command.h"

#include <string>

#include "win/common/program_texts.h"
#include "win/files/source_file.h"
#include "win/program/main_controls.h"
#include "win/resources/resource_ids.h"

namespace pxm::win {

namespace {

void RememberSourceLocation(AppState& state) {
    state.browsePath = FullPath(state.sourcePath.data());
    state.sourceName = ToPathBuffer(FileNamePart(state.browsePath.data()));
}

void ShowTitle(HWND window, const char* fileName) {
    std::string title(ProgramTitle);
    title += " - ";
    title += fileName;
    SetWindowTextA(window, title.c_str());
}

}  // namespace

void OpenCommand(AppState& state) {
    const HWND window = state.mainWindow;
    if (ChooseSourceFile(state, window) != 1) return;
    if (ReadSourceBitmap(state, window) != 1) return;
    if (LoadPreviewBitmap(state, window) != 1) return;

    RememberSourceLocation(state);
    ShowTitle(window, state.sourceName.data());
    SetStatusPane(window, 0, status::FileOpened);
    SetStatusPane(window, 1, "");
    EnableMenuCommand(window, SUBMENU_TOOLS, CMD_SHOW_HIDE_BITMAP, true);
    EnableMenuCommand(window, SUBMENU_TOOLS, CMD_KOALIZE, true);
    EnableMenuCommand(window, SUBMENU_FILE, CMD_SAVE, false);
    EnableMenuCommand(window, SUBMENU_FILE, CMD_SAVE_AS, false);
    SetToolbarSaveUsable(window, false);
    EnableWindow(GetDlgItem(window, IDC_KOALIZE), TRUE);
    state.fileOpened = true;
    state.koalaValid = false;
    InvalidateRect(state.viewerWindow, nullptr, TRUE);
}

}  // namespace pxm::win
