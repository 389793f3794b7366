// pixmosaic-cli: the converter for scripts and machines without a display.
#include <csignal>
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/converter.h"

int main(int argc, char** argv) {
    // A file-size limit then fails the write with EFBIG, which is reported and cleaned up,
    // instead of killing the process and leaving the temporary file behind.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const int status = pxm::cli::RunConverter(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
