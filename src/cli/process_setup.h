#pragma once
// What the converter's process needs before it converts anything, held for the whole run:
// on Linux, a file-size limit that fails a write instead of killing the process; on Windows,
// COM for the Windows Imaging Component and byte-exact standard streams.
namespace pxm::cli {

class ProcessSetup {
public:
    ProcessSetup();
    ~ProcessSetup();
    ProcessSetup(const ProcessSetup&) = delete;
    ProcessSetup& operator=(const ProcessSetup&) = delete;

private:
    [[maybe_unused]] bool comStarted_ = false;  // Windows: CoInitializeEx succeeded and wants its CoUninitialize
};

}  // namespace pxm::cli
