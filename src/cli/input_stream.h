#pragma once
// A file opened for reading through the platform's own file API (POSIX or Windows): the one
// part of reading the input that differs between the two.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace pxm::cli {

class InputStream {
public:
    // path "-": standard input, read as it comes and left open.
    explicit InputStream(const std::string& path);
    ~InputStream();
    InputStream(const InputStream&) = delete;
    InputStream& operator=(const InputStream&) = delete;

    // Empty when the file is open; otherwise the system's text for why it is not.
    const std::string& openError() const { return openError_; }
    // Up to buffer.size() bytes; 0 at the end of the file, none when reading failed.
    std::optional<std::size_t> Read(std::span<std::uint8_t> buffer);

private:
    std::intptr_t handle_ = -1;  // a descriptor, or a Windows HANDLE
    bool owned_ = true;          // closed with the stream
    std::string openError_;
};

}  // namespace pxm::cli
