#pragma once
// Where the executable lives: the directory the help file is looked up in and the file dialogs
// first open.
#include <windows.h>

#include "win/program/app_state.h"

namespace pxm::win {

// The executable's full directory, ending in a backslash.
PathBuffer ProgramDirectory(HINSTANCE instance);

}  // namespace pxm::win
