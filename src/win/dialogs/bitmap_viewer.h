#pragma once
// The Bitmap Viewer (dialog 400): the opened picture as it stands, optionally stretched to the
// C64's aspect. Modeless, created once and hidden at start.
#include <windows.h>

#include "win/program/app_state.h"

namespace pxm::win {

HWND CreateBitmapViewer(AppState& state, HWND owner);
// Command 206: shows the viewer when hidden, hides it when shown.
void ShowHideBitmapCommand(AppState& state);

}  // namespace pxm::win
