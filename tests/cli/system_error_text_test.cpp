#include "cli/posix/system_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace pxm::cli {
namespace {

TEST(SystemErrorText, WindowsWording) {
    EXPECT_EQ(SystemErrorText(ENOENT), "The system cannot find the file specified.");
    EXPECT_EQ(SystemErrorText(ENOTDIR), "The system cannot find the path specified.");
    EXPECT_EQ(SystemErrorText(EACCES), "Access is denied.");
    EXPECT_EQ(SystemErrorText(EISDIR), "Access is denied.");
    EXPECT_EQ(SystemErrorText(ENOSPC), "There is not enough space on the disk.");
    EXPECT_EQ(SystemErrorText(EFBIG), std::strerror(EFBIG));
}

TEST(SystemErrorText, MissingFileOrMissingDirectory) {
    EXPECT_EQ(PathErrorText(ENOENT, "/tmp/surely-not-here.bmp"), "The system cannot find the file specified.");
    EXPECT_EQ(PathErrorText(ENOENT, "/tmp/surely-not-here/x.bmp"), "The system cannot find the path specified.");
    EXPECT_EQ(PathErrorText(ENOENT, "surely-not-here.bmp"), "The system cannot find the file specified.");
    EXPECT_EQ(PathErrorText(EACCES, "/tmp/x"), "Access is denied.");
}

}  // namespace
}  // namespace pxm::cli
