#pragma once
// A test of the converter as a process, with a scratch directory for its files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/cli_test_support.h"

namespace pxm::test {

class ScratchTest : public ::testing::Test {
protected:
    // Writes the bytes into the scratch directory; their path.
    std::string Write(const std::vector<std::uint8_t>& bytes, const std::string& name) {
        const std::string path = dir_ / name;
        WriteFile(path, bytes);
        return path;
    }
    ScratchDir dir_;
};

}  // namespace pxm::test
