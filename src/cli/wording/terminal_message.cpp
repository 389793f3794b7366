#include "cli/wording/terminal_message.h"

#include "lib/conversion.h"
#include "lib/wording/usage_error.h"

namespace pxm::cli {

int ShowUsageError(std::ostream& err, std::string_view error) {
    err << UsageErrorText(error);
    return ExitUsage;
}

}  // namespace pxm::cli
