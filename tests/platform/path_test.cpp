#include <gtest/gtest.h>

#include "platform/path_parts.h"
#include "platform/temporary_path.h"

namespace pxm::platform {
namespace {

TEST(SplitPath, DirectoryKeepsItsSeparator) {
    EXPECT_EQ(SplitPath("pics/out.prg").directory, "pics/");
    EXPECT_EQ(SplitPath("pics/out.prg").name, "out.prg");
    EXPECT_EQ(SplitPath("/out").directory, "/");
    EXPECT_EQ(SplitPath("out.p00").directory, "");
    EXPECT_EQ(SplitPath("out.p00").name, "out.p00");
    EXPECT_EQ(SplitPath("pics/").name, "");
}

TEST(SplitPath, WindowsSeparators) {
#ifdef _WIN32
    EXPECT_EQ(SplitPath("C:\\pics\\out.prg").name, "out.prg");
    EXPECT_EQ(SplitPath("C:out.prg").directory, "C:");
#else
    // Elsewhere a backslash and a colon are parts of a name.
    EXPECT_EQ(SplitPath("C:\\pics\\out.prg").name, "C:\\pics\\out.prg");
#endif
}

TEST(TemporaryBeside, BesideTheTargetAndHidden) {
    EXPECT_EQ(TemporaryBeside("pics/out.prg", 1234, 0), "pics/.out.prg.1234-0.tmp");
    EXPECT_EQ(TemporaryBeside("out.prg", 7, 3), ".out.prg.7-3.tmp");
}

}  // namespace
}  // namespace pxm::platform
