#include "win/dialogs/bitmap_viewer.h"

#include "core/view/corrected_height.h"
#include "win/common/gdi_handles.h"
#include "win/common/window_icons.h"
#include "win/resources/resource_ids.h"

namespace pxm::win {

namespace {

void PaintPreview(HWND window, HBITMAP preview) {
    const bool corrected = IsDlgButtonChecked(window, IDC_CORRECT_ASPECT) == BST_CHECKED;
    PaintDC paint(window);
    if (!preview) return;  // nothing to show: the erased background is all there is
    MemoryDC memory(paint.get(), preview);
    BITMAP size{};
    GetObjectA(preview, sizeof size, &size);
    const int height = corrected ? AspectCorrectedHeight(size.bmHeight) : size.bmHeight;
    StretchBlt(paint.get(), 0, 0, size.bmWidth, height, memory.get(), 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
}

INT_PTR CALLBACK BitmapViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        SetProgramIcons(window, reinterpret_cast<AppState*>(lParam)->instance);
        return TRUE;
    }
    const auto* state = reinterpret_cast<const AppState*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!state) return FALSE;
    switch (message) {
        case WM_PAINT:
            PaintPreview(window, state->previewBitmap.get());
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_CORRECT_ASPECT) InvalidateRect(window, nullptr, TRUE);
            return TRUE;
        case WM_CLOSE:
            // Posted, so the main dialog hides the viewer in the one place that keeps ViewerShown.
            PostMessageA(state->mainWindow, WM_COMMAND, CMD_SHOW_HIDE_BITMAP, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

HWND CreateBitmapViewer(AppState& state, HWND owner) {
    return CreateDialogParamA(state.instance, MAKEINTRESOURCEA(IDD_VIEWER), owner, BitmapViewerProc,
                              reinterpret_cast<LPARAM>(&state));
}

void ShowHideBitmapCommand(AppState& state) {
    ShowWindow(state.viewerWindow, state.viewerShown ? SW_HIDE : SW_SHOW);
    state.viewerShown = !state.viewerShown;
}

}  // namespace pxm::win
