#include "platform/readable_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix/unique_fd.h"

namespace pxm::platform {

struct ReadableFile::Native {
    UniqueFd fd;
};

ReadableFile::ReadableFile(std::unique_ptr<Native> native) : native_(std::move(native)) {}
ReadableFile::ReadableFile(ReadableFile&&) noexcept = default;
ReadableFile& ReadableFile::operator=(ReadableFile&&) noexcept = default;
ReadableFile::~ReadableFile() = default;

Result<ReadableFile, SystemError> ReadableFile::Open(const std::string& path) {
    UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) return Fail(LastSystemError());
    // Windows refuses to open a directory as a file; here the open succeeds and the read fails.
    struct stat info {};
    if (fstat(fd.get(), &info) == 0 && S_ISDIR(info.st_mode)) return Fail(SystemError{EISDIR});
    return ReadableFile(std::make_unique<Native>(Native{std::move(fd)}));
}

std::size_t ReadableFile::LengthHint() const {
    struct stat info {};
    if (fstat(native_->fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) return 0;
    return static_cast<std::size_t>(info.st_size);
}

Result<ReadableFile, SystemError> ReadableFile::StandardInput() {
    UniqueFd fd(fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0));
    if (!fd.valid()) return Fail(LastSystemError());
    return ReadableFile(std::make_unique<Native>(Native{std::move(fd)}));
}

Result<std::size_t, SystemError> ReadableFile::Read(std::span<std::uint8_t> buffer) {
    for (;;) {
        const ssize_t n = read(native_->fd.get(), buffer.data(), buffer.size());
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) return Fail(LastSystemError());
    }
}

}  // namespace pxm::platform
