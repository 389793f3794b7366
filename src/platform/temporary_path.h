#pragma once
// The name of the temporary file a save writes first: beside the target, so that the final
// move stays on one volume, and named after the process and the attempt, so that two running
// programs never share one.
#include <cstdint>
#include <string>
#include <string_view>

namespace pxm::platform {

// "dir/.name.1234-0.tmp" for the target "dir/name".
std::string TemporaryBeside(std::string_view target, std::uint32_t processId, int attempt);

// At most this many names are tried for the temporary file before giving up.
inline constexpr int TemporaryAttempts = 100;

}  // namespace pxm::platform
