#pragma once
// Where a conversion's second thread runs (core/base/second_thread.h), told to the system: on
// Linux it starts off the caller's core; elsewhere the system places it as it likes.
#include "core/base/second_thread.h"

namespace pxm::platform {

CorePlacement SecondThreadPlacement();

}  // namespace pxm::platform
