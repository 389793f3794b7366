#pragma once
// Save As (203), Save (202), the Conversion items (210-214) and the SP2 switch (207).
#include "win/program/app_state.h"

namespace pxm::win {

void SaveAsCommand(AppState& state);
void SaveCommand(AppState& state);
void ConversionCommand(AppState& state, int command);
void CorrectSp2FlawCommand(AppState& state);

}  // namespace pxm::win
