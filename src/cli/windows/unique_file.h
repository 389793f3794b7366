#pragma once
// Owns a Windows file handle for the converter; closed on every path.
#include <windows.h>

#include <utility>

namespace pxm::cli {

class UniqueFile {
public:
    explicit UniqueFile(HANDLE handle) : handle_(handle) {}
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    ~UniqueFile() { Close(); }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes now; false, with the system's error set, when closing failed.
    bool Close() { return !valid() || CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)); }

private:
    HANDLE handle_;
};

}  // namespace pxm::cli
