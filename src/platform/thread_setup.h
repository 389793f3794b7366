#pragma once
// What a thread that converts pictures needs for its whole life: on Windows, COM for the
// Windows Imaging Component (every thread starts its own); nothing on Linux.
namespace pxm::platform {

class ThreadSetup {
public:
    ThreadSetup();
    ~ThreadSetup();
    ThreadSetup(const ThreadSetup&) = delete;
    ThreadSetup& operator=(const ThreadSetup&) = delete;

private:
    [[maybe_unused]] bool comStarted_ = false;
};

}  // namespace pxm::platform
