// pixmosaic-cli: the converter for scripts and machines without a display. On Windows it is an
// ANSI program: the C runtime hands over the arguments in the ANSI code page, as the Windows
// program's dialogs do, and messages go out as UTF-8.
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/converter.h"
#include "cli/process_setup.h"

int main(int argc, char** argv) {
    const pxm::cli::ProcessSetup setup;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const int status = pxm::cli::RunConverter(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
