#include "win/program/program_dir.h"

namespace pxm::win {

PathBuffer ProgramDirectory(HINSTANCE instance) {
    PathBuffer module{};
    GetModuleFileNameA(instance, module.data(), static_cast<DWORD>(module.size()));
    module.back() = '\0';  // a truncated name is not terminated before Windows Vista
    PathBuffer directory = FullPath(module.data());
    directory[static_cast<std::size_t>(FileNamePart(directory.data()) - directory.data())] = '\0';
    return directory;
}

}  // namespace pxm::win
