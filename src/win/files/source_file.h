#pragma once
// The three steps of Open that bring a picture in: choose it, read it into the Canvas, load a
// displayable copy for the viewer. Each returns 1 on success and has reported its own failure.
#include <windows.h>

#include "win/program/app_state.h"

namespace pxm::win {

// The Open dialog; 0 when cancelled (silently).
int ChooseSourceFile(AppState& state, HWND owner);
// Reads state.sourcePath into the Canvas and shows width, height and colour count.
int ReadSourceBitmap(AppState& state, HWND owner);
// Replaces the preview bitmap by the file at state.sourcePath.
int LoadPreviewBitmap(AppState& state, HWND owner);

}  // namespace pxm::win
