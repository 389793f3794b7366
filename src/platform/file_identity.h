#pragma once
// Which file a path names, whatever the path's spelling: links, "./" and "..", other case on
// Windows. POSIX tells a file by its device and inode, Windows by its volume's serial number and
// its file index.
#include <cstdint>
#include <optional>
#include <string>

namespace pxm::platform {

struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// None when the path names no file (or none that can be looked at).
std::optional<FileIdentity> IdentityOf(const std::string& path);

// The file, pipe or terminal standard output goes to.
std::optional<FileIdentity> StandardOutputIdentity();

}  // namespace pxm::platform
