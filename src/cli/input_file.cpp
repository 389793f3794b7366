#include "cli/input_file.h"

#include <algorithm>

#include "cli/input_stream.h"
#include "core/import/bmp_reader.h"

namespace pxm::cli {

namespace {

// Fills bytes up to `limit` from the stream; the count it holds then. The buffer grows as the
// file goes on, so that a small file costs no large buffer.
std::size_t ReadUpTo(InputStream& stream, std::vector<std::uint8_t>& bytes, std::size_t limit, InputFile& input) {
    std::size_t got = bytes.size();
    while (got < limit && input.error == nullptr) {
        if (got == bytes.size()) bytes.resize(std::min(limit, std::max<std::size_t>(2 * got, 64 << 10)));
        const std::optional<std::size_t> n = stream.Read(std::span(bytes).subspan(got));
        // A failing read is an incomplete file, as in the Windows program.
        if (!n) input.error = &msg::IncompleteFile;
        if (!n || *n == 0) break;
        got += *n;
    }
    bytes.resize(got);
    return got;
}

}  // namespace

InputFile ReadInputFile(const std::string& path) {
    InputFile input;
    InputStream stream(path);
    if (!stream.openError().empty()) {
        input.systemError = stream.openError();
        return input;
    }
    std::size_t got = ReadUpTo(stream, input.bytes, MaxBmpBytes, input);
    // Only a file that begins as a BMP does stops here: PNG, GIF and the C64 disk and tape
    // images are longer.
    if (got == MaxBmpBytes && !(input.bytes[0] == 'B' && input.bytes[1] == 'M')) {
        // One byte past the limit tells a file that is too long from one that just fits.
        got = ReadUpTo(stream, input.bytes, MaxEncodedPictureBytes + 1, input);
        input.tooLarge = got > MaxEncodedPictureBytes;
    }
    input.bytes.resize(std::min(got, MaxEncodedPictureBytes));
    return input;
}

}  // namespace pxm::cli
