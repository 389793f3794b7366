#include "platform/file_read.h"

#include <algorithm>
#include <new>
#include <span>

#include "platform/readable_file.h"

namespace pxm::platform {

namespace {

constexpr std::size_t FirstBufferBytes = 64 << 10;

Result<std::vector<std::uint8_t>, FileReadFailure> ReadUpTo(Result<ReadableFile, SystemError> file, std::size_t limit) {
    if (!file) return Fail(FileReadFailure{FileReadFailure::Step::Open, file.error()});
    std::vector<std::uint8_t> bytes;
    std::size_t got = 0;
    // A file as long as the system says takes one buffer (one byte more sees its end), not a
    // buffer copied each time it doubles.
    const std::size_t first = std::max(FirstBufferBytes, file->LengthHint() + 1);
    while (got < limit) {
        try {
            if (got == bytes.size()) bytes.resize(std::min(limit, std::max(2 * got, first)));
        } catch (const std::bad_alloc&) {
            return Fail(FileReadFailure{FileReadFailure::Step::Memory, {}});
        }
        const Result<std::size_t, SystemError> n = file->Read(std::span(bytes).subspan(got));
        if (!n) return Fail(FileReadFailure{FileReadFailure::Step::Read, n.error()});
        if (*n == 0) break;
        got += *n;
    }
    bytes.resize(got);
    return bytes;
}

}  // namespace

Result<std::vector<std::uint8_t>, FileReadFailure> ReadFileUpTo(const std::string& path, std::size_t limit) {
    return ReadUpTo(ReadableFile::Open(path), limit);
}

Result<std::vector<std::uint8_t>, FileReadFailure> ReadStandardInputUpTo(std::size_t limit) {
    return ReadUpTo(ReadableFile::StandardInput(), limit);
}

}  // namespace pxm::platform
