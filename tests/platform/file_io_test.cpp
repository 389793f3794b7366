// Reading and safe writing against the real file system, in a fresh folder per test.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/file_read.h"
#include "platform/file_write.h"
#include "platform/readable_file.h"

namespace pxm::platform {
namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

// The system's own codes for the failures: the texts are the system's (Wine words them its own
// way). Windows tells a missing folder from a missing file and calls a folder "access denied";
// POSIX calls both missing ENOENT and a folder EISDIR.
#ifdef _WIN32
constexpr SystemError FileNotFound{2}, PathNotFound{3}, AccessDenied{5}, IsAFolder{5};
#else
constexpr SystemError FileNotFound{ENOENT}, PathNotFound{ENOENT}, AccessDenied{EACCES}, IsAFolder{EISDIR};
#endif

// The words a failure is shown in.
std::string Words(SystemError error) { return SystemErrorText(error); }

class FileIo : public testing::Test {
protected:
    void SetUp() override {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / (std::string("pxm-platform-") + test->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(folder_, ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder_, ignored);
    }
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    static Bytes Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static void Put(const std::string& path, const Bytes& bytes) {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
    }
    std::size_t EntryCount() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator{}));
    }

    fs::path folder_;
};

TEST_F(FileIo, WritesANewFileAndReplacesAnOlderOne) {
    const std::string target = PathOf("out.prg");
    const Bytes first{0x00, 0x60, 1, 2, 3};
    ASSERT_TRUE(WriteFileReplacing(target, first).ok());
    EXPECT_EQ(Contents(target), first);
    const Bytes second(70000, 0xA5);
    ASSERT_TRUE(WriteFileReplacing(target, second).ok());
    EXPECT_EQ(Contents(target), second);
    EXPECT_EQ(EntryCount(), 1u) << "no temporary file is left behind";
}

TEST_F(FileIo, RefusesAReadOnlyTargetAndKeepsIt) {
    const std::string target = PathOf("kept.p00");
    const Bytes old{9, 8, 7};
    Put(target, old);
    fs::permissions(target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const Status<SystemError> written = WriteFileReplacing(target, Bytes{1, 2});
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(Words(written.error()), Words(AccessDenied));
    EXPECT_EQ(Contents(target), old);
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(FileIo, RefusesADirectoryAsTarget) {
    const std::string target = PathOf("folder.prg");
    fs::create_directory(target);
    const Status<SystemError> written = WriteFileReplacing(target, Bytes{1});
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(Words(written.error()), Words(IsAFolder));
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(FileIo, AMissingFolderIsNamedAsAMissingPath) {
    const Status<SystemError> written = WriteFileReplacing(PathOf("nowhere/out.prg"), Bytes{1});
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(Words(written.error()), Words(PathNotFound));
}

TEST_F(FileIo, ReadsUpToTheLimit) {
    const std::string path = PathOf("in.bin");
    Bytes bytes(200000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    Put(path, bytes);
    {
        // The length read in one buffer is the system's. (Closed again: Windows keeps an open
        // file from being rewritten.)
        auto file = ReadableFile::Open(path);
        ASSERT_TRUE(file.ok());
        EXPECT_EQ(file->LengthHint(), bytes.size());
    }
    const auto whole = ReadFileUpTo(path, 1 << 20);
    ASSERT_TRUE(whole.ok());
    EXPECT_EQ(*whole, bytes);
    const auto start = ReadFileUpTo(path, 100001);
    ASSERT_TRUE(start.ok());
    EXPECT_EQ(*start, Bytes(bytes.begin(), bytes.begin() + 100001));
    Put(path, {});
    const auto empty = ReadFileUpTo(path, 10);
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty->empty());
}

TEST_F(FileIo, OpeningFailsForAMissingFileAndADirectory) {
    const auto missing = ReadFileUpTo(PathOf("missing.bmp"), 10);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().step, FileReadFailure::Step::Open);
    EXPECT_EQ(Words(missing.error().error), Words(FileNotFound));
    const auto directory = ReadFileUpTo(folder_.string(), 10);
    ASSERT_FALSE(directory.ok());
    EXPECT_EQ(directory.error().step, FileReadFailure::Step::Open);
    EXPECT_EQ(Words(directory.error().error), Words(IsAFolder));
}

}  // namespace
}  // namespace pxm::platform
