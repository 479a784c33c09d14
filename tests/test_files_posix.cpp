#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "info/infofile.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/platform_error.h"
#include "tests/support/mount_faults.h"
#include "tests/support/temp_folder.h"

namespace brelvik {
namespace {

std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A failed replacing write, made real with a mount, leaves the old file whole and no
// temporary file behind.
class FailedWriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(folder_ / "data");
        path_ = folder_ / "data" / "tank.txt";
        std::ofstream(path_, std::ios::binary) << old_;
    }

    void Expect_old_file_whole() const {
        EXPECT_EQ(Read(path_), old_);
        std::size_t entries = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(path_.parent_path())) {
            ++entries;
        }
        EXPECT_EQ(entries, 1u);
    }

    test::TempFolder folder_;
    std::filesystem::path path_;
    const std::string old_ = "the old content, which must survive\r\n";
};

TEST_F(FailedWriteTest, ReadOnlyFolder) {
    if (!test::Mount_readonly(path_.parent_path())) {
        GTEST_SKIP() << "read-only bind mounts are not permitted here";
    }
    const test::ScopedMount mount(path_.parent_path());
    EXPECT_THROW(Replace_bytes(path_.wstring(), "new"), PlatformError);
    Expect_old_file_whole();
}

TEST_F(FailedWriteTest, FullDisk) {
    const std::filesystem::path data = path_.parent_path();
    if (!test::Mount_tiny_tmpfs(data, 64 * 1024)) {
        GTEST_SKIP() << "tmpfs mounts are not permitted here";
    }
    const test::ScopedMount mount(data);
    std::ofstream(path_, std::ios::binary) << old_;
    try {
        Replace_bytes(path_.wstring(), std::string(256 * 1024, 'x'));
        ADD_FAILURE() << "a write larger than the disk did not throw";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.Path(), path_.wstring());
        EXPECT_NE(error.System_text().find(L"space"), std::wstring::npos) << error.System_text();
    }
    Expect_old_file_whole();
}

TEST(ReplaceBytes, KeepsTheOldPermissionsAndWritesThroughSymbolicLinks) {
    const test::TempFolder folder;
    const std::filesystem::path target = folder / "target.txt";
    const std::filesystem::path link = folder / "link.txt";
    std::ofstream(target) << "old";
    chmod(target.c_str(), 0640);
    std::filesystem::create_symlink(target, link);

    Replace_bytes(link.wstring(), "new");

    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Read(target), "new");
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// Found while probing faults: a named pipe in the place of a file made a read wait for a writer
// forever, and a device such as /dev/zero let it fill the memory. Only regular files are read.
// Names in another encoding than UTF-8 (an old archive unpacked, a Windows stick) were left out
// of the lists; they are listed now and name the same files when given back.
TEST(NativeNames, FilesNamedInAnotherEncodingAreListedAndOpened) {
    const test::TempFolder temp;
    const std::filesystem::path folder = temp / "d\xE9j\xE0";
    std::filesystem::create_directory(folder);
    std::ofstream(folder / "\xE9t\xE9.pbo") << "pbo";
    std::ofstream(folder / "\xE9t\xE9.txt") << "info";
    const FolderEntries parent = List_folder(Path_text(temp.Path()), L".pbo");
    ASSERT_EQ(parent.subfolders.size(), 1u);
    const std::wstring shown = Path_text(temp.Path()) + L"/" + parent.subfolders[0];
    const FolderEntries entries = List_folder(shown, L".pbo");
    ASSERT_EQ(entries.files.size(), 1u);
    EXPECT_EQ(Read_bytes(Info_path(shown, entries.files[0])), "info");
}

TEST(ReadBytes, RefusesWhatIsNotARegularFile) {
    const test::TempFolder folder;
    const std::filesystem::path pipe = folder / "tank.txt";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::filesystem::path device = folder / "release.txta";
    std::filesystem::create_symlink("/dev/null", device);
    for (const std::filesystem::path& path : {pipe, device}) {
        // The alarm ends a read that waits forever, and the test fails instead of hanging.
        EXPECT_EXIT(
            {
                alarm(10);
                try {
                    Read_bytes(path.wstring());
                } catch (const PlatformError& error) {
                    std::_Exit(error.Path() == path.wstring() ? 0 : 2);
                }
                std::_Exit(1);
            },
            testing::ExitedWithCode(0), "")
            << path;
    }
}

}  // namespace
}  // namespace brelvik
