// Program entry: registers the common controls, notes where the program lives and runs the main
// dialog until the user closes it.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "win/app/main_dialog.h"
#include "win/program/app_state.h"
#include "win/program/program_dir.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES;
    InitCommonControlsEx(&controls);

    // On the heap: the Canvas and the picture buffers are too large for a comfortable stack.
    auto state = std::make_unique<pxm::win::AppState>();
    state->instance = instance;
    state->programDir = pxm::win::ProgramDirectory(instance);
    state->browsePath = state->programDir;
    return static_cast<int>(pxm::win::RunMainDialog(*state));
}
