#pragma once
// The program icon on a window's caption and taskbar button.
#include <windows.h>

namespace pxm::win {

// Large icon as LoadIcon gives it, small one loaded at 16 x 16.
void SetProgramIcons(HWND window, HINSTANCE instance);

}  // namespace pxm::win
