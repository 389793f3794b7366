#include "win/files/save_picture.h"

#include "core/export/picture_file.h"
#include "core/text/messages.h"
#include "win/common/message_box.h"
#include "win/files/file_commit.h"
#include "win/program/main_controls.h"

namespace pxm::win {

int SavePicture(const AppState& state, HWND owner, ExportFormat format, Container container) {
    SetStatusPane(state.mainWindow, 1, "");
    const PictureFile file = BuildPictureFile(state.koala, format, container, state.correctSp2Flaw);
    if (file.sp2Corrected) ShowMessage(owner, msg::Sp2FlawFixed);
    if (CommitFile(owner, state.savePath.data(), file.bytes) != 1) return 0;
    if (format == ExportFormat::Sp2) SetStatusPane(state.mainWindow, 1, status::PackingDone);
    SetStatusPane(state.mainWindow, 0, status::FileSaved);
    return 1;
}

}  // namespace pxm::win
