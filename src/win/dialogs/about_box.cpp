#include "win/dialogs/about_box.h"

#include "win/common/gdi_handles.h"
#include "win/common/window_icons.h"
#include "win/resources/resource_ids.h"

namespace pxm::win {

namespace {

// What one opening of the box holds; it lives on ShowAboutBox's stack while the box is shown.
struct AboutBox {
    HINSTANCE instance;
    Bitmap picture;  // loaded at every opening, deleted at every closing
};

constexpr int PictureX = 20;
constexpr int PictureY = 30;

// The whole bitmap at its own size, its top-left corner at (x, y) in client pixels.
void PaintBitmapAt(HWND window, HBITMAP bitmap, int x, int y) {
    PaintDC paint(window);
    if (!bitmap) return;
    MemoryDC memory(paint.get(), bitmap);
    BITMAP size{};
    GetObjectA(bitmap, sizeof size, &size);
    BitBlt(paint.get(), x, y, size.bmWidth, size.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

void Open(HWND window, AboutBox& box) {
    SetProgramIcons(window, box.instance);
    box.picture.reset(static_cast<HBITMAP>(
        LoadImageA(box.instance, MAKEINTRESOURCEA(IDB_ABOUT), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));
}

void Close(HWND window, AboutBox& box, INT_PTR result) {
    box.picture.reset();
    EndDialog(window, result);
}

INT_PTR CALLBACK AboutBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        Open(window, *reinterpret_cast<AboutBox*>(lParam));
        return TRUE;
    }
    auto* box = reinterpret_cast<AboutBox*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!box) return FALSE;
    switch (message) {
        case WM_PAINT:
            PaintBitmapAt(window, box->picture.get(), PictureX, PictureY);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) Close(window, *box, 1);
            return TRUE;
        case WM_CLOSE:
            Close(window, *box, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowAboutBox(const AppState& state) {
    AboutBox box{state.instance, Bitmap()};
    DialogBoxParamA(state.instance, MAKEINTRESOURCEA(IDD_ABOUT), state.mainWindow, AboutBoxProc,
                    reinterpret_cast<LPARAM>(&box));
}

}  // namespace pxm::win
