#include "win/commands/koalize_command.h"

#include "core/koala/colour_names.h"
#include "core/koala/koalize_step.h"
#include "win/common/message_box.h"
#include "win/common/program_texts.h"
#include "win/program/main_controls.h"
#include "win/resources/resource_ids.h"

namespace pxm::win {

namespace {

// Read from the controls at the moment of the command; "Multicolour" itself is not consulted.
PaletteMode CheckedPaletteMode(HWND mainWindow) {
    if (IsDlgButtonChecked(mainWindow, IDC_GREY4) == BST_CHECKED) return PaletteMode::FourGreys;
    if (IsDlgButtonChecked(mainWindow, IDC_GREY5) == BST_CHECKED) return PaletteMode::FiveGreys;
    return PaletteMode::Multicolour;
}

// The selected colour's item data: -1 for AUTO, and also when nothing is selected, since the box
// then answers CB_ERR (-1).
BackgroundChoice SelectedBackground(HWND mainWindow) {
    const LRESULT selected = SendDlgItemMessageA(mainWindow, IDC_COLORCOMBO, CB_GETCURSEL, 0, 0);
    const LRESULT data = SendDlgItemMessageA(mainWindow, IDC_COLORCOMBO, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
    return data < 0 ? AutoBackground : BackgroundChoice{static_cast<std::uint8_t>(data)};
}

}  // namespace

void KoalizeCommand(AppState& state) {
    if (!state.fileOpened) {
        ShowMessage(state.mainWindow, msg::FirstOpenFile);
        return;
    }
    const BackgroundChoice background = SelectedBackground(state.mainWindow);
    const KoalizeOutcome outcome = Koalize(state.canvas, state.koala, CheckedPaletteMode(state.mainWindow), background);
    state.koalaValid = outcome.ok();
    if (!outcome.ok()) {
        ShowMessage(state.mainWindow, FailureMessage(outcome.failure));
    } else if (outcome.autoBackground) {
        // The lowest background that works is the one chosen, and the user is told which.
        ShowMessage(state.mainWindow, msg::BackgroundColourCaption, ChosenBackgroundText(ColourName(*outcome.autoBackground)),
                    MessageIcon::Information);
    }

    if (state.koalaValid) EnableMenuCommand(state.mainWindow, SUBMENU_FILE, CMD_SAVE_AS, true);
    SetStatusPane(state.mainWindow, 0, status::Blank);
    SetStatusPane(state.mainWindow, 1, state.koalaValid ? status::KoalizationDone : status::KoalizationError);
}

}  // namespace pxm::win
