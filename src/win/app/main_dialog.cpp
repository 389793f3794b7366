#include "win/app/main_dialog.h"

#include <commctrl.h>

#include "win/app/main_window_setup.h"
#include "win/commands/help.h"
#include "win/commands/koalize_command.h"
#include "win/commands/open_command.h"
#include "win/commands/save_commands.h"
#include "win/common/window_icons.h"
#include "win/dialogs/about_box.h"
#include "win/dialogs/bitmap_viewer.h"
#include "win/program/main_controls.h"
#include "win/resources/resource_ids.h"

namespace pxm::win {

namespace {

void InitMainDialog(AppState& state, HWND window) {
    SetProgramIcons(window, state.instance);
    CreateToolbar(state, window);
    CreateStatusBar(state, window);
    CheckDlgButton(window, IDC_MULTICOLOUR, BST_CHECKED);
    CheckFormatItem(window, CMD_FORMAT_KOALA);
    EnableWindow(GetDlgItem(window, IDC_KOALIZE), FALSE);
    state.viewerWindow = CreateBitmapViewer(state, window);
    ShowWindow(state.viewerWindow, SW_HIDE);
    FillColorCombo(state, window);
    state.mainWindow = window;
    state.fileOpened = false;
    state.koalaValid = false;
    state.viewerShown = false;
    state.previewBitmap.reset();
    state.correctSp2Flaw = false;
    state.exportFormat = ExportFormat::Koala;
}

// The background only matters in Multicolour; the box follows that radio at every command.
void UpdateColorComboEnabling(HWND window) {
    EnableWindow(GetDlgItem(window, IDC_COLORCOMBO), IsDlgButtonChecked(window, IDC_MULTICOLOUR) == BST_CHECKED);
}

void AnswerTooltip(NMTTDISPINFOA& info) {
    const char* text = nullptr;
    if (info.hdr.idFrom == CMD_OPEN) text = "Open a BMP Picture";
    if (info.hdr.idFrom == CMD_SAVE) text = "Save to file";
    if (text) {
        lstrcpynA(info.szText, text, sizeof info.szText);
        info.lpszText = info.szText;
    }
    info.uFlags |= TTF_DI_SETITEM;  // the tooltip keeps the text and does not ask again
}

void CloseMainDialog(AppState& state, HWND window) {
    state.toolbarBitmap.reset();
    state.previewBitmap.reset();
    // A modeless dialog is dismissed by destroying it.
    DestroyWindow(state.viewerWindow);
    state.viewerWindow = nullptr;
    EndDialog(window, 0);
}

void RunCommand(AppState& state, HWND window, int command) {
    switch (command) {
        case CMD_KOALIZE: KoalizeCommand(state); break;
        case CMD_OPEN: OpenCommand(state); break;
        case CMD_SAVE: SaveCommand(state); break;
        case CMD_SAVE_AS: SaveAsCommand(state); break;
        case CMD_EXIT: CloseMainDialog(state, window); break;
        case CMD_SHOW_HIDE_BITMAP: ShowHideBitmapCommand(state); break;
        case CMD_CORRECT_SP2_FLAW: CorrectSp2FlawCommand(state); break;
        case CMD_FORMAT_KOALA:
        case CMD_FORMAT_ARTSTUDIO:
        case CMD_FORMAT_ARTIST64:
        case CMD_FORMAT_BLAZING:
        case CMD_FORMAT_SP2: ConversionCommand(state, command); break;
        case CMD_HELP_TOPICS: ShowHelp(state, window); break;
        case CMD_ABOUT: ShowAboutBox(state); break;
        default: break;  // radio buttons, the colour box, and Enter (1) and Escape (2)
    }
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        InitMainDialog(*reinterpret_cast<AppState*>(lParam), window);
        return TRUE;
    }
    auto* state = reinterpret_cast<AppState*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!state) return FALSE;
    switch (message) {
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->code == TTN_GETDISPINFOA) AnswerTooltip(*reinterpret_cast<NMTTDISPINFOA*>(lParam));
            return TRUE;
        }
        case WM_COMMAND:
            if (HIWORD(wParam) == 0) UpdateColorComboEnabling(window);
            RunCommand(*state, window, LOWORD(wParam));
            return TRUE;
        case WM_HELP:
            ShowHelp(*state, window);
            return TRUE;
        case WM_CLOSE:
            CloseMainDialog(*state, window);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR RunMainDialog(AppState& state) {
    return DialogBoxParamA(state.instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                           reinterpret_cast<LPARAM>(&state));
}

}  // namespace pxm::win
