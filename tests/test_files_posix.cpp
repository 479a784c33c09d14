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
#include "platform/pathsep.h"
#include "platform/platform_error.h"
#include "platform/replacement.h"
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

std::size_t Entries(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

TEST(ReplaceBytes, KeepsTheOldPermissions) {
    const test::TempFolder folder;
    const std::filesystem::path path = folder / "tank.txt";
    std::ofstream(path) << "old";
    chmod(path.c_str(), 0640);
    Replace_bytes(path.wstring(), "new");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(Read(path), "new");
}

// In a folder another user can write to, a link planted at the saved name must not lead the
// save elsewhere: the link is replaced by the file, and what it points at stays as it was.
TEST(ReplaceBytes, ReplacesALinkAtThePathInsteadOfFollowingIt) {
    const test::TempFolder folder;
    const std::filesystem::path victim = folder / "victim";
    std::filesystem::create_directory(victim);
    std::ofstream(victim / "bashrc") << "mine";
    chmod((victim / "bashrc").c_str(), 0600);
    const std::filesystem::path shared = folder / "shared";
    std::filesystem::create_directory(shared);
    std::filesystem::create_symlink(victim / "bashrc", shared / "tank.txt");
    std::filesystem::create_symlink(victim / "autostart.zip", shared / "release.zip");

    for (const char* name : {"tank.txt", "release.zip"}) {
        Replace_bytes((shared / name).wstring(), "new");
        EXPECT_FALSE(std::filesystem::is_symlink(shared / name)) << name;
        EXPECT_EQ(Read(shared / name), "new") << name;
    }
    EXPECT_EQ(Read(victim / "bashrc"), "mine");
    EXPECT_EQ(Entries(victim), 1u);
    EXPECT_EQ(Entries(shared), 2u);
}

// The temporary file has no name of its own while it is written, so a save killed halfway
// leaves nothing; and a name as long as the system allows can be saved.
TEST(ReplaceBytes, NamesNothingButThePathAndTakesTheLongestNames) {
    const test::TempFolder folder;
    {
        FileReplacement replacement((folder / "tank.txt").wstring());
        replacement.Write("half");
        EXPECT_EQ(Entries(folder.Path()), 0u);
    }
    EXPECT_EQ(Entries(folder.Path()), 0u);
    const std::filesystem::path longest = folder / (std::string(251, 'x') + ".txt");
    Replace_bytes(longest.wstring(), "new");
    Replace_bytes(longest.wstring(), "again");
    EXPECT_EQ(Read(longest), "again");
    EXPECT_EQ(Entries(folder.Path()), 1u);
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
    EXPECT_EQ(Read_bytes(Joined_path(shown, Info_name(entries.files[0]))), "info");
}

// A path handed to the program from a shell, made whole as the folder list shows folders.
TEST(FullPath, JoinsTheWorkingFolderAndDropsDotsAndTrailingSeparators) {
    const std::wstring here = Current_folder();
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"/a/b/../c/", L"/a/c"},
        {L"/", L"/"},
        {L"/a/./\xDCFF.pbo", L"/a/\xDCFF.pbo"},
        {L"mods/x.txta", (here == L"/" ? L"" : here) + L"/mods/x.txta"},
    };
    for (const auto& [given, full] : cases) {
        EXPECT_EQ(Full_path(given), full);
    }
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
