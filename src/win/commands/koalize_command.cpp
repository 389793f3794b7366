#include "win/commands/koalize_command.h"

#include <cstdint>

#include "core/koala/color_names.h"
#include "core/koala/koalize.h"
#include "core/text/messages.h"
#include "win/common/message_box.h"
#include "win/program/main_controls.h"
#include "win/resources/resource_ids.h"

namespace pxm::win {

namespace {

enum class PaletteMode { Multicolour, FourGreys, FiveGreys };

// Read from the controls at the moment of the command; "Multicolour" itself is not consulted.
PaletteMode CheckedPaletteMode(HWND mainWindow) {
    if (IsDlgButtonChecked(mainWindow, IDC_GREY4) == BST_CHECKED) return PaletteMode::FourGreys;
    if (IsDlgButtonChecked(mainWindow, IDC_GREY5) == BST_CHECKED) return PaletteMode::FiveGreys;
    return PaletteMode::Multicolour;
}

// The selected colour's item data: -1 for AUTO, and also when nothing is selected, since the
// box then answers CB_ERR (-1).
LRESULT SelectedBackground(HWND mainWindow) {
    const LRESULT selected = SendDlgItemMessageA(mainWindow, IDC_COLORCOMBO, CB_GETCURSEL, 0, 0);
    return SendDlgItemMessageA(mainWindow, IDC_COLORCOMBO, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
}

bool KoalizeGreys(AppState& state, PaletteMode mode) {
    if (mode == PaletteMode::FourGreys) {
        const bool ok = KoalizeFourGreys(state.canvas, state.koala).ok;
        if (!ok) ShowMessage(state.mainWindow, msg::NotFourGreys);
        return ok;
    }
    const KoalizeResult result = KoalizeFiveGreys(state.canvas, state.koala);
    if (!result.ok)
        ShowMessage(state.mainWindow, result.fiveGreyError == FiveGreyError::WhiteWithAllGreys ? msg::NotC64Picture
                                                                                               : msg::NotFiveGreys);
    return result.ok;
}

bool KoalizeWithBackground(AppState& state, std::uint8_t background) {
    const bool ok = KoalizeMulticolour(state.canvas, state.koala, background).ok;
    if (!ok) ShowMessage(state.mainWindow, msg::BackgroundDoesNotFit);
    return ok;
}

// The lowest background that works is the one chosen, and the user is told which.
bool KoalizeAutoBackground(AppState& state) {
    const AutoBackgroundResult result = AutoBackgroundSearch(state.canvas, state.koala);
    if (!result.background) {
        ShowMessage(state.mainWindow, msg::NotC64Picture);
        return false;
    }
    ShowMessage(state.mainWindow, msg::BackgroundColorCaption, ChosenBackgroundText(ColorName(*result.background)),
                MessageIcon::Information);
    return true;
}

}  // namespace

void KoalizeCommand(AppState& state) {
    if (!state.fileOpened) {
        ShowMessage(state.mainWindow, msg::FirstOpenFile);
        return;
    }
    const LRESULT background = SelectedBackground(state.mainWindow);
    const PaletteMode mode = CheckedPaletteMode(state.mainWindow);
    if (mode != PaletteMode::Multicolour)
        state.koalaValid = KoalizeGreys(state, mode);
    else if (background < 0)
        state.koalaValid = KoalizeAutoBackground(state);
    else
        state.koalaValid = KoalizeWithBackground(state, static_cast<std::uint8_t>(background));

    if (state.koalaValid) EnableMenuCommand(state.mainWindow, SUBMENU_FILE, CMD_SAVE_AS, true);
    SetStatusPane(state.mainWindow, 0, status::Blank);
    SetStatusPane(state.mainWindow, 1, state.koalaValid ? status::KoalizationDone : status::KoalizationError);
}

}  // namespace pxm::win
