#include "cli/terminal_message.h"

#include "cli/converter.h"
#include "cli/help_text.h"

namespace pxm::cli {

void Show(std::ostream& err, std::string_view caption, std::string_view ansiText) {
    err << caption << ": " << AnsiToUtf8(ansiText) << '\n';
}

void Show(std::ostream& err, std::string_view caption, std::string_view file, std::string_view ansiText) {
    err << caption << ": " << file << ": " << AnsiToUtf8(ansiText) << '\n';
}

int ShowUsageError(std::ostream& err, std::string_view error) {
    err << "pixmosaic-cli: " << error << '\n' << UsageLine << "Try 'pixmosaic-cli --help' for more information.\n";
    return ExitUsage;
}

}  // namespace pxm::cli
