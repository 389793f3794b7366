#include "win/files/source_file.h"

#include <commdlg.h>

#include <cstdint>
#include <memory>
#include <new>
#include <span>

#include "core/import/bmp_reader.h"
#include "core/text/messages.h"
#include "win/common/message_box.h"
#include "win/common/platform_constants.h"
#include "win/resources/resource_ids.h"

namespace pxm::win {

namespace {

constexpr char OpenFilter[] =
    "Windows or OS/2 Bitmap (*.bmp)\0*.bmp\0"
    "All Files (*.*)\0*.*\0";

}  // namespace

int ChooseSourceFile(AppState& state, HWND owner) {
    state.sourcePath[0] = '\0';
    OPENFILENAMEA dialog{};
    dialog.lStructSize = OpenFileNameSize;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = OpenFilter;
    dialog.nFilterIndex = 0;
    dialog.lpstrFile = state.sourcePath.data();
    dialog.nMaxFile = static_cast<DWORD>(state.sourcePath.size());
    dialog.lpstrInitialDir = state.browsePath.data();
    dialog.lpstrTitle = "Open a bitmap picture";
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    dialog.lpstrDefExt = "bmp";
    return GetOpenFileNameA(&dialog) ? 1 : 0;
}

int ReadSourceBitmap(AppState& state, HWND owner) {
    UniqueHandle file(CreateFileA(state.sourcePath.data(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
    if (!file.valid()) {
        ReportSystemError(owner);
        return 0;
    }
    // Everything the reader can look at, read at once; a file that ends early simply gives fewer
    // bytes, and the reader treats the missing pixels as 0.
    const std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[MaxBmpBytes]);
    if (!buffer) {
        file.reset();
        ShowMessage(owner, msg::OutOfMemory);
        return 0;
    }
    DWORD length = 0;
    const BOOL read = ReadFile(file.get(), buffer.get(), static_cast<DWORD>(MaxBmpBytes), &length, nullptr);
    file.reset();
    if (!read) {
        ShowMessage(owner, msg::IncompleteFile);
        return 0;
    }
    const Result<BmpInfo, BmpFailure> result =
        ReadBmp(std::span<const std::uint8_t>(buffer.get(), length), state.canvas, BmpHeaderCheck::FieldsOnly);
    if (!result) {
        ShowMessage(owner, BmpFailureMessage(result.error()));
        return 0;
    }
    SetDlgItemInt(state.mainWindow, IDC_WIDTH, result->width, FALSE);
    SetDlgItemInt(state.mainWindow, IDC_HEIGHT, result->height, FALSE);
    SetDlgItemInt(state.mainWindow, IDC_COLORS, result->colours, FALSE);
    return 1;
}

int LoadPreviewBitmap(AppState& state, HWND owner) {
    state.previewBitmap.reset();
    SetLastError(ERROR_SUCCESS);
    const auto bitmap = static_cast<HBITMAP>(
        LoadImageA(state.instance, state.sourcePath.data(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!bitmap) {
        // A file the loader cannot decode may leave no error code; say what happened rather
        // than show "The operation completed successfully." as the failure.
        if (GetLastError() == ERROR_SUCCESS) SetLastError(ERROR_INVALID_DATA);
        ReportSystemError(owner);
        return 0;
    }
    state.previewBitmap.reset(bitmap);
    return 1;
}

}  // namespace pxm::win
