#pragma once
// Puts a finished file on disk without ever leaving a half-written one and without risking the
// file it replaces: the bytes go to a new temporary file beside the target (never one that is
// there already), are flushed to disk, and the temporary file is then moved over the target.
#include <cstdint>
#include <span>
#include <string>

#include "core/base/result.h"
#include "platform/system_error.h"

namespace pxm::platform {

// A directory or a read-only file as the target is refused (access denied), as Windows refuses
// it. On any failure the temporary file is removed and an existing target stays as it was.
Status<SystemError> WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace pxm::platform
