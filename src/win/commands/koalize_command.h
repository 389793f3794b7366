#pragma once
// Koalize (command 115): the opened picture into the Koala picture, in the chosen palette mode.
#include "win/program/app_state.h"

namespace pxm::win {

void KoalizeCommand(AppState& state);

}  // namespace pxm::win
