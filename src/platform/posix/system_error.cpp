#include "platform/system_error.h"

#include <cerrno>
#include <system_error>

namespace pxm::platform {

SystemError LastSystemError() { return {static_cast<std::uint32_t>(errno)}; }

// strerror's words, as every other program on the system says them ("No such file or
// directory"); std::generic_category is strerror without its shared buffer.
std::string SystemErrorText(SystemError error) {
    return std::generic_category().message(static_cast<int>(error.code));
}

}  // namespace pxm::platform
