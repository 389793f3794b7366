#include "platform/file_identity.h"

#include <sys/stat.h>
#include <unistd.h>

namespace pxm::platform {

namespace {

FileIdentity IdentityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return std::nullopt;
    return IdentityOf(info);
}

std::optional<FileIdentity> StandardOutputIdentity() {
    struct stat info {};
    if (fstat(STDOUT_FILENO, &info) != 0) return std::nullopt;
    return IdentityOf(info);
}

}  // namespace pxm::platform
