#include "cli/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "cli/system_error_text.h"
#include "core/import/bmp_reader.h"
#include "core/import/picture_kind.h"

namespace pxm::cli {

namespace {

// Fills bytes up to `limit` from the descriptor; the count it holds then. The buffer grows as
// the file goes on, so that a small file costs no large buffer.
std::size_t ReadUpTo(int fd, std::vector<std::uint8_t>& bytes, std::size_t limit, InputFile& input) {
    std::size_t got = bytes.size();
    while (got < limit && input.error == nullptr) {
        if (got == bytes.size()) bytes.resize(std::min(limit, std::max<std::size_t>(2 * got, 64 << 10)));
        const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            // A failing read is an incomplete file, as in the Windows program.
            input.error = &msg::IncompleteFile;
            break;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return got;
}

}  // namespace

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
    std::size_t got = ReadUpTo(fd, input.bytes, MaxBmpBytes, input);
    if (got == MaxBmpBytes && KindOfPicture(input.bytes) != PictureKind::Bmp) {
        // One byte past the limit tells a file that is too long from one that just fits.
        got = ReadUpTo(fd, input.bytes, MaxEncodedPictureBytes + 1, input);
        input.tooLarge = got > MaxEncodedPictureBytes;
    }
    close(fd);
    input.bytes.resize(std::min(got, MaxEncodedPictureBytes));
    return input;
}

}  // namespace pxm::cli
