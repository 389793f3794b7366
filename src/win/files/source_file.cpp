#include "win/files/source_file.h"

#include <commdlg.h>

#include "core/import/bmp_reader.h"
#include "core/text/messages.h"
#include "platform/file_read.h"
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
    // Everything the reader can look at, read at once; a file that ends early simply gives fewer
    // bytes, and the reader treats the missing pixels as 0.
    const auto read = platform::ReadFileUpTo(state.sourcePath.data(), MaxBmpBytes);
    if (!read) {
        switch (read.error().step) {
            case platform::FileReadFailure::Step::Open: ReportSystemError(owner, read.error().error); break;
            case platform::FileReadFailure::Step::Read: ShowMessage(owner, msg::IncompleteFile); break;
            case platform::FileReadFailure::Step::Memory: ShowMessage(owner, msg::OutOfMemory); break;
        }
        return 0;
    }
    const Result<BmpInfo, BmpFailure> result = ReadBmp(*read, state.canvas, BmpHeaderCheck::FieldsOnly);
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
