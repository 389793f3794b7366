#include "win/app/main_window_setup.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "win/common/message_box.h"
#include "win/common/program_texts.h"
#include "win/program/color_combo.h"
#include "win/program/main_controls.h"
#include "win/resources/resource_ids.h"

namespace pxm::win {

namespace {

constexpr int ToolbarImageWidth = 18;
constexpr int ToolbarImageHeight = 16;
constexpr int ToolbarButtonWidth = 22;
constexpr int ToolbarButtonHeight = 20;
constexpr int SwatchWidth = 12;
constexpr int SwatchHeight = 8;
constexpr int FirstStatusPaneEnd = 100;

HIMAGELIST CreateSwatchList(HINSTANCE instance) {
    const HIMAGELIST list = ImageList_Create(SwatchWidth, SwatchHeight, ILC_COLOR8, 0, static_cast<int>(ColorNames.size()));
    if (!list) return nullptr;
    // The list keeps its own copy of the strip.
    const Bitmap strip(static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(IDB_COLOURS), IMAGE_BITMAP, 0, 0, 0)));
    ImageList_Add(list, strip.get(), nullptr);
    return list;
}

}  // namespace

void CreateToolbar(AppState& state, HWND mainWindow) {
    const HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                                         0, 0, 0, 0, mainWindow, reinterpret_cast<HMENU>(IDC_TOOLBAR), state.instance, nullptr);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Grey shades follow the system's 3D colours; the top-left pixel's colour becomes transparent.
    state.toolbarBitmap.reset(static_cast<HBITMAP>(LoadImageA(state.instance, MAKEINTRESOURCEA(IDB_TOOLBAR), IMAGE_BITMAP, 0,
                                                              0, LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT)));
    TBADDBITMAP strip{nullptr, reinterpret_cast<UINT_PTR>(state.toolbarBitmap.get())};
    SendMessageA(toolbar, TB_ADDBITMAP, 2, reinterpret_cast<LPARAM>(&strip));
    std::array<TBBUTTON, 2> buttons{};
    buttons[0].iBitmap = 0;
    buttons[0].idCommand = CMD_OPEN;
    buttons[0].fsState = TBSTATE_ENABLED;
    buttons[0].fsStyle = TBSTYLE_BUTTON;
    buttons[1].iBitmap = 1;
    buttons[1].idCommand = CMD_SAVE;
    buttons[1].fsState = TBSTATE_INDETERMINATE;
    buttons[1].fsStyle = TBSTYLE_BUTTON;
    SendMessageA(toolbar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(ToolbarImageWidth, ToolbarImageHeight));
    SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(ToolbarButtonWidth, ToolbarButtonHeight));
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
}

void CreateStatusBar(const AppState& state, HWND mainWindow) {
    const HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, mainWindow,
                                     reinterpret_cast<HMENU>(IDC_STATUSBAR), state.instance, nullptr);
    std::array<int, 2> paneEnds{FirstStatusPaneEnd, -1};
    SendMessageA(bar, SB_SETPARTS, paneEnds.size(), reinterpret_cast<LPARAM>(paneEnds.data()));
    SetStatusPane(mainWindow, 0, status::Running);
}

void FillColorCombo(const AppState& state, HWND mainWindow) {
    const HWND combo = GetDlgItem(mainWindow, IDC_COLORCOMBO);
    const HIMAGELIST swatches = CreateSwatchList(state.instance);
    if (swatches)
        SendMessageA(combo, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(swatches));
    else
        ShowMessage(mainWindow, msg::CouldNotCreateImageList);

    for (int position = 0; position < static_cast<int>(ColorNames.size()); ++position) {
        std::string text(ColorNames[static_cast<std::size_t>(position)]);
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = position;
        item.pszText = text.data();
        item.iImage = position;
        item.iSelectedImage = position;
        const LRESULT index = SendMessageA(combo, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), BackgroundOfItem(position));
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

}  // namespace pxm::win
