#include "cli/process_setup.h"

#include <fcntl.h>
#include <io.h>
#include <objbase.h>

#include <cstdio>

namespace pxm::cli {

ProcessSetup::ProcessSetup() {
    // Without COM the Windows Imaging Component cannot be created; the decoders then report it.
    comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    // Text mode would turn every '\n' into "\r\n": the messages stay the bytes the Linux
    // converter writes.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

ProcessSetup::~ProcessSetup() {
    if (comStarted_) CoUninitialize();
}

}  // namespace pxm::cli
