#pragma once
// What the main dialog builds at its start: toolbar, status bar and the colour box's list.
#include <windows.h>

#include "win/program/app_state.h"

namespace pxm::win {

void CreateToolbar(AppState& state, HWND mainWindow);
void CreateStatusBar(const AppState& state, HWND mainWindow);
// The 17 entries of the background colour box with their swatches, AUTO selected.
void FillColorCombo(const AppState& state, HWND mainWindow);

}  // namespace pxm::win
