#pragma once
// Writes one seed of a fuzzer's corpus, or reads one an encoder wrote; a seed that cannot be
// written or read stops the build.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace pxm::fuzz {

inline void WriteSeed(const std::string& dir, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write the seed %s/%s\n", dir.c_str(), name.c_str());
        std::exit(1);
    }
}

inline std::vector<std::uint8_t> ReadSeed(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in || bytes.empty()) {
        std::fprintf(stderr, "cannot read the seed %s\n", path.c_str());
        std::exit(1);
    }
    return bytes;
}

}  // namespace pxm::fuzz
