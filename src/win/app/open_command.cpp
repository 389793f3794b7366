#include "app/open_command.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/main_controls.h"
#include "import/source_file.h"
#include "resources/resource_ids.h"
#include "text/messages.h"

namespace pxm::win {

namespace {

void RememberSourceLocation(AppState& state) {
    char* namePart = nullptr;
    const DWORD fullLength = GetFullPathNameA(state.sourcePath.data(), static_cast<DWORD>(state.browsePath.size()),
                                          state.browsePath.data(), &namePart);
    if (fullLength == 0 || fullLength >= state.browsePath.size()) state.browsePath = state.sourcePath;
    const char* slash = std::strrchr(state.browsePath.data(), '\\');
    const char* name = slash ? slash + 1 : state.browsePath.data();
    state.sourceName = {};
    const std::size_t length = std::min(std::strlen(name), state.sourceName.size() - 1);
    std::copy_n(name, length, state.sourceName.begin());
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
