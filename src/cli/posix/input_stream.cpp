#include "cli/input_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "cli/posix/system_error_text.h"

namespace pxm::cli {

InputStream::InputStream(const std::string& path) {
    if (path == "-") {
        handle_ = STDIN_FILENO;
        owned_ = false;
        return;
    }
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        openError_ = PathErrorText(errno, path);
        return;
    }
    // Windows refuses to open a directory as a file; here the open succeeds and the read fails.
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(fd);
        openError_ = SystemErrorText(EISDIR);
        return;
    }
    handle_ = fd;
}

InputStream::~InputStream() {
    if (handle_ >= 0 && owned_) close(static_cast<int>(handle_));
}

std::optional<std::size_t> InputStream::Read(std::span<std::uint8_t> buffer) {
    for (;;) {
        const ssize_t n = read(static_cast<int>(handle_), buffer.data(), buffer.size());
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) return std::nullopt;
    }
}

}  // namespace pxm::cli
