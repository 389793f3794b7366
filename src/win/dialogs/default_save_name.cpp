#include "win/dialogs/default_save_name.h"

#include <windows.h>

namespace pxm::win {

std::string DefaultSaveName(std::string_view sourceName) {
    std::string name(sourceName);
    CharLowerBuffA(name.data(), static_cast<DWORD>(name.size()));
    if (const std::size_t at = name.find(".bmp"); at != std::string::npos) name.erase(at);
    return name;
}

}  // namespace pxm::win
