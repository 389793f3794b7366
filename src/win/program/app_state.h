#pragma once
// Everything the program keeps for the whole run, in one place. WinMain owns the one instance
// and hands it to the main dialog; every command reaches it from there.
#include <windows.h>

#include "core/format/export_format.h"
#include "core/import/canvas.h"
#include "core/koala/koala_image.h"
#include "win/common/gdi_handles.h"
#include "win/common/path_buffer.h"

namespace pxm::win {

struct AppState {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HWND viewerWindow = nullptr;
    Bitmap toolbarBitmap;
    Bitmap previewBitmap;  // displayable copy of the opened BMP, or none

    PathBuffer programDir{};  // the executable's directory, ending in a backslash
    PathBuffer browsePath{};  // initial directory of the file dialogs
    PathBuffer sourcePath{};  // the BMP chosen in the Open dialog
    PathBuffer sourceName{};  // file-name part of the last opened BMP
    PathBuffer savePath{};    // output file of the last confirmed Save As

    Canvas canvas{};
    KoalaImage koala{};

    bool fileOpened = false;
    bool koalaValid = false;
    bool viewerShown = false;
    bool correctSp2Flaw = false;
    ExportFormat exportFormat = ExportFormat::Koala;
    Container container = Container::P00;
};

}  // namespace pxm::win
