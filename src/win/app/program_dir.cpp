#include "app/program_dir.h"

#include <cstring>

namespace pxm::win {

PathBuffer ProgramDirectory(HINSTANCE instance) {
    PathBuffer module{};
    GetModuleFileNameA(instance, module.data(), static_cast<DWORD>(module.size()));
    module.back() = '\0';  // a truncated name is not terminated before Windows Vista
    PathBuffer full{};
    char* namePart = nullptr;
    const DWORD length = GetFullPathNameA(module.data(), static_cast<DWORD>(full.size()), full.data(), &namePart);
    if (length == 0 || length >= full.size()) full = module;
    if (char* slash = std::strrchr(full.data(), '\\')) slash[1] = '\0';
    return full;
}

}  // namespace pxm::win
