#pragma once
// Reading a file the user names, from its start, through the system's own file API.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/result.h"
#include "platform/system_error.h"

namespace pxm::platform {

struct FileReadFailure {
    enum class Step { Open, Read, Memory };
    Step step;          // Open: the file could not be opened (a directory is refused as Windows
                        // refuses it); Read: reading it failed; Memory: no memory for its bytes
    SystemError error;  // Open and Read: the system's error
};

// The file's bytes from its start, at most `limit` of them. The buffer grows as the file goes
// on, so that a small file costs no large buffer.
Result<std::vector<std::uint8_t>, FileReadFailure> ReadFileUpTo(const std::string& path, std::size_t limit);

// The same for standard input, read in binary below the C runtime up to its end (a pipe's writer
// finishing included); standard input stays open.
Result<std::vector<std::uint8_t>, FileReadFailure> ReadStandardInputUpTo(std::size_t limit);

}  // namespace pxm::platform
