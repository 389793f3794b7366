#pragma once
// Writes one seed of a fuzzer's corpus; a seed that cannot be written stops the build.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
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

}  // namespace pxm::fuzz
