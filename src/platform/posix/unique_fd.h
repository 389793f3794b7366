#pragma once
// Owns a POSIX file descriptor; closed on every path.
#include <unistd.h>

#include <utility>

namespace pxm::platform {

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            Close();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { Close(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now; false, with errno set, when closing failed.
    bool Close() { return !valid() || close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

}  // namespace pxm::platform
