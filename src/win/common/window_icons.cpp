#include "win/common/window_icons.h"

#include "win/resources/resource_ids.h"

namespace pxm::win {

void SetProgramIcons(HWND window, HINSTANCE instance) {
    SendMessageA(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM))));
    SendMessageA(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 16, 16, 0)));
}

}  // namespace pxm::win
