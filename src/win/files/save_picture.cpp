#include "win/files/save_picture.h"

#include "core/export/picture_file.h"
#include "platform/file_write.h"
#include "win/common/message_box.h"
#include "win/common/program_texts.h"
#include "win/program/main_controls.h"

namespace pxm::win {

Status<platform::SystemError> SavePicture(const AppState& state, HWND owner, ExportFormat format, Container container) {
    SetStatusPane(state.mainWindow, 1, "");
    const PictureFile file = BuildPictureFile(state.koala, format, container, state.correctSp2Flaw);
    if (file.sp2Corrected) ShowMessage(owner, msg::Sp2FlawFixed);
    Status<platform::SystemError> written = platform::WriteFileReplacing(state.savePath.data(), file.bytes);
    if (!written) {
        ReportSystemError(owner, written.error());
        return written;
    }
    if (format == ExportFormat::Sp2) SetStatusPane(state.mainWindow, 1, status::PackingDone);
    SetStatusPane(state.mainWindow, 0, status::FileSaved);
    return written;
}

}  // namespace pxm::win
