#include "platform/core_placement.h"

namespace pxm::platform {

// Windows runs a thread that is ready on an idle processor where there is one: nothing to ask.
CorePlacement SecondThreadPlacement() { return {}; }

}  // namespace pxm::platform
