#include "win/dialogs/save_dialog.h"

#include <commdlg.h>

#include <string>
#include <string_view>

#include "core/format/export_format.h"
#include "win/common/platform_constants.h"
#include "win/dialogs/default_save_name.h"
#include "win/files/save_picture.h"

namespace pxm::win {

namespace {

// Pairs of description and pattern, each ending in a zero, the list ending in a second zero.
constexpr char SaveFilter[] =
    "p00 files (*.p00)\0*.p00\0"
    "Program files (*.prg)\0*.prg\0"
    "Tap files (*.tap)\0*.tap\0"
    "All Files (*.*)\0*.*\0";

PathBuffer DefaultSaveName(const AppState& state) {
    std::string name(state.sourceName.data());
    ReplaceBmpExtension(name);
    return ToPathBuffer(name);
}

}  // namespace

bool ShowSaveDialog(AppState& state, HWND owner) {
    PathBuffer chosen = DefaultSaveName(state);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = OpenFileNameSize;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = SaveFilter;
    dialog.nFilterIndex = 0;
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = static_cast<DWORD>(chosen.size());
    dialog.lpstrInitialDir = state.browsePath.data();
    dialog.lpstrTitle = "Save file";
    dialog.lpstrDefExt = "p00";
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameA(&dialog)) return false;

    state.savePath = chosen;
    // nFileExtension is 0 when the name has no extension; it then points at the name's start.
    const std::string_view extension =
        dialog.nFileExtension == 0 ? std::string_view{} : std::string_view(chosen.data() + dialog.nFileExtension);
    if (const auto container = NonDiskContainerFromExtension(extension)) state.container = *container;
    return SavePicture(state, owner, state.exportFormat, state.container).ok();
}

}  // namespace pxm::win
