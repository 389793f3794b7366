#pragma once
// Puts a finished picture file on disk without ever leaving a half-written one: the bytes go
// to a temporary file beside the target, which replaces the target only once it is complete.
#include <cstdint>
#include <span>
#include <string>

namespace pxm::cli {

// An empty text on success; otherwise the system's text, and an existing target is untouched.
std::string WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace pxm::cli
