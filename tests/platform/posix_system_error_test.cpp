#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "platform/file_read.h"
#include "platform/folders.h"
#include "platform/system_error.h"

namespace pxm::platform {
namespace {

std::string TextOf(int error) { return SystemErrorText({static_cast<std::uint32_t>(error)}); }

TEST(PosixSystemErrorText, TheSystemsOwnWords) {
    EXPECT_EQ(TextOf(ENOENT), "No such file or directory");
    EXPECT_EQ(TextOf(ENOTDIR), "Not a directory");
    EXPECT_EQ(TextOf(EACCES), "Permission denied");
    EXPECT_EQ(TextOf(ENOSPC), "No space left on device");
    for (const int error : {EISDIR, EROFS, EFBIG, ENAMETOOLONG}) EXPECT_EQ(TextOf(error), std::strerror(error));
}

TEST(PosixSystemErrorText, MissingFileAndMissingDirectoryAlike) {
    for (const char* path : {"/tmp/surely-not-here.bmp", "/tmp/surely-not-here/x.bmp"}) {
        const auto read = ReadFileUpTo(path, 16);
        ASSERT_FALSE(read) << path;
        EXPECT_EQ(SystemErrorText(read.error().error), "No such file or directory") << path;
    }
    const Status<SystemError> folder = CheckFolderOf("/tmp/surely-not-here/x.bmp");
    ASSERT_FALSE(folder);
    EXPECT_EQ(SystemErrorText(folder.error()), "No such file or directory");
    const Status<SystemError> file = CheckFolderOf("/etc/passwd/x.bmp");
    ASSERT_FALSE(file);
    EXPECT_EQ(SystemErrorText(file.error()), "Not a directory");
}

}  // namespace
}  // namespace pxm::platform
