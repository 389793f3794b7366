#pragma once
// The name of the temporary file a save writes first: beside the target, so that the final
// rename stays on one volume, and named after the process and the attempt, so that two running
// converters never share one.
#include <cstdint>
#include <string>
#include <string_view>

namespace pxm::cli {

// "dir/.name.1234-0.tmp" for the target "dir/name".
std::string TemporaryBeside(std::string_view target, std::uint32_t processId, int attempt);

}  // namespace pxm::cli
