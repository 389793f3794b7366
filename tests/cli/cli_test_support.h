#pragma once
// What the converter's tests share: a scratch directory, file helpers, the converter's path and
// pictures painted cell by cell.
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "tests/cli/run_process.h"
#include "tests/support/bmp_builder.h"

namespace pxm::test {

inline const std::string ConverterPath = PIXMOSAIC_CLI_PATH;

// A directory that an unprivileged user can enter, removed with everything in it.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pixmosaic-cli-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
        chmod(path_.c_str(), 0755);
    }
    ~ScratchDir() {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
            if (entry.is_directory(ignored)) chmod(entry.path().c_str(), 0755);
        }
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Cells (n = row * 40 + column) painted with the colours given, spread so that every colour
// shows in every cell; other cells hold `rest`. Both pixels of a double-wide pair are equal,
// so 16- and 256-colour files give the same Canvas.
inline std::function<int(int, int)> CellPainter(std::map<int, std::vector<int>> cells, int rest) {
    return [cells = std::move(cells), rest](int x, int y) {
        const auto found = cells.find((y / 8) * 40 + x / 8);
        if (found == cells.end()) return rest;
        const auto& colours = found->second;
        return colours[static_cast<std::size_t>((x / 2) % 4 + 4 * (y % 8)) % colours.size()];
    };
}

// A landscape-ish picture that works with background 0: three colours in most cells.
inline std::vector<std::uint8_t> GoodPicture() {
    return MakeBmp({}, [](int x, int y) { return y < 100 ? (x / 8 + y / 8) % 3 + 1 : ((x + y) / 8) % 2 ? 5 : 0; });
}

inline ProcessResult RunConverter(std::vector<std::string> args, const ProcessLimits& limits = {}) {
    args.insert(args.begin(), ConverterPath);
    return RunProcess(args, limits);
}

}  // namespace pxm::test
