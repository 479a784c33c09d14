#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/platform_error.h"
#include "tests/support/temp_folder.h"

namespace brelvik {
namespace {

using namespace std::string_literals;

class FilesTest : public ::testing::Test {
  protected:
    std::wstring Path(const std::wstring& name) const { return (folder_ / name).wstring(); }

    static void Put(const std::wstring& path, const std::string& bytes) {
        std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
    }

    std::size_t Entries_in_folder() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder_.Path()),
                          std::filesystem::directory_iterator()));
    }

    test::TempFolder folder_;
};

TEST_F(FilesTest, ReplaceWritesExactlyTheBytesAndLeavesNoTemporaryFile) {
    const std::wstring path = Path(L"tank.txt");
    const std::string cases[] = {"first, a longer content\r\n"s, "\0\xFF\x80 short"s, ""s};
    for (const std::string& bytes : cases) {
        Replace_bytes(path, bytes);
        EXPECT_EQ(Read_bytes(path), bytes);
        EXPECT_EQ(File_length(path), bytes.size());
        EXPECT_EQ(Entries_in_folder(), 1u);
    }
}

TEST_F(FilesTest, LengthAndExistence) {
    Put(Path(L"five.txt"), "12345");
    std::filesystem::create_directory(folder_ / L"sub");
    EXPECT_EQ(File_length(Path(L"five.txt")), 5u);
    EXPECT_EQ(File_length(Path(L"missing.txt")), 0u);
    EXPECT_EQ(File_length(Path(L"missing\\or/deeper/x.txt")), 0u);
    EXPECT_TRUE(File_exists(Path(L"five.txt")));
    EXPECT_FALSE(File_exists(Path(L"missing.txt")));
    EXPECT_FALSE(File_exists(Path(L"sub")));
    EXPECT_THROW(File_length(Path(L"sub")), PlatformError);
}

TEST_F(FilesTest, DeleteRemovesAFileAndIgnoresAMissingOne) {
    Put(Path(L"old.txt"), "x");
    Delete_file(Path(L"old.txt"));
    EXPECT_FALSE(File_exists(Path(L"old.txt")));
    EXPECT_NO_THROW(Delete_file(Path(L"old.txt")));
}

TEST_F(FilesTest, FailuresCarryThePathAndTheSystemText) {
    Put(Path(L"plain"), "a regular file");
    std::filesystem::create_directory(folder_ / L"folder");
    const struct {
        const char* what;
        std::function<void(const std::wstring&)> call;
        std::wstring path;
    } cases[] = {
        {"read of a missing file", [](const std::wstring& p) { Read_bytes(p); }, Path(L"none.txt")},
        {"write below a regular file", [](const std::wstring& p) { Replace_bytes(p, "x"); },
         Path(L"plain/under.txt")},
        {"write over a folder", [](const std::wstring& p) { Replace_bytes(p, "x"); },
         Path(L"folder")},
        {"delete of a folder", [](const std::wstring& p) { Delete_file(p); }, Path(L"folder")},
        {"check of a missing folder", [](const std::wstring& p) { Check_folder(p); },
         Path(L"none")},
        {"check of a file as a folder", [](const std::wstring& p) { Check_folder(p); },
         Path(L"plain")},
    };
    for (const auto& c : cases) {
        try {
            c.call(c.path);
            ADD_FAILURE() << c.what << " did not throw";
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.Path(), c.path) << c.what;
            EXPECT_FALSE(error.System_text().empty()) << c.what;
            EXPECT_NE(error.Message().find(c.path), std::wstring::npos) << c.what;
        }
    }
    EXPECT_FALSE(File_exists(Path(L"none.txt")));  // a failed read creates nothing
    EXPECT_EQ(Read_bytes(Path(L"plain")), "a regular file");
    EXPECT_EQ(Entries_in_folder(), 2u);
    EXPECT_NO_THROW(Check_folder(Path(L"folder")));
}

// An info text keeps the code page while it fits and is never written with "?"; a file read in
// UTF-8 is written back the same, and one without the mark stays the code page's bytes.
TEST_F(FilesTest, InfoTextKeepsEveryCharacterAndItsEncoding) {
    FileAccess files;
    const std::wstring path = Path(L"tank.txt");
    for (const std::wstring text : {L"T\u00E4nk", L"T\u00E4nk \u4E2D"}) {
        files.Replace_text(path, text);
        EXPECT_EQ(files.Read_text(path), text);
    }
    EXPECT_EQ(Read_bytes(path), "\xEF\xBB\xBFT\xC3\xA4nk \xE4\xB8\xAD");
    for (const char* bytes : {"T\xE4nk", "T\xC3\xA4nk", "\xEF\xBB\xBFT\xC3\xA4nk"}) {
        Replace_bytes(path, bytes);
        files.Replace_text(path, files.Read_text(path));
        EXPECT_EQ(Read_bytes(path), bytes);
    }
}

}  // namespace
}  // namespace brelvik
