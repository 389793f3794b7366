#pragma once
// A failed call of the operating system, as the platform layer hands it back: the system's own
// error code, worded only when a program shows it.
#include <cstdint>
#include <string>

namespace pxm::platform {

struct SystemError {
    std::uint32_t code = 0;  // errno on POSIX, GetLastError() on Windows
};

// The error of the calling thread's last failed system call.
SystemError LastSystemError();

// The system's words for the error on one line, never empty: on Windows its own text
// (FormatMessageA), on POSIX strerror's ("No such file or directory"), so that each converter
// says it as the other programs of its system do.
std::string SystemErrorText(SystemError error);

}  // namespace pxm::platform
