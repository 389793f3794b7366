#pragma once
// The part of reading a file that differs between the systems: an open file, read from its
// start. Each platform folder holds its own; ReadFileUpTo is the programs' way in.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/base/result.h"
#include "platform/system_error.h"

namespace pxm::platform {

class ReadableFile {
public:
    static Result<ReadableFile, SystemError> Open(const std::string& path);
    // A handle of its own on standard input: closing it leaves standard input open.
    static Result<ReadableFile, SystemError> StandardInput();
    ReadableFile(ReadableFile&&) noexcept;
    ReadableFile& operator=(ReadableFile&&) noexcept;
    ~ReadableFile();

    // Up to buffer.size() bytes; 0 at the end of the file.
    Result<std::size_t, SystemError> Read(std::span<std::uint8_t> buffer);
    // The file's length as the system knows it when asked, or 0 when it cannot tell (a pipe): a
    // hint for the buffer, never a limit, as the file may change while it is read.
    std::size_t LengthHint() const;

private:
    struct Native;  // the system's owner of the open file
    explicit ReadableFile(std::unique_ptr<Native> native);
    std::unique_ptr<Native> native_;
};

}  // namespace pxm::platform
