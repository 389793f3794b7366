#include "win/dialogs/default_save_name.h"

#include <windows.h>

namespace pxm::win {

void ReplaceBmpExtension(std::string& name) {
    CharLowerBuffA(name.data(), static_cast<DWORD>(name.size()));
    if (const std::size_t at = name.find(".bmp"); at != std::string::npos) name.erase(at);
}

}  // namespace pxm::win
