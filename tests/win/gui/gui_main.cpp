// The GUI tests' entry: gui_tests PIXMOSAIC_EXE [gtest options]. The probe DLL lies beside the
// tests; their files go to a fresh folder under the temporary directory.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/win/gui/program.h"

namespace {

std::string ModuleDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

// A folder no earlier run has used: the Wine prefix, and with it the temporary directory, is kept
// between runs and process ids come round again.
std::string FreshWorkDirectory() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    char full[MAX_PATH] = {};
    GetLongPathNameA(temp, full, MAX_PATH);
    for (unsigned number = GetTickCount();; ++number) {
        const std::string directory = std::string(full) + "pixmosaic-gui-" + std::to_string(number) + "\\";
        if (CreateDirectoryA(directory.c_str(), nullptr)) return directory;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return std::string(full);
    }
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gui_tests PIXMOSAIC_EXE [gtest options]\n");
        return 2;
    }
    auto& setup = pxm::gui::Paths();
    setup.programPath = argv[1];
    setup.probePath = ModuleDirectory() + "pixmosaic_probe.dll";
    setup.workDir = FreshWorkDirectory();
    return RUN_ALL_TESTS();
}
