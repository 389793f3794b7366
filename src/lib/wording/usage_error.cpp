#include "lib/wording/usage_error.h"

#include "lib/wording/text_join.h"

namespace pxm {

std::string UsageErrorText(std::string_view error) {
    return Join({"pixmosaic-cli: ", error, "\n", UsageLine, "Try 'pixmosaic-cli --help' for more information.\n"});
}

}  // namespace pxm
