#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "cli/posix/system_error_text.h"
#include "cli/temporary_path.h"

namespace pxm::cli {

namespace {

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
std::string WriteInPlace(const std::string& path, std::span<const std::uint8_t> bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return PathErrorText(errno, path);
    // Devices that cannot be synced (EINVAL) have nothing to flush.
    const bool written = WriteAll(fd, bytes) && (fsync(fd) == 0 || errno == EINVAL || errno == EROFS);
    const int error = errno;
    const bool closed = close(fd) == 0;
    if (!written) return SystemErrorText(error);
    if (!closed) return SystemErrorText(errno);
    return {};
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::string WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string target = ResolvedTarget(path);
    mode_t mode = NewFileMode();
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) return SystemErrorText(EISDIR);
        if (!S_ISREG(existing.st_mode)) return WriteInPlace(target, bytes);
        // Like Windows, a read-only file is not replaced (also not by root).
        if ((existing.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0) return SystemErrorText(EACCES);
        mode = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        return PathErrorText(errno, target);
    }

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = TemporaryBeside(target, static_cast<std::uint32_t>(getpid()), attempt);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && (errno != EEXIST || attempt == 100)) return PathErrorText(errno, target);
    }
    const bool written = WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    int error = errno;
    const bool closed = close(fd) == 0;
    if (written && !closed) error = errno;
    const bool renamed = written && closed && rename(temporary.c_str(), target.c_str()) == 0;
    if (written && closed && !renamed) error = errno;
    if (!renamed) {
        unlink(temporary.c_str());
        return SystemErrorText(error);
    }
    return {};
}

}  // namespace pxm::cli
