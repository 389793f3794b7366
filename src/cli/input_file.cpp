#include "cli/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "cli/system_error_text.h"
#include "core/import/bmp_reader.h"

namespace pxm::cli {

InputFile ReadInputFile(const std::string& path) {
    InputFile input;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        input.systemError = PathErrorText(errno, path);
        return input;
    }
    // Windows refuses to open a directory as a file; here the open succeeds and the read fails.
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(fd);
        input.systemError = SystemErrorText(EISDIR);
        return input;
    }
    input.bytes.resize(MaxBmpBytes);
    std::size_t got = 0;
    while (got < input.bytes.size()) {
        const ssize_t n = read(fd, input.bytes.data() + got, input.bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            // A failing read is an incomplete file, as in the Windows program.
            input.error = &msg::IncompleteFile;
            break;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    close(fd);
    input.bytes.resize(got);
    return input;
}

}  // namespace pxm::cli
