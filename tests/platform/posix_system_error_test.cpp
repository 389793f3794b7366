#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/path_error.h"
#include "platform/system_error.h"

namespace pxm::platform {
namespace {

std::string TextOf(int error) { return SystemErrorText({static_cast<std::uint32_t>(error)}); }

TEST(PosixSystemErrorText, WindowsWording) {
    EXPECT_EQ(TextOf(ENOENT), "The system cannot find the file specified.");
    EXPECT_EQ(TextOf(ENOTDIR), "The system cannot find the path specified.");
    EXPECT_EQ(TextOf(EACCES), "Access is denied.");
    EXPECT_EQ(TextOf(EISDIR), "Access is denied.");
    EXPECT_EQ(TextOf(ENOSPC), "There is not enough space on the disk.");
    EXPECT_EQ(TextOf(EFBIG), std::strerror(EFBIG));
}

TEST(PosixSystemErrorText, MissingFileOrMissingDirectory) {
    const auto text = [](int error, std::string_view path) { return SystemErrorText(PathError(error, path)); };
    EXPECT_EQ(text(ENOENT, "/tmp/surely-not-here.bmp"), "The system cannot find the file specified.");
    EXPECT_EQ(text(ENOENT, "/tmp/surely-not-here/x.bmp"), "The system cannot find the path specified.");
    EXPECT_EQ(text(ENOENT, "surely-not-here.bmp"), "The system cannot find the file specified.");
    EXPECT_EQ(text(EACCES, "/tmp/x"), "Access is denied.");
}

}  // namespace
}  // namespace pxm::platform
