#include "platform/file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/posix/unique_fd.h"
#include "platform/temporary_path.h"

namespace pxm::platform {

namespace {

SystemError Errno() { return {static_cast<std::uint32_t>(errno)}; }

// Writes all bytes to an open descriptor; errno is left set on failure.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The file a path names, through a symbolic link, so that the link itself stays in place.
std::string ResolvedTarget(const std::string& path) {
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// A device, pipe or terminal (say /dev/stdout) cannot be replaced: it is written in place.
Status<SystemError> WriteInPlace(const std::string& path, std::span<const std::uint8_t> bytes) {
    UniqueFd fd(open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (!fd.valid()) return Fail(Errno());
    // Devices that cannot be synced (EINVAL) have nothing to flush.
    const bool written = WriteAll(fd.get(), bytes) && (fsync(fd.get()) == 0 || errno == EINVAL || errno == EROFS);
    const SystemError error = Errno();
    const bool closed = fd.Close();
    if (!written) return Fail(error);
    if (!closed) return Fail(Errno());
    return Done{};
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

Status<SystemError> WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string target = ResolvedTarget(path);
    mode_t mode = NewFileMode();
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) return Fail(SystemError{EISDIR});
        if (!S_ISREG(existing.st_mode)) return WriteInPlace(target, bytes);
        // Like Windows, a read-only file is not replaced (also not by root).
        if ((existing.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0) return Fail(SystemError{EACCES});
        mode = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        return Fail(Errno());
    }

    std::string temporary;
    UniqueFd fd;
    for (int attempt = 0; !fd.valid(); ++attempt) {
        temporary = TemporaryBeside(target, static_cast<std::uint32_t>(getpid()), attempt);
        fd = UniqueFd(open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!fd.valid() && (errno != EEXIST || attempt + 1 == TemporaryAttempts)) return Fail(Errno());
    }
    const bool written = WriteAll(fd.get(), bytes) && fchmod(fd.get(), mode) == 0 && fsync(fd.get()) == 0;
    SystemError error = Errno();
    const bool closed = fd.Close();
    if (written && !closed) error = Errno();
    const bool renamed = written && closed && rename(temporary.c_str(), target.c_str()) == 0;
    if (written && closed && !renamed) error = Errno();
    if (!renamed) {
        unlink(temporary.c_str());
        return Fail(error);
    }
    return Done{};
}

}  // namespace pxm::platform
